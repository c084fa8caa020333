#include "pluvconv/converting.h"

namespace pluv {

void StoreCells(const RwCells& cells, std::int32_t* FeldWert) {
  const int n = cells.count;  // read once: the stores below may alias it
  std::int32_t* cell = FeldWert + cells.first;
  for (int k = 0; k < n; ++k) {
    const std::uint16_t word = CellWordAt(cells.bytes, k);
    const std::uint16_t flags = word & kFlagMask;
    const bool plain = flags == 0 || flags == kFlagBit13;
    const bool negated = flags == kFlagBit14 || flags == kFlagBit16;
    const std::int32_t value = CellValue(word);
    cell[k] = plain ? value : negated ? -value : cell[k];
  }
}

}  // namespace pluv
