#include "pluvcount/counting.h"

#include <gtest/gtest.h>

#include "cells.h"

namespace pluv {
namespace {

TEST(CountGrids, CountsStayExactBeyond255Hours) {
  // Value 100 everywhere, reading 0 or 1; every 4th cell unusable.
  const auto bytes = CellBytes([](int k) -> std::uint16_t {
    return k % 4 == 3 ? 0x2064 : (k % 2 ? 0x1064 : 0x0064);
  });
  CountGrids grids({100, 101, 0, -5, 5000});
  for (int product = 0; product < 600; ++product) {
    InRuns(bytes, 40'000 + product, [&](const RwCells& cells) { grids.CountCells(cells); });
  }
  const int expected[kThresholds] = {600, 0, 600, 600, 0};
  for (int t = 0; t < kThresholds; ++t) {
    const std::int32_t* counts = grids.Haeufigkeit(t);
    for (int k = 0; k < kCells; ++k) {
      ASSERT_EQ(counts[k], k % 4 == 3 ? 0 : expected[t]) << t << " " << k;
    }
  }
}

TEST(CountGrids, EachThresholdCountsOnItsOwn) {
  // Cell k holds the value k mod 4096; thresholds in no order.
  const auto bytes = CellBytes([](int k) { return static_cast<std::uint16_t>(k % 4096); });
  CountGrids grids({4095, 1, 2048, 4096, 0});
  InRuns(bytes, 7'777, [&](const RwCells& cells) { grids.CountCells(cells); });
  const int limits[kThresholds] = {4095, 1, 2048, 4096, 0};
  for (int t = 0; t < kThresholds; ++t) {
    const std::int32_t* counts = grids.Haeufigkeit(t);
    for (int k = 0; k < kCells; ++k) ASSERT_EQ(counts[k], k % 4096 >= limits[t] ? 1 : 0) << t;
  }
}

}  // namespace
}  // namespace pluv
