// pluvconv end to end: the dialogue, the echo of the header, the raster.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "e2e.h"
#include "rwgen.h"
#include "target.h"

namespace pluv {
namespace {

const std::string kStart = Lines({
    " ",
    "Routine zum Einlesen und Umwandeln von RADOLAN RW binär Dateien",
    "Ausgabe in ASCII Format für ArcGIS Raster  (Version: 09.2016.1)",
    " ",
    "RADOLAN binär Dateiname: raa01-rw_10000-JJMMTTHHMM-dwd---bin.gz  (Binär Format)",
    "AUSGABE ASCII Dateiname: raa01-rw_10000-JJMMTTHHMM-dwd---asc.asc (ASCII Format)",
    " ",
});
const std::string kYear = "Jahr   (JJ): ";
const std::string kPrompts =
    "Jahr   (JJ): Monat  (MM): Tag    (TT): Stunde (HH): Minute (MM): ";

// The console lines of one product converted.
std::string Converted(const std::string& product, const std::string& header_echo) {
  return " \r\nFolgende Datei wird umgewandelt: " + product + "\r\n \r\n" + header_echo +
         " \r\n \r\nNächste Datei: \r\n \r\n";
}

// A cell of every flag nibble: the nibble cycles with the column, the value
// with the row.
std::uint16_t AllNibbles(int x, int y) {
  return static_cast<std::uint16_t>((x % 16) << 12 | (y * 5 + x) % 4096);
}

// What pluvconv writes for a cell word: readings 0 and 1 the value, 10 and
// 1000 its negation, anything else 0.
int Converted(std::uint16_t word) {
  const int value = word & 0x0FFF;
  switch (word >> 12) {
    case 0b0000: case 0b0001: return value;
    case 0b0010: case 0b1000: return -value;
    default: return 0;
  }
}

class Pluvconv : public testing::Test {
 protected:
  void Put(const std::string& name, const std::string& bytes) { rwgen::WriteFile(dir_ / name, bytes); }
  RunResult Convert(const std::string& input, Output output = Output::kFile) {
    RunResult run = RunProgram("pluvconv", dir_.path(), input, RunOptions{output});
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.errors, "");
    return run;
  }
  std::string File(const std::string& name) { return ReadWholeFile(dir_ / name); }

  TempDir dir_;
  const std::string header_ = rwgen::Header("1609011250");
  const std::string product_ = "raa01-rw_10000-1609011250-dwd---bin";
  const std::string raster_ = "raa01-rw_10000-1609011250-dwd---asc.asc";
};

TEST_F(Pluvconv, ConvertsAProductIntoARasterBesideIt) {
  Put(product_, rwgen::Product(header_, AllNibbles));
  RunResult run = Convert("16\n09\n01\n12\n50\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output), kStart + kPrompts + Converted(product_, header_) + kYear);
  const std::string raster = File(raster_);
  EXPECT_EQ(raster, ExpectedRaster("NODATA_VALUE -2500",
                                   [](int x, int y) { return Converted(AllNibbles(x, y)); }));
}

TEST_F(Pluvconv, NoDataWordBecomesTheNoDataValue) {
  // 0x29C4 in the south-west corner, high byte 128 with 57 beside it.
  Put(product_, rwgen::Product(header_, [](int x, int y) -> std::uint16_t {
        if (x == 1 && y == 1) return rwgen::kNoData;
        if (x == 2 && y == 1) return 0x8000 | 57;
        return 3;
      }));
  RunResult run = Convert("16\n09\n01\n12\n50\n");
  EXPECT_EQ(run.status, 0);
  std::string bottom_row = "-2500 -57 ";
  for (int x = 3; x <= 900; ++x) bottom_row += "3 ";
  const std::string raster = File(raster_);
  ASSERT_GT(raster.size(), bottom_row.size());
  EXPECT_EQ(raster.substr(raster.size() - bottom_row.size()), bottom_row);
}

TEST_F(Pluvconv, AnswersFormTheNameAsTyped) {
  // A four-digit year gives its first two digits; a single 9 gives a shorter
  // name, which is not there: the dialogue starts again without a word.
  Put(product_, rwgen::Product(header_, rwgen::Zero));
  RunResult run = Convert("16\n9\n01\n12\n50\n1609\n09\n01\n12\n50 extra\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output),
            kStart + kPrompts + kPrompts + Converted(product_, header_) + kYear);
  EXPECT_EQ(File(raster_).size(), 96u + 2 * 810'000u);
}

TEST_F(Pluvconv, EachRasterShowsItsOwnProductOnly) {
  // The second product's cells of reading 100 are 0 in its raster, not the
  // values of the first product.
  const std::string second = "raa01-rw_10000-1609011350-dwd---bin";
  Put(product_, rwgen::Product(header_, rwgen::Ramp));
  Put(second, rwgen::Product(rwgen::Header("1609011350"), [](int x, int) -> std::uint16_t {
        return x % 2 == 0 ? 0x4000 | 99 : 5;
      }));
  RunResult run = Convert("16\n09\n01\n12\n50\n16\n09\n01\n13\n50\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output), kStart + kPrompts + Converted(product_, header_) + kPrompts +
                                         Converted(second, rwgen::Header("1609011350")) + kYear);
  EXPECT_EQ(File("raa01-rw_10000-1609011350-dwd---asc.asc"),
            ExpectedRaster("NODATA_VALUE -2500", [](int x, int) { return x % 2 == 0 ? 0 : 5; }));
  EXPECT_EQ(File(raster_), ExpectedRaster("NODATA_VALUE -2500", [](int x, int y) {
              return int{rwgen::Ramp(x, y)};
            }));
}

TEST_F(Pluvconv, EndOfInputInTheMiddleOfTheDialogueEndsAtTheNextYear) {
  RunResult run = Convert("16\n09");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(AfterBanner(run.output), kStart + kPrompts + kYear);
  RunResult empty = Convert("");
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(AfterBanner(empty.output), kStart + kYear);
}

TEST_F(Pluvconv, ShortProductFailsAfterItsHeaderAndLeavesTheRasterEmpty) {
  Put(product_, rwgen::Truncated(rwgen::Product(header_, rwgen::Ramp), header_.size() + 1'619'999));
  RunResult run = Convert("16\n09\n01\n12\n50\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(AfterBanner(run.output),
            kStart + kPrompts + " \r\nFolgende Datei wird umgewandelt: " + product_ +
                "\r\n \r\n" + header_ + " \r\nEInOutError: Versuch hinter dem Dateiende zu lesen\r\n");
  EXPECT_TRUE(std::filesystem::exists(dir_ / raster_));
  EXPECT_EQ(File(raster_), "");
}

TEST_F(Pluvconv, ProductWithoutByte3IsEchoedThenTheReportFollowsOnItsLine) {
  const std::string bytes = rwgen::WithoutHeaderEnd(5000);
  Put(product_, bytes);
  RunResult run = Convert("16\n09\n01\n12\n50\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(AfterBanner(run.output), kStart + kPrompts + " \r\nFolgende Datei wird umgewandelt: " +
                                         product_ + "\r\n \r\n" + bytes +
                                         "EInOutError: Versuch hinter dem Dateiende zu lesen\r\n");
  EXPECT_EQ(File(raster_), "");
}

TEST_F(Pluvconv, RasterThatCannotBeWritten) {
  Put(product_, rwgen::Product(header_, rwgen::Ramp));
  const std::string before = kStart + kPrompts + " \r\nFolgende Datei wird umgewandelt: " +
                             product_ + "\r\n \r\n";

  // A directory of the raster's name: refused before the header is read.
  std::filesystem::create_directory(dir_ / raster_);
  RunResult taken = Convert("16\n09\n01\n12\n50\n");
  EXPECT_EQ(taken.status, 1);
  EXPECT_EQ(AfterBanner(taken.output), before + "EInOutError: Dateizugriff verweigert\r\n");
  std::filesystem::remove(dir_ / raster_);

  // A full disk: the raster name is a link to /dev/full.
  ASSERT_EQ(::symlink("/dev/full", (dir_ / raster_).c_str()), 0);
  RunResult full = Convert("16\n09\n01\n12\n50\n");
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(AfterBanner(full.output),
            before + header_ + " \r\nEInOutError: Zu wenig Speicherplatz\r\n");
}

TEST_F(Pluvconv, OutputThatCannotBeWrittenEndsTheRunWithStatus1) {
  Put(product_, rwgen::Product(header_, rwgen::Ramp));
  for (Output output : {Output::kClosed, Output::kBrokenPipe}) {
    RunResult run = Convert("16\n09\n01\n12\n50\n", output);
    EXPECT_EQ(run.status, 1);
  }
}

// True when `text` has the form `pattern`, in which "9" stands for one
// digit, "#" for one or more digits and "@" for "AM" or "PM".
bool HasForm(std::string_view text, std::string_view pattern) {
  std::size_t t = 0;
  for (char p : pattern) {
    auto digit = [&] { return t < text.size() && text[t] >= '0' && text[t] <= '9'; };
    if (p == '9' || p == '#') {
      if (!digit()) return false;
      ++t;
      while (p == '#' && digit()) ++t;
    } else if (p == '@') {
      if (text.substr(t, 2) != "AM" && text.substr(t, 2) != "PM") return false;
      t += 2;
    } else {
      if (t >= text.size() || text[t] != p) return false;
      ++t;
    }
  }
  return t == text.size();
}

TEST_F(Pluvconv, BannerTellsDateAndTimeInTheUsersForm) {
  RunResult run = Convert("");
  // C.UTF-8 writes dates as 12/11/26 and times as 14:05:09; Wine's default
  // locale as 12/11/2026 and 2:05:09 PM.
  const std::string banner = run.output.substr(0, run.output.find("\r\n") + 2);
  EXPECT_TRUE(HasForm(banner, TargetIsWindows() ? "VELMORA -AG Quillfeld-  #/#/9999  #:99:99 @\r\n"
                                                : "VELMORA -AG Quillfeld-  99/99/99  99:99:99\r\n"))
      << banner;
}

}  // namespace
}  // namespace pluv
