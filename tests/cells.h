// Cell words in memory, handed to the tools' rules in runs as the reader
// would hand them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/rw_product.h"

namespace pluv {

// The cell bytes of a product whose cell k (from 0) has the word word(k).
inline std::vector<std::uint8_t> CellBytes(const std::function<std::uint16_t(int)>& word) {
  std::vector<std::uint8_t> bytes(kCellBytes);
  for (int k = 0; k < kCells; ++k) {
    bytes[2 * k] = static_cast<std::uint8_t>(word(k) & 0xFF);
    bytes[2 * k + 1] = static_cast<std::uint8_t>(word(k) >> 8);
  }
  return bytes;
}

// Hands the cells to `rule` in runs of `run` cells (the last one shorter).
template <typename Rule>
void InRuns(const std::vector<std::uint8_t>& bytes, int run, Rule&& rule) {
  for (int first = 0; first < kCells; first += run) {
    rule(RwCells{bytes.data() + 2 * first, first, std::min(run, kCells - first)});
  }
}

}  // namespace pluv
