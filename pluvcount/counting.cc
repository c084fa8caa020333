#include "pluvcount/counting.h"

#include <algorithm>

namespace pluv {

CountGrids::CountGrids(const std::array<std::int32_t, kThresholds>& N_Schwelle) {
  for (int t = 0; t < kThresholds; ++t) {
    limit_[t] = ThresholdLimit(N_Schwelle[t]);
    recent_[t].assign(kCells, 0);
    Haeufigkeit_[t].assign(kCells, 0);
  }
}

namespace {

// Cells judged together: a run of cells below every threshold (dry cells,
// most of the grid in most hours) costs a few vector steps.
constexpr int kBlock = 64;

// One pass over a run of cells for all five thresholds. The pointers do
// not overlap, which lets the loop run on vectors.
void CountInto(const std::uint8_t* __restrict bytes, int n, std::uint8_t* __restrict c0,
               std::uint8_t* __restrict c1, std::uint8_t* __restrict c2,
               std::uint8_t* __restrict c3, std::uint8_t* __restrict c4,
               const std::array<std::int16_t, kThresholds>& limit) {
  const std::int16_t t0 = limit[0], t1 = limit[1], t2 = limit[2], t3 = limit[3], t4 = limit[4];
  for (int i = 0; i < n; ++i) {
    const std::int16_t v = JudgedValue(CellWordAt(bytes, i));
    c0[i] = static_cast<std::uint8_t>(c0[i] + (v >= t0));
    c1[i] = static_cast<std::uint8_t>(c1[i] + (v >= t1));
    c2[i] = static_cast<std::uint8_t>(c2[i] + (v >= t2));
    c3[i] = static_cast<std::uint8_t>(c3[i] + (v >= t3));
    c4[i] = static_cast<std::uint8_t>(c4[i] + (v >= t4));
  }
}

}  // namespace

PLUV_CELL_LOOPS
void CountGrids::CountCells(const RwCells& cells) {
  if (cells.first == 0) {
    // A new product: make room for it in the 8-bit counts.
    if (recent_products_ == kRecentProducts) Settle();
    ++recent_products_;
  }
  const std::int16_t lowest = *std::min_element(limit_.begin(), limit_.end());
  for (int i = 0; i < cells.count; i += kBlock) {
    const int n = std::min(kBlock, cells.count - i);
    const std::uint8_t* bytes = cells.bytes + 2 * i;
    if (PeakJudgedValue(bytes, n) < lowest) continue;
    const int k = cells.first + i;
    CountInto(bytes, n, recent_[0].data() + k, recent_[1].data() + k, recent_[2].data() + k,
              recent_[3].data() + k, recent_[4].data() + k, limit_);
  }
}

void CountGrids::Settle() {
  for (int t = 0; t < kThresholds; ++t) {
    std::uint8_t* recent = recent_[t].data();
    std::int32_t* counts = Haeufigkeit_[t].data();
    for (int k = 0; k < kCells; ++k) {
      counts[k] += recent[k];
      recent[k] = 0;
    }
  }
  recent_products_ = 0;
}

const std::int32_t* CountGrids::Haeufigkeit(int t) {
  if (recent_products_ > 0) Settle();
  return Haeufigkeit_[t].data();
}

}  // namespace pluv
