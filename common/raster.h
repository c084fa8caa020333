// ASCII rasters in the ESRI grid layout: six header lines, then the 810,000
// cell values, the northern row first, each followed by one blank, all on
// one line.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "output_file.h"
#include "platform.h"
#include "rw_product.h"

namespace pluv {

// The NODATA lines: rasters of sums and counts, and converted products.
constexpr std::string_view kNoDataSums = "NODATA_VALUE -1";
constexpr std::string_view kNoDataProduct = "NODATA_VALUE -2500";

class RasterWriter {
 public:
  explicit RasterWriter(Platform& platform);

  // Creates the raster `name`, replacing a file of that name, and puts the
  // six header lines into its buffer: they reach the disk with the body.
  void OpenRaster(const std::string& name, std::string_view nodata_line);
  // Writes the body from `grid`, held in product order (row 1 first); each
  // value is the cell truncated toward zero to a 64-bit integer.
  template <typename Cell>
  void WriteRasterCells(const Cell* grid) {
    for (int y = kGridSize; y >= 1; --y) {
      const Cell* row = grid + CellIndex(1, y);
      char* at = file_.Reserve(kRowTextMax);
      for (int x = 0; x < kGridSize; ++x) {
        at = std::to_chars(at, at + kValueTextMax, static_cast<std::int64_t>(row[x])).ptr;
        *at++ = ' ';
      }
      file_.Commit(at);
    }
  }
  // Writes what is left and closes the raster.
  void CloseRaster();

 private:
  static constexpr std::size_t kValueTextMax = 20;  // "-9223372036854775808"
  static constexpr std::size_t kRowTextMax = kGridSize * (kValueTextMax + 1);

  OutputFile file_;
};

}  // namespace pluv
