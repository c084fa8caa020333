// The search of pluvscan: the cells of a window that reach a threshold, as
// lines "x y stamp value" of the exceedance list.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/output_file.h"
#include "common/rw_product.h"

namespace pluv {

// The search window: columns X_min to X_max and rows Y_min to Y_max, all
// from 1 to 900; a minimum above its maximum leaves the window empty.
struct Window {
  std::int32_t X_min = 1, X_max = kGridSize, Y_min = 1, Y_max = kGridSize;
};

// Writes a line to `list` for every cell of the run `cells` that lies in
// `window`, has reading 0 or 1 and a value of at least N_Schwelle, row by
// row from the south and within a row from the west; `stamp` is the
// product's YYMMDDHHmm.
void ScanCells(const RwCells& cells, const Window& window, std::int32_t N_Schwelle,
               std::string_view stamp, OutputFile& list);

}  // namespace pluv
