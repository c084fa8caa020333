// pluvscan end to end: threshold, window, and the list of exceedances.
#include <filesystem>

#include "period_tools.h"

namespace pluv {
namespace {

const std::string kTitle = Lines({
    "Suchen nach Überschreitungen einer N-Schwelle aus RADOLAN RW binär Dateien",
    "Ausgabe in ASCII Textdatei (Version: 09.2016.2)",
    " ",
});

const std::string kWindowText = Lines({
    "Eingabe des Suchbereichs innerhalb des RADOLAN_Rasters (900x900 km)",
    "z.B. RADOLAN_Rahmen für die Fläche des Landes HESSEN",
    "X_min=352 km ; X_max=543 km/ Y_min=259 km; Y_max=529 km",
    " ",
});

// The dialogue from the threshold to the path prompts, each prompt answered once.
const std::string kQuestions = "N_Schwelle (10-tel mm):  \r\n" + kWindowText +
                               "X_min [km]: X_max [km]: Y_min [km]: Y_max [km]:  \r\n" +
                               kPathPrompts;

struct Window {
  int x_min, x_max, y_min, y_max;
};
constexpr Window kHessen{352, 543, 259, 529};

// Values run with the cell; every 5th row has reading 1, every 7th reading
// 10, every 9th reading 1000.
std::uint16_t Mixed(int x, int y) {
  std::uint16_t flags = y % 9 == 0 ? 0x8000 : y % 7 == 0 ? 0x2000 : y % 5 == 0 ? 0x1000 : 0;
  return static_cast<std::uint16_t>(flags | (x + 3 * y) % 300);
}

// The list lines of one product, the plain way.
std::string Hits(const rwgen::CellFunction& cells, const std::string& stamp, Window w,
                 int threshold) {
  std::string text;
  for (int y = w.y_min; y <= w.y_max; ++y) {
    for (int x = w.x_min; x <= w.x_max; ++x) {
      const std::uint16_t word = cells(x, y);
      if ((word & 0xE000) == 0 && (word & 0x0FFF) >= threshold) {
        text += std::to_string(x) + " " + std::to_string(y) + " " + stamp + " " +
                std::to_string(word & 0x0FFF) + "\r\n";
      }
    }
  }
  return text;
}

std::string Answers(const std::string& period, int threshold, Window w, const std::string& target = "") {
  return period + std::to_string(threshold) + "\n" + std::to_string(w.x_min) + "\n" +
         std::to_string(w.x_max) + "\n" + std::to_string(w.y_min) + "\n" +
         std::to_string(w.y_max) + "\ndata/\n" + target + "\n";
}

using Pluvscan = PeriodToolTest;

TEST_F(Pluvscan, ListsEveryHitOfTheWindowHourByHour) {
  auto other = [](int x, int y) { return Mixed(y, x); };
  PutProduct(2016, 5, 29, 0, 50, Mixed);
  PutProduct(2016, 5, 29, 5, 45, other);  // its lines carry the stamp of minute 45
  PutProduct(2016, 5, 29, 7, 50, other);
  PutProduct(2016, 5, 29, 7, 45, Mixed);  // never read beside minute 50
  PutProduct(2016, 5, 30, 23, 50, Mixed);
  RunResult run = Run("pluvscan", Answers("2016\n5\n29\n2016\n5\n31\n", 150, kHessen));
  EXPECT_EQ(run.status, 0);
  const std::string list = "Ueberschr_20160529_20160531_150.txt";
  EXPECT_EQ(AfterBanner(run.output),
            kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 5, 29), TargetDate(2016, 5, 31), 2) + kQuestions +
                "Ausgabe Überschreitungen: " + list + "\r\n" +
                DayLines("data/", 2016, 5, 29, {{0, 50}, {5, 45}, {7, 50}}) +
                DayLines("data/", 2016, 5, 30, {{23, 50}}));
  EXPECT_EQ(File(list), Hits(Mixed, "1605290050", kHessen, 150) +
                            Hits(other, "1605290545", kHessen, 150) +
                            Hits(other, "1605290750", kHessen, 150) +
                            Hits(Mixed, "1605302350", kHessen, 150));
}

TEST_F(Pluvscan, WindowAnswersOutsideTheGridAreAskedAgain) {
  PutProduct(2016, 5, 29, 1, 50, [](int x, int y) {
    return static_cast<std::uint16_t>(x == 900 && y == 1 ? 4095 : x == 1 && y == 900 ? 4094 : 0);
  });
  // The whole grid; 4095 is reached by one cell, 4094 falls short of it.
  RunResult run = Run("pluvscan", "2016\n5\n29\n2016\n5\n30\n4095\n0\n1\n901\n900\n-5\n1\n900\ndata/\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output),
            kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 5, 29), TargetDate(2016, 5, 30), 1) +
                "N_Schwelle (10-tel mm):  \r\n" + kWindowText +
                "X_min [km]: X_min [km]: X_max [km]: X_max [km]: Y_min [km]: Y_min [km]: "
                "Y_max [km]:  \r\n" +
                kPathPrompts + "Ausgabe Überschreitungen: Ueberschr_20160529_20160530_4095.txt\r\n" +
                DayLines("data/", 2016, 5, 29, {{1, 50}}));
  EXPECT_EQ(File("Ueberschr_20160529_20160530_4095.txt"), "900 1 1605290150 4095\r\n");
}

TEST_F(Pluvscan, WindowsAndThresholdsAtTheirLimits) {
  PutProduct(2016, 5, 29, 2, 50, Mixed);
  struct Case {
    int threshold;
    Window window;
    std::string name;  // the threshold's text in the list's name
  };
  const Case cases[] = {
      {0, {400, 400, 300, 300}, "0"},       // a single cell
      {-1234, {1, 900, 1, 900}, "-123"},    // the whole grid, every usable cell
      {12345, {1, 900, 1, 900}, "1234"},    // never reached
      {100, {500, 400, 1, 900}, "100"},     // minimum above maximum: empty
  };
  for (const Case& c : cases) {
    RunResult run = Run("pluvscan", Answers("2016\n5\n29\n2016\n5\n30\n", c.threshold, c.window));
    EXPECT_EQ(run.status, 0);
    const std::string list = "Ueberschr_20160529_20160530_" + c.name + ".txt";
    EXPECT_EQ(File(list), Hits(Mixed, "1605290250", c.window, c.threshold)) << c.name;
  }
  EXPECT_EQ(File("Ueberschr_20160529_20160530_0.txt"), "400 300 1605290250 100\r\n");
}

TEST_F(Pluvscan, EmptyPeriodsCreateAnEmptyList) {
  PutProduct(2016, 5, 29, 2, 50, Mixed);
  std::filesystem::create_directory(dir_ / "out");
  for (const char* end : {"2016\n5\n29\n", "2015\n5\n29\n"}) {
    RunResult run = Run("pluvscan", Answers(std::string("2016\n5\n29\n") + end, 5, kHessen, "out/"));
    EXPECT_EQ(run.status, 0);
    const bool same = end[3] == '6';
    const std::string list = std::string("out/Ueberschr_20160529_") + (same ? "20160529" : "20150529") + "_5.txt";
    EXPECT_EQ(AfterBanner(run.output),
              kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 5, 29), same ? TargetDate(2016, 5, 29) : TargetDate(2015, 5, 29),
                                      same ? 0 : -366) +
                  kQuestions + "Ausgabe Überschreitungen: " + Native(list) + "\r\n");
    EXPECT_TRUE(Exists(list));
    EXPECT_EQ(File(list), "");
  }
}

TEST_F(Pluvscan, TruncatedProductKeepsTheHitsFoundBeforeIt) {
  PutProduct(2016, 5, 29, 0, 50, Mixed);
  const std::string whole = rwgen::Product(rwgen::Header("1605290150"), Mixed);
  // Cut in the middle of row 300 of the window.
  const std::size_t cut = rwgen::Header("1605290150").size() + 2 * (299 * 900 + 450) + 1;
  PutBytes(2016, 5, 29, 1, 50, rwgen::Truncated(whole, cut));
  PutProduct(2016, 5, 29, 2, 50, Mixed);
  RunResult run = Run("pluvscan", Answers("2016\n5\n29\n2016\n5\n30\n", 150, kHessen));
  EXPECT_EQ(run.status, 1);
  const std::string list = "Ueberschr_20160529_20160530_150.txt";
  EXPECT_EQ(AfterBanner(run.output),
            kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 5, 29), TargetDate(2016, 5, 30), 1) + kQuestions +
                "Ausgabe Überschreitungen: " + list + "\r\n" +
                DayLines("data/", 2016, 5, 29, {{0, 50}, {1, 50}}, 2) +
                "EInOutError: Versuch hinter dem Dateiende zu lesen\r\n");
  // Row 300 up to column 450 was complete.
  const std::string partial = Hits(Mixed, "1605290150", {352, 543, 259, 299}, 150) +
                              Hits(Mixed, "1605290150", {352, 450, 300, 300}, 150);
  EXPECT_EQ(File(list), Hits(Mixed, "1605290050", kHessen, 150) + partial);

  // An empty window still reads every product, so the damage still shows.
  RunResult empty = Run("pluvscan", Answers("2016\n5\n29\n2016\n5\n30\n", 150, {900, 1, 900, 1}));
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(File(list), "");
}

TEST_F(Pluvscan, FailuresInTheDialogue) {
  const std::string period = "2016\n5\n29\n2016\n5\n30\n";
  const std::string before = kTitle + PeriodDialogue(kSearchQuestions, TargetDate(2016, 5, 29), TargetDate(2016, 5, 30), 1);
  struct Case {
    std::string input;
    std::string tail;  // the transcript after the period dialogue
  };
  const Case cases[] = {
      {period + "viel\n", "N_Schwelle (10-tel mm): EInOutError: Ungültige numerische Eingabe\r\n"},
      {period + "150\n352\nHessen\n",
       "N_Schwelle (10-tel mm):  \r\n" + kWindowText +
           "X_min [km]: X_max [km]: EInOutError: Ungültige numerische Eingabe\r\n"},
      // The input ends while a window bound is asked for: no endless asking.
      {period + "150\n352\n543\n \n",
       "N_Schwelle (10-tel mm):  \r\n" + kWindowText +
           "X_min [km]: X_max [km]: Y_min [km]: EInOutError: Versuch hinter dem Dateiende zu lesen\r\n"},
      // The list cannot be created: the run ends before any product is looked for.
      {Answers(period, 150, kHessen, "none/"),
       kQuestions + "Ausgabe Überschreitungen: " + Native("none/Ueberschr_20160529_20160530_150.txt") +
           "\r\nEInOutError: Ungültiger Dateiname - " + Native("none/Ueberschr_20160529_20160530_150.txt") +
           "\r\n"},
  };
  for (const Case& c : cases) {
    RunResult run = Run("pluvscan", c.input);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(AfterBanner(run.output), before + c.tail);
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

}  // namespace
}  // namespace pluv
