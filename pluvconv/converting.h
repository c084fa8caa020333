// The conversion rule of pluvconv: which value a cell takes in the raster.
#pragma once

#include <cstdint>

#include "common/rw_product.h"

namespace pluv {

// Stores the cells into FeldWert (product order): readings 0 and 1 their
// value, 10 and 1000 the value negated (the no-data word 0x29C4 gives
// -2500); the cells of other readings are left as they are.
void StoreCells(const RwCells& cells, std::int32_t* FeldWert);

}  // namespace pluv
