#include "pluvaccum/summing.h"

#include <gtest/gtest.h>

#include "cells.h"

namespace pluv {
namespace {

TEST(SumGrid, SumsStayExactOverManyProducts) {
  // 40 products of the largest value: far more than 16-bit sums can hold.
  // Cells of reading 1 add, cells of reading 10, 100 or 1000 do not.
  const auto bytes = CellBytes([](int k) -> std::uint16_t {
    switch (k % 5) {
      case 0: return 0x0FFF;
      case 1: return 0x1FFF;
      case 2: return 0x2FFF;
      case 3: return 0x4FFF;
      default: return 0x8FFF;
    }
  });
  SumGrid grid;
  for (int product = 0; product < 40; ++product) {
    InRuns(bytes, 32'701 + product, [&](const RwCells& cells) { grid.AddCells(cells); });
  }
  const std::int64_t* Summe = grid.Summe();
  for (int k = 0; k < kCells; ++k) {
    ASSERT_EQ(Summe[k], k % 5 <= 1 ? 40 * 4095 : 0) << k;
  }
}

TEST(SumGrid, SmallValuesOverAYearOfHours) {
  const auto small = CellBytes([](int k) { return static_cast<std::uint16_t>(k % 7); });
  const auto large = CellBytes([](int k) { return static_cast<std::uint16_t>(k == 5 ? 4095 : 0); });
  SumGrid grid;
  for (int product = 0; product < 300; ++product) {
    InRuns(product == 150 ? large : small, 65'536, [&](const RwCells& cells) { grid.AddCells(cells); });
  }
  const std::int64_t* Summe = grid.Summe();
  EXPECT_EQ(Summe[0], 0);
  EXPECT_EQ(Summe[5], 299 * 5 + 4095);
  EXPECT_EQ(Summe[kCells - 1], 299 * ((kCells - 1) % 7));
}

}  // namespace
}  // namespace pluv
