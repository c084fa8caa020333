#include "pluvaccum/summing.h"

namespace pluv {

namespace {

// One pass over a run of cells; returns the largest value added. The
// pointers do not overlap, which lets the loop run on vectors.
std::int16_t AddInto(const std::uint8_t* __restrict bytes, int n,
                     std::uint16_t* __restrict recent) {
  std::int16_t peak = 0;  // signed: a signed maximum runs on vectors everywhere
  for (int i = 0; i < n; ++i) {
    const std::uint16_t word = CellWordAt(bytes, i);
    // Without a branch: an unusable cell adds 0.
    const std::uint16_t keep = (word & kExcludingFlags) == 0 ? kValueMask : 0;
    const auto value = static_cast<std::int16_t>(word & keep);
    recent[i] = static_cast<std::uint16_t>(recent[i] + value);
    peak = value > peak ? value : peak;
  }
  return peak;
}

}  // namespace

SumGrid::SumGrid() : recent_(kCells, 0), Summe_(kCells, 0) {}

PLUV_CELL_LOOPS
void SumGrid::AddCells(const RwCells& cells) {
  if (cells.first == 0) {
    // A new product: the one before it is complete.
    recent_bound_ += product_peak_;
    product_peak_ = 0;
    if (recent_bound_ > kRecentLimit) Settle();
  }
  const int peak = AddInto(cells.bytes, cells.count, recent_.data() + cells.first);
  if (peak > product_peak_) product_peak_ = peak;
}

void SumGrid::Settle() {
  for (int k = 0; k < kCells; ++k) {
    Summe_[k] += recent_[k];
    recent_[k] = 0;
  }
  recent_bound_ = 0;
  product_peak_ = 0;
}

const std::int64_t* SumGrid::Summe() {
  Settle();
  return Summe_.data();
}

}  // namespace pluv
