// The counts of pluvcount: per threshold and cell, the hours of a period in
// which the cell reached the threshold.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/rw_product.h"

namespace pluv {

constexpr int kThresholds = 5;

class CountGrids {
 public:
  // All counts 0; the grids are allocated here, once.
  explicit CountGrids(const std::array<std::int32_t, kThresholds>& N_Schwelle);

  // Counts one hour for every cell of reading 0 or 1 and every threshold
  // its value reaches (greater or equal); a product's runs of cells come
  // one after the other, from its first cell on.
  void CountCells(const RwCells& cells);
  // The counts of threshold t (from 0), in product order.
  const std::int32_t* Haeufigkeit(int t);

 private:
  // The latest products are counted in 8 bits, which stay in the caches;
  // after 255 products the counts are moved into the 32-bit grids.
  static constexpr int kRecentProducts = 255;
  void Settle();

  std::array<std::int16_t, kThresholds> limit_;  // ThresholdLimit() of each threshold
  std::array<std::vector<std::uint8_t>, kThresholds> recent_;
  int recent_products_ = 0;
  std::array<std::vector<std::int32_t>, kThresholds> Haeufigkeit_;
};

}  // namespace pluv
