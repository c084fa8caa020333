#include "pluvscan/scanning.h"

#include <gtest/gtest.h>

#include "cells.h"
#include "test_platform.h"

namespace pluv {
namespace {

// The list that the scan of `bytes` in runs of `run` cells writes.
std::string Scan(const std::vector<std::uint8_t>& bytes, int run, const Window& window,
                 std::int32_t threshold) {
  TempDir dir;
  TestPlatform platform;
  OutputFile list(platform, 4096);
  list.Create(dir / "list.txt");
  InRuns(bytes, run, [&](const RwCells& cells) { ScanCells(cells, window, threshold, "1606011250", list); });
  list.Close();
  return ReadWholeFile(dir / "list.txt");
}

TEST(ScanCells, RunsOfAnyLengthGiveTheSameList) {
  // Hits scattered over rows that the runs cut anywhere.
  const auto bytes = CellBytes([](int k) -> std::uint16_t {
    const int v = static_cast<int>((static_cast<unsigned>(k) * 7919u) % 4096u);
    return static_cast<std::uint16_t>(v | (k % 3 == 0 ? 0x1000 : k % 11 == 0 ? 0x8000 : 0));
  });
  const Window window{100, 700, 3, 898};
  const std::string whole = Scan(bytes, kCells, window, 4000);
  EXPECT_NE(whole, "");
  for (int run : {1, 899, 900, 901, 32'767}) {
    EXPECT_EQ(Scan(bytes, run, window, 4000), whole) << run;
  }
}

TEST(ScanCells, LinesInTheOrderOfRowsThenColumns) {
  const auto bytes = CellBytes([](int k) -> std::uint16_t {
    if (k == CellIndex(5, 2)) return 150;
    if (k == CellIndex(4, 2)) return 149;
    if (k == CellIndex(900, 1)) return 0x1000 | 4095;
    if (k == CellIndex(1, 900)) return 0x2000 | 4095;
    return 0;
  });
  EXPECT_EQ(Scan(bytes, 1000, Window{}, 150),
            "900 1 1606011250 4095\r\n5 2 1606011250 150\r\n");
  EXPECT_EQ(Scan(bytes, 1000, Window{5, 5, 2, 2}, 150), "5 2 1606011250 150\r\n");
  EXPECT_EQ(Scan(bytes, 1000, Window{6, 5, 1, 900}, 0), "");
}

}  // namespace
}  // namespace pluv
