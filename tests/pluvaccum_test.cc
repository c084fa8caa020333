// pluvaccum end to end: the dialogue, the walk over the hours, the raster of sums.
#include <filesystem>

#include "period_tools.h"

namespace pluv {
namespace {

const std::string kTitle = Lines({
    "Aufsummieren von 1h-RADOLAN RW binär Dateien",
    "Ausgabe in ASCII Format für ArcGIS Raster  (Version: 09.2016.1)",
    " ",
});

// Cells that differ from product to product: the value grows with `seed`.
rwgen::CellFunction Seeded(int seed) {
  return [seed](int x, int y) { return static_cast<std::uint16_t>((x * 3 + y + seed * 101) % 300); };
}

std::string SumRaster(const std::function<std::int64_t(int, int)>& sum) {
  return ExpectedRaster("NODATA_VALUE -1", sum);
}

std::string ZeroRaster() { return SumRaster([](int, int) { return 0; }); }

using Pluvaccum = PeriodToolTest;

TEST_F(Pluvaccum, PeriodAcrossTheTurnOfTheYear) {
  PutProduct(2015, 12, 31, 0, 50, Seeded(1));
  PutProduct(2016, 1, 1, 23, 45, Seeded(2));
  PutProduct(2016, 1, 2, 0, 50, Seeded(3));  // the end date is not visited
  RunResult run = Run("pluvaccum", "2015\n12\n31\n2016\n1\n2\ndata/\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output),
            kTitle + PeriodDialogue(kSumQuestions, TargetDate(2015, 12, 31), TargetDate(2016, 1, 2), 2) + kPathPrompts +
                DayLines("data/", 2015, 12, 31, {{0, 50}}) + DayLines("data/", 2016, 1, 1, {{23, 45}}) +
                "Ausgabe Summe: Summe_20151231_20160102.asc\r\n");
  EXPECT_EQ(File("Summe_20151231_20160102.asc"),
            SumRaster([](int x, int y) { return Seeded(1)(x, y) + Seeded(2)(x, y); }));
}

TEST_F(Pluvaccum, EmptyPeriodsWriteZeros) {
  PutProduct(2016, 6, 1, 0, 50, Seeded(1));
  // Start equal to end: no hour is tried, the raster holds zeros.
  std::filesystem::create_directory(dir_ / "out");
  RunResult same = Run("pluvaccum", "2016\n6\n1\n2016\n6\n1\ndata/\nout/\n");
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(AfterBanner(same.output), kTitle +
                                          PeriodDialogue(kSumQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 1), 0) +
                                          kPathPrompts + "Ausgabe Summe: " + Native("out/Summe_20160601_20160601.asc") + "\r\n");
  const std::string zeros = File("out/Summe_20160601_20160601.asc");
  EXPECT_EQ(zeros.size(), 1'620'093u);
  EXPECT_EQ(zeros, ZeroRaster());

  // End three days before start: a negative count, the start date first in the name.
  RunResult before = Run("pluvaccum", "2016\n6\n4\n2016\n6\n1\ndata/\n\n");
  EXPECT_EQ(before.status, 0);
  EXPECT_EQ(AfterBanner(before.output), kTitle +
                                            PeriodDialogue(kSumQuestions, TargetDate(2016, 6, 4), TargetDate(2016, 6, 1), -3) +
                                            kPathPrompts + "Ausgabe Summe: Summe_20160604_20160601.asc\r\n");
  EXPECT_EQ(File("Summe_20160604_20160601.asc"), zeros);
}

TEST_F(Pluvaccum, DayWithAll24Products) {
  std::map<int, int> found;
  for (int hour = 0; hour < 24; ++hour) {
    PutProduct(2016, 6, 1, hour, 50, [](int x, int y) { return static_cast<std::uint16_t>(x == 1 && y == 1 ? 4095 : 7); });
    found[hour] = 50;
  }
  RunResult run = Run("pluvaccum", "2016\n6\n1\n2016\n6\n2\ndata/\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output), kTitle +
                                         PeriodDialogue(kSumQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                                         kPathPrompts + DayLines("data/", 2016, 6, 1, found) +
                                         "Ausgabe Summe: Summe_20160601_20160602.asc\r\n");
  EXPECT_EQ(File("Summe_20160601_20160602.asc"),
            SumRaster([](int x, int y) { return x == 1 && y == 1 ? 24 * 4095 : 24 * 7; }));
}

TEST_F(Pluvaccum, WhichProductOfAnHourIsRead) {
  PutProduct(2016, 6, 1, 1, 50, Seeded(1));  // both minutes: only 50 is read
  PutProduct(2016, 6, 1, 1, 45, Seeded(2));
  PutProduct(2016, 6, 1, 2, 45, Seeded(3));  // minute 45 alone is read
  // A directory named like a product is no product.
  std::filesystem::create_directories(DayDir(2016, 6) + rwgen::ProductName(2016, 6, 1, 3, 50));
  std::filesystem::create_directories(DayDir(2016, 6) + rwgen::ProductName(2016, 6, 1, 4, 50));
  PutProduct(2016, 6, 1, 4, 45, Seeded(4));
  RunResult run = Run("pluvaccum", "2016\n6\n1\n2016\n6\n2\ndata/\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output), kTitle +
                                         PeriodDialogue(kSumQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                                         kPathPrompts +
                                         DayLines("data/", 2016, 6, 1, {{1, 50}, {2, 45}, {4, 45}}) +
                                         "Ausgabe Summe: Summe_20160601_20160602.asc\r\n");
  EXPECT_EQ(File("Summe_20160601_20160602.asc"), SumRaster([](int x, int y) {
              return Seeded(1)(x, y) + Seeded(3)(x, y) + Seeded(4)(x, y);
            }));
}

TEST_F(Pluvaccum, OnlyReadings0And1Add) {
  // Per column: reading 0, 1, 10, 100, 1000, 11, all with the value 5 + column.
  const std::uint16_t flags[] = {0x0000, 0x1000, 0x2000, 0x4000, 0x8000, 0x3000};
  auto cells = [&](int x, int) { return static_cast<std::uint16_t>(flags[x % 6] | (5 + x)); };
  PutProduct(2016, 6, 1, 0, 50, cells);
  PutProduct(2016, 6, 1, 1, 50, cells);
  RunResult run = Run("pluvaccum", "2016\n6\n1\n2016\n6\n2\ndata/\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(File("Summe_20160601_20160602.asc"),
            SumRaster([](int x, int) { return x % 6 <= 1 ? 2 * (5 + x) : 0; }));
}

TEST_F(Pluvaccum, AnswersAndPathsAsTyped) {
  PutProduct(2016, 6, 1, 5, 50, Seeded(1));
  // An existing, longer result is replaced.
  rwgen::WriteFile(dir_ / "Summe_20160601_20160602.asc", std::string(2'000'000, 'x'));
  // 65542 keeps its low 16 bits: June. Blanks and words after a number do not matter.
  RunResult run = Run("pluvaccum", "  2016 Jahr\n65542\n01\n\n2016\n6\n2\ndata/\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output), kTitle +
                                         PeriodDialogue(kSumQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                                         kPathPrompts + DayLines("data/", 2016, 6, 1, {{5, 50}}) +
                                         "Ausgabe Summe: Summe_20160601_20160602.asc\r\n");
  EXPECT_EQ(File("Summe_20160601_20160602.asc"), SumRaster([](int x, int y) { return Seeded(1)(x, y); }));

  // A data path without its final separator, or one without the year's
  // directory, finds nothing and says so for every hour.
  for (const std::string& data : {std::string("data"), std::string("elsewhere/")}) {
    RunResult missing = Run("pluvaccum", "2016\n6\n1\n2016\n6\n2\n" + data + "\n\n");
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(AfterBanner(missing.output), kTitle +
                                               PeriodDialogue(kSumQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                                               kPathPrompts + DayLines(data, 2016, 6, 1) +
                                               "Ausgabe Summe: Summe_20160601_20160602.asc\r\n");
    EXPECT_EQ(File("Summe_20160601_20160602.asc"), ZeroRaster());
  }
}

TEST_F(Pluvaccum, AbsolutePaths) {
  PutProduct(2016, 6, 1, 5, 50, Seeded(1));
  std::filesystem::create_directory(dir_ / "out");
  const std::string data = NativeAbsolute(dir_ / "data/");
  const std::string out = NativeAbsolute(dir_ / "out/");
  RunResult run = RunProgram("pluvaccum", dir_.path(), "2016\n6\n1\n2016\n6\n2\n" + data + "\n" + out + "\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output), kTitle +
                                         PeriodDialogue(kSumQuestions, TargetDate(2016, 6, 1), TargetDate(2016, 6, 2), 1) +
                                         kPathPrompts + DayLines(data, 2016, 6, 1, {{5, 50}}) +
                                         "Ausgabe Summe: " + out + "Summe_20160601_20160602.asc\r\n");
  EXPECT_EQ(File("out/Summe_20160601_20160602.asc"), SumRaster([](int x, int y) { return Seeded(1)(x, y); }));
}

// Failures end the run with their report and status 1.
struct FailureCase {
  const char* name;
  const char* input;
  const char* tail;  // the end of the transcript, from the point of failure
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class PluvaccumFailure : public PeriodToolTest,
                         public testing::WithParamInterface<FailureCase> {};

TEST_P(PluvaccumFailure, EndsWithTheReport) {
  const FailureCase& c = GetParam();
  std::filesystem::create_directory(dir_ / "taken");
  std::filesystem::create_directory(dir_ / "taken/Summe_20160601_20160602.asc");
  PutProduct(2016, 6, 1, 0, 50, Seeded(1));
  const std::string whole =
      rwgen::Product(rwgen::Header(rwgen::Stamp(2016, 6, 2, 0, 50)), Seeded(2));
  PutBytes(2016, 6, 2, 0, 50, rwgen::Truncated(whole, whole.size() - 1));
  PutBytes(2016, 6, 3, 0, 50, rwgen::WithoutHeaderEnd(4000));
  RunResult run = Run("pluvaccum", c.input);
  EXPECT_EQ(run.status, 1);
  const std::string output = AfterBanner(run.output);
  const std::string tail = Native(c.tail);  // paths are the only "/" in the tails
  ASSERT_GE(output.size(), tail.size());
  EXPECT_EQ(output.substr(output.size() - tail.size()), tail);
  // Nothing but the tree and the directory of the fixture is left.
  int entries = 0;
  for (auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PluvaccumFailure,
    testing::Values(
        FailureCase{"letters", "2016\nJuni\n",
                    "Jahr (JJJJ): Monat  (MM): EInOutError: Ungültige numerische Eingabe\r\n"},
        FailureCase{"no_29_february_2015", "2015\n2\n29\n2016\n",
                    "Jahr (JJJJ): Monat  (MM): Tag    (TT): "
                    "EConvertError: Ungültiges Argument zum Codieren des Datums\r\n"},
        FailureCase{"no_31_april", "2016\n4\n1\n2016\n4\n31\n",
                    "\r\n \r\nJahr (JJJJ): Monat  (MM): Tag    (TT): "
                    "EConvertError: Ungültiges Argument zum Codieren des Datums\r\n"},
        FailureCase{"month_minus_1", "2016\n-1\n1\n",
                    "Tag    (TT): EConvertError: Ungültiges Argument zum Codieren des Datums\r\n"},
        FailureCase{"target_directory_missing", "2016\n6\n1\n2016\n6\n1\ndata/\nnone/\n",
                    "Ausgabe Summe: none/Summe_20160601_20160601.asc\r\n"
                    "EInOutError: Ungültiger Dateiname - none/Summe_20160601_20160601.asc\r\n"},
        FailureCase{"result_name_is_a_directory", "2016\n6\n1\n2016\n6\n2\ndata/\ntaken/\n",
                    "Ausgabe Summe: taken/Summe_20160601_20160602.asc\r\n"
                    "EInOutError: Dateizugriff verweigert\r\n"},
        FailureCase{"truncated_product", "2016\n6\n2\n2016\n6\n3\ndata/\n\n",
                    "data/2016/06/raa01-rw_10000-1606020050-dwd---bin\r\n"
                    "EInOutError: Versuch hinter dem Dateiende zu lesen\r\n"},
        FailureCase{"no_byte_3", "2016\n6\n3\n2016\n6\n4\ndata/\n\n",
                    "data/2016/06/raa01-rw_10000-1606030050-dwd---bin\r\n"
                    "EInOutError: Versuch hinter dem Dateiende zu lesen\r\n"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pluv
