#include "common/period.h"

#include <gtest/gtest.h>

#include <limits>

#include "common/failure.h"
#include "memory_platform.h"
#include "rwgen.h"

namespace pluv {
namespace {

TEST(EncodeDate, GregorianDatesOfTheYears1To9999) {
  struct Case {
    int year, month, day;
    bool valid;
  };
  const Case cases[] = {
      {2016, 2, 29, true},  {2015, 2, 29, false}, {2000, 2, 29, true}, {1900, 2, 29, false},
      {2016, 4, 30, true},  {2016, 4, 31, false}, {2016, 12, 31, true}, {2016, 13, 1, false},
      {2016, 0, 1, false},  {2016, 1, 0, false},  {1, 1, 1, true},      {9999, 12, 31, true},
      {0, 1, 1, false},     {10000, 1, 1, false}, {65535, 65535, 65535, false},
  };
  for (const Case& c : cases) {
    bool valid = true;
    try {
      EncodeDate(static_cast<std::uint16_t>(c.year), static_cast<std::uint16_t>(c.month),
                 static_cast<std::uint16_t>(c.day));
    } catch (const EConvertError& e) {
      valid = false;
      EXPECT_EQ(e.message(), "Ungültiges Argument zum Codieren des Datums");
    }
    EXPECT_EQ(valid, c.valid) << c.day << "." << c.month << "." << c.year;
  }
  // Consecutive days differ by one, across the turn of a year and of a leap day.
  EXPECT_EQ((EncodeDate(2016, 1, 2) - EncodeDate(2015, 12, 31)).count(), 2);
  EXPECT_EQ((EncodeDate(2016, 3, 1) - EncodeDate(2016, 2, 28)).count(), 2);
  EXPECT_EQ((EncodeDate(1, 1, 1) - EncodeDate(9999, 12, 31)).count(), -3'652'058);
}

TEST(ResultNames, DateAndThresholdTexts) {
  const DateParts june = FormatDateParts(EncodeDate(2016, 6, 1));
  EXPECT_EQ(june.Jahr + june.Monat + june.Tag, "20160601");
  const DateParts early = FormatDateParts(EncodeDate(999, 12, 31));
  EXPECT_EQ(early.Jahr + early.Monat + early.Tag, "9991231");
  EXPECT_EQ(PeriodNameText(early, FormatDateParts(EncodeDate(5, 1, 9))), "9991231_50109");
  EXPECT_EQ(ThresholdNameText(50), "50");
  EXPECT_EQ(ThresholdNameText(12345), "1234");
  EXPECT_EQ(ThresholdNameText(-7), "-7");
  EXPECT_EQ(ThresholdNameText(-4096), "-409");
  EXPECT_EQ(ThresholdNameText(std::numeric_limits<std::int32_t>::min()), "-214");
}

// A year below 1000 keeps its digits in the folder and gives the name only
// what it has from the third character on: 999 gives "9".
TEST(EnumerateHourlyProducts, YearsBelow1000AndTheirTurn) {
  MemoryPlatform platform("999\n12\n31\n1000\n1\n2\n");
  platform.AddFile("d/999/12/raa01-rw_10000-912310050-dwd---bin", "x");
  platform.AddFile("d/1000/01/raa01-rw_10000-0001012345-dwd---bin", "x");
  platform.AddFile("d/1000/01/raa01-rw_10000-0001020050-dwd---bin", "x");  // the end date
  Console console(platform);
  const Period period = ReadPeriod(console, platform, "Start?", "Ende?");
  EXPECT_EQ(period.AnzahlTage, 2);
  console.Flush();
  const std::size_t dialogue = platform.output().size();

  std::vector<std::string> read, stamps;
  EnumerateHourlyProducts(console, platform, period, "d/",
                          [&](const std::string& name, std::string_view stamp) {
                            read.push_back(name);
                            stamps.emplace_back(stamp);
                          });
  console.Flush();
  EXPECT_EQ(read, (std::vector<std::string>{"d/999/12/raa01-rw_10000-912310050-dwd---bin",
                                            "d/1000/01/raa01-rw_10000-0001012345-dwd---bin"}));
  EXPECT_EQ(stamps, (std::vector<std::string>{"912310050-", "0001012345"}));
  const std::string lines = platform.output().substr(dialogue);
  EXPECT_TRUE(lines.starts_with("d/999/12/raa01-rw_10000-912310050-dwd---bin\r\n"
                                "Fehler in: d/999/12/raa01-rw_10000-912310145-dwd---bin\r\n"));
  EXPECT_TRUE(lines.ends_with("Fehler in: d/1000/01/raa01-rw_10000-0001012245-dwd---bin\r\n"
                              "d/1000/01/raa01-rw_10000-0001012345-dwd---bin\r\n"));
  std::size_t count = 0;
  for (std::size_t at = 0; (at = lines.find("\r\n", at)) != std::string::npos; at += 2) ++count;
  EXPECT_EQ(count, 48u);  // one line an hour, nothing of the end date
}

}  // namespace
}  // namespace pluv
