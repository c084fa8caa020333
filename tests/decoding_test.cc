// Every cell word through every tool's rule, against the bit-string route of
// Radar_Unit_1: the flag nibble reading from the first four characters of
// IntToBin(r2), the value from BinToInt of the other twelve.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells.h"
#include "common/Radar_Unit_1.h"
#include "pluvaccum/summing.h"
#include "pluvconv/converting.h"
#include "pluvcount/counting.h"
#include "pluvscan/scanning.h"
#include "test_platform.h"

namespace pluv {
namespace {

struct TextRoute {
  int reading;
  int value;
};

// The reading and the value of every cell word, the slow way.
const std::vector<TextRoute>& ByText() {
  static const std::vector<TextRoute> table = [] {
    std::vector<TextRoute> t(65536);
    for (int word = 0; word < 65536; ++word) {
      const std::string high = Radar_Unit_1::IntToBin(static_cast<std::uint8_t>(word >> 8));
      const std::string low = Radar_Unit_1::IntToBin(static_cast<std::uint8_t>(word & 0xFF));
      t[word] = {std::stoi(high.substr(0, 4)), Radar_Unit_1::BinToInt(high.substr(4, 4) + low)};
    }
    return t;
  }();
  return table;
}

bool Usable(int word) { return ByText()[word].reading <= 1; }
int Value(int word) { return ByText()[word].value; }

// Cell k holds the word k mod 65536: every word, in every position of a row.
std::uint16_t WordOf(int k) { return static_cast<std::uint16_t>(k % 65536); }

TEST(EveryCellWord, JudgedAgainstEveryThreshold) {
  for (int word = 0; word < 65536; ++word) {
    for (int threshold : {-5, 0, 1, 2500, 4095, 4096, 99999}) {
      ASSERT_EQ(JudgedValue(static_cast<std::uint16_t>(word)) >= ThresholdLimit(threshold),
                Usable(word) && Value(word) >= threshold)
          << word << " " << threshold;
    }
  }
}

TEST(EveryCellWord, ThroughTheRulesOfTheFourTools) {
  const auto bytes = CellBytes(WordOf);
  SumGrid sums;
  CountGrids counts({0, 1, 2500, 4095, 4096});
  std::vector<std::int32_t> FeldWert(kCells, 7);
  for (int product = 0; product < 3; ++product) {
    InRuns(bytes, 10'007, [&](const RwCells& cells) {
      sums.AddCells(cells);
      counts.CountCells(cells);
      if (product == 0) StoreCells(cells, FeldWert.data());
    });
  }
  TempDir dir;
  TestPlatform platform;
  OutputFile list(platform, 1 << 16);
  list.Create(dir / "list.txt");
  InRuns(bytes, 10'007, [&](const RwCells& cells) { ScanCells(cells, Window{}, 2500, "1606011250", list); });
  list.Close();

  const std::int64_t* Summe = sums.Summe();
  const int limits[] = {0, 1, 2500, 4095, 4096};
  std::string expected_list;
  for (int k = 0; k < kCells; ++k) {
    const int word = WordOf(k);
    ASSERT_EQ(Summe[k], Usable(word) ? 3 * Value(word) : 0) << word;
    for (int t = 0; t < kThresholds; ++t) {
      ASSERT_EQ(counts.Haeufigkeit(t)[k], Usable(word) && Value(word) >= limits[t] ? 3 : 0) << word;
    }
    const int reading = ByText()[word].reading;
    const int stored = reading <= 1 ? Value(word) : reading == 10 || reading == 1000 ? -Value(word) : 7;
    ASSERT_EQ(FeldWert[k], stored) << word;
    if (Usable(word) && Value(word) >= 2500) {
      expected_list += std::to_string(k % kGridSize + 1) + " " + std::to_string(k / kGridSize + 1) +
                       " 1606011250 " + std::to_string(Value(word)) + "\r\n";
    }
  }
  EXPECT_EQ(ReadWholeFile(dir / "list.txt"), expected_list);
}

}  // namespace
}  // namespace pluv
