// pluvcount end to end: five thresholds, five rasters of counts.
#include <filesystem>
#include <vector>

#include "period_tools.h"

namespace pluv {
namespace {

const std::string kTitle = Lines({
    "Ermittlung von Überschreitungshäufigkeiten aus 1h-RADOLAN RW binär Dateien",
    "Ausgabe in ASCII Format für ArcGIS Raster  (Version: 09.2016.1)",
    " ",
});

// The threshold block, answered.
const std::string kThresholdPrompts =
    "Bitte geben Sie 5 1h-Niederschlagssummenschwellen ein:\r\n"
    "N_Summenschwelle 1 (10-tel mm):  \r\n"
    "N_Summenschwelle 2 (10-tel mm):  \r\n"
    "N_Summenschwelle 3 (10-tel mm):  \r\n"
    "N_Summenschwelle 4 (10-tel mm):  \r\n"
    "N_Summenschwelle 5 (10-tel mm):  \r\n";

std::string Announce(std::initializer_list<std::string> names) {
  std::string text;
  for (const std::string& name : names) text += "Ausgabe Haeufigkeit: " + name + "\r\n";
  return text;
}

std::string CountRaster(const std::function<int(int, int)>& count) {
  return ExpectedRaster("NODATA_VALUE -1", count);
}

// The value of a cell is its column mod 200; every 7th row has reading 1,
// every 11th reading 10 and every 13th reading 1000.
std::uint16_t Mixed(int x, int y) {
  std::uint16_t flags = y % 13 == 0 ? 0x8000 : y % 11 == 0 ? 0x2000 : y % 7 == 0 ? 0x1000 : 0;
  return static_cast<std::uint16_t>(flags | x % 200);
}
bool Counts(int y) { return y % 13 != 0 && y % 11 != 0; }

using Pluvcount = PeriodToolTest;

TEST_F(Pluvcount, CountsTheHoursThatReachEachThreshold) {
  PutProduct(2016, 6, 1, 0, 50, Mixed);
  PutProduct(2016, 6, 1, 7, 50, Mixed);
  PutProduct(2016, 6, 1, 7, 45, rwgen::Zero);  // never read beside minute 50
  PutProduct(2016, 6, 1, 9, 45, [](int x, int y) { return Mixed(y, x); });
  // In any order; 0 counts every usable hour, 4096 is never reached.
  RunResult run = Run("pluvcount", "2016\n6\n1\n2016\n6\n2\n150\n50\n0\n4096\n199\ndata/\n\n");
  EXPECT_EQ(run.status, 0);
  const std::string name = "Haeufigkeit_20160601_20160602_";
  EXPECT_EQ(AfterBanner(run.output),
            kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                kThresholdPrompts + kPathPrompts +
                DayLines("data/", 2016, 6, 1, {{0, 50}, {7, 50}, {9, 45}}) +
                Announce({name + "150.asc", name + "50.asc", name + "0.asc", name + "4096.asc",
                          name + "199.asc"}));
  for (int threshold : {150, 50, 0, 4096, 199}) {
    EXPECT_EQ(File(name + std::to_string(threshold) + ".asc"),
              CountRaster([threshold](int x, int y) {
                // Two hours of Mixed(x, y), one of Mixed(y, x); a value equal
                // to the threshold counts.
                return 2 * (Counts(y) && x % 200 >= threshold) + (Counts(x) && y % 200 >= threshold);
              }))
        << threshold;
  }
}

TEST_F(Pluvcount, ThresholdTextsInTheNames) {
  // 12345 is cut to 1234 and so shares the name of 1234: announced twice, the
  // later raster (of 1234, reached in the odd columns) replaces the earlier
  // (of 12345, all zeros). -4096 is cut to -409.
  PutProduct(2016, 6, 1, 3, 50, Mixed);
  PutProduct(2016, 6, 1, 4, 50, [](int x, int) { return static_cast<std::uint16_t>(x % 2 ? 1300 : 0); });
  RunResult run = Run("pluvcount", "2016\n6\n1\n2016\n6\n2\n12345\n-7\n-4096\n1234\n1000\ndata/\n\n");
  EXPECT_EQ(run.status, 0);
  const std::string name = "Haeufigkeit_20160601_20160602_";
  EXPECT_EQ(AfterBanner(run.output),
            kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                kThresholdPrompts + kPathPrompts + DayLines("data/", 2016, 6, 1, {{3, 50}, {4, 50}}) +
                Announce({name + "1234.asc", name + "-7.asc", name + "-409.asc", name + "1234.asc",
                          name + "1000.asc"}));
  EXPECT_EQ(File(name + "1234.asc"), CountRaster([](int x, int) { return x % 2; }));
  EXPECT_EQ(File(name + "-7.asc"), CountRaster([](int, int y) { return int{Counts(y)} + 1; }));
  EXPECT_EQ(File(name + "-409.asc"), File(name + "-7.asc"));
}

TEST_F(Pluvcount, EmptyPeriodsWriteFiveRastersOfZeros) {
  PutProduct(2016, 6, 1, 3, 50, Mixed);
  std::filesystem::create_directory(dir_ / "out");
  for (const char* end : {"2016\n6\n1\n", "2016\n5\n30\n"}) {
    RunResult run = Run("pluvcount", std::string("2016\n6\n1\n") + end + "1\n2\n3\n4\n5\ndata/\nout/\n");
    EXPECT_EQ(run.status, 0);
    const bool same = end[7] == '1';
    const std::string name = std::string("out/Haeufigkeit_20160601_") + (same ? "20160601_" : "20160530_");
    EXPECT_EQ(AfterBanner(run.output),
              kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 6, 1), same ? TargetDate(2016, 6, 1) : TargetDate(2016, 5, 30),
                                      same ? 0 : -2) +
                  kThresholdPrompts + kPathPrompts +
                  Announce({Native(name + "1.asc"), Native(name + "2.asc"), Native(name + "3.asc"),
                            Native(name + "4.asc"), Native(name + "5.asc")}));
    for (int k = 1; k <= 5; ++k) {
      EXPECT_EQ(File(name + std::to_string(k) + ".asc"), CountRaster([](int, int) { return 0; }));
    }
  }
}

TEST_F(Pluvcount, ThirdRasterRefusedLeavesTheFirstTwoComplete) {
  PutProduct(2016, 6, 1, 3, 50, Mixed);
  const std::string name = "Haeufigkeit_20160601_20160602_";
  std::filesystem::create_directory(dir_ / (name + "30.asc"));
  RunResult run = Run("pluvcount", "2016\n6\n1\n2016\n6\n2\n10\n20\n30\n40\n50\ndata/\n\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(AfterBanner(run.output),
            kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                kThresholdPrompts + kPathPrompts + DayLines("data/", 2016, 6, 1, {{3, 50}}) +
                Announce({name + "10.asc", name + "20.asc", name + "30.asc"}) +
                "EInOutError: Dateizugriff verweigert\r\n");
  EXPECT_EQ(File(name + "10.asc"),
            CountRaster([](int x, int y) { return int{Counts(y) && x % 200 >= 10}; }));
  EXPECT_EQ(File(name + "20.asc"),
            CountRaster([](int x, int y) { return int{Counts(y) && x % 200 >= 20}; }));
  EXPECT_FALSE(Exists(name + "40.asc"));
  EXPECT_FALSE(Exists(name + "50.asc"));
}

TEST_F(Pluvcount, FailuresBeforeTheRastersWriteNothing) {
  const std::string whole = rwgen::Product(rwgen::Header(rwgen::Stamp(2016, 6, 1, 4, 50)), Mixed);
  PutBytes(2016, 6, 1, 4, 50, rwgen::Truncated(whole, whole.size() / 2));
  RunResult letters = Run("pluvcount", "2016\n6\n1\n2016\n6\n2\n10\nzwanzig\n");
  EXPECT_EQ(letters.status, 1);
  EXPECT_EQ(AfterBanner(letters.output),
            kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                "Bitte geben Sie 5 1h-Niederschlagssummenschwellen ein:\r\n"
                "N_Summenschwelle 1 (10-tel mm):  \r\n"
                "N_Summenschwelle 2 (10-tel mm): EInOutError: Ungültige numerische Eingabe\r\n");

  RunResult truncated = Run("pluvcount", "2016\n6\n1\n2016\n6\n2\n10\n20\n30\n40\n50\ndata/\n\n");
  EXPECT_EQ(truncated.status, 1);
  const std::string dir = Native("data/2016/06/");
  EXPECT_EQ(AfterBanner(truncated.output),
            kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                kThresholdPrompts + kPathPrompts +
                DayLines("data/", 2016, 6, 1, {}, 4) + dir +
                rwgen::ProductName(2016, 6, 1, 4, 50) +
                "\r\nEInOutError: Versuch hinter dem Dateiende zu lesen\r\n");
  int entries = 0;
  for (auto& entry : std::filesystem::directory_iterator(dir_.path())) entries += entry.exists();
  EXPECT_EQ(entries, 1);  // data/ alone
}

}  // namespace
}  // namespace pluv
