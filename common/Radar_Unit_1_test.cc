#include "common/Radar_Unit_1.h"

#include <gtest/gtest.h>

#include <string>

#include "common/rw_product.h"

namespace {

using Radar_Unit_1::BinToInt;
using Radar_Unit_1::IntToBin;

TEST(IntToBin, WritesEightDigitsMostSignificantFirst) {
  EXPECT_EQ(IntToBin(0), "00000000");
  EXPECT_EQ(IntToBin(255), "11111111");
  EXPECT_EQ(IntToBin(3), "00000011");
  EXPECT_EQ(IntToBin(196), "11000100");
}

TEST(BinToInt, CountsOnlyTheOnesOfTheTwelveRightmostCharacters) {
  EXPECT_EQ(BinToInt(""), 0);
  EXPECT_EQ(BinToInt("1"), 1);
  EXPECT_EQ(BinToInt("111111111111"), 4095);
  EXPECT_EQ(BinToInt("1000000000000"), 0);
  EXPECT_EQ(BinToInt("2"), 0);
  EXPECT_EQ(BinToInt("a"), 0);
  EXPECT_EQ(BinToInt("1a1"), 5);
}

// The arithmetic decoding of the reader against the text route through
// IntToBin and BinToInt, for every cell word there is.
TEST(CellDecoding, ArithmeticEqualsTheBitStringRouteForAllWords) {
  for (int r2 = 0; r2 < 256; ++r2) {
    const std::string high = IntToBin(static_cast<std::uint8_t>(r2));
    const int reading = std::stoi(high.substr(0, 4));
    for (int r1 = 0; r1 < 256; ++r1) {
      const std::uint16_t word =
          pluv::CellWord(static_cast<std::uint8_t>(r1), static_cast<std::uint8_t>(r2));
      const int value = BinToInt(high.substr(4, 4) + IntToBin(static_cast<std::uint8_t>(r1)));
      ASSERT_EQ(pluv::FlagReading(word), reading) << r1 << " " << r2;
      ASSERT_EQ(pluv::CellValue(word), value) << r1 << " " << r2;
      ASSERT_EQ(pluv::IsUsable(word), reading == 0 || reading == 1) << r1 << " " << r2;
    }
  }
}

TEST(CellDecoding, KnownWords) {
  EXPECT_EQ(pluv::FlagReading(pluv::CellWord(196, 41)), 10);  // the no-data word 0x29C4
  EXPECT_EQ(pluv::CellValue(pluv::CellWord(196, 41)), 2500);
  EXPECT_EQ(pluv::FlagReading(pluv::CellWord(255, 31)), 1);
  EXPECT_EQ(pluv::CellValue(pluv::CellWord(255, 31)), 4095);
  EXPECT_EQ(pluv::FlagReading(pluv::CellWord(0, 128)), 1000);
  EXPECT_EQ(pluv::FlagReading(pluv::CellWord(0, 64)), 100);
  EXPECT_EQ(pluv::FlagReading(pluv::CellWord(0, 240)), 1111);
}

}  // namespace
