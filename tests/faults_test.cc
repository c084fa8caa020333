// What every program does when things go wrong around it: full disks,
// missing permissions, names that cannot be files, damaged products, an
// unwritable standard output and hostile standard input. Each case ends
// with its one report line and status 1 (or a normal end), never with a
// crash or a hang, and leaves on disk what the README says.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "period_tools.h"

namespace pluv {
namespace {

namespace fs = std::filesystem;

// The period of one day, 1 June 2016, and the paths data/ and `target`.
std::string Day(const std::string& target = "") { return "2016\n6\n1\n2016\n6\n2\ndata/\n" + target + "\n"; }

// The answers of each period tool for one day, up to and including the paths.
std::string Answers(const std::string& program, const std::string& target = "") {
  const std::string period = "2016\n6\n1\n2016\n6\n2\n";
  const std::string paths = "data/\n" + target + "\n";
  if (program == "pluvcount") return period + "10\n20\n30\n40\n50\n" + paths;
  if (program == "pluvscan") return period + "150\n1\n900\n1\n900\n" + paths;
  return period + paths;
}

// The name of the first result of each period tool for that day.
std::string Result(const std::string& program) {
  if (program == "pluvcount") return "Haeufigkeit_20160601_20160602_10.asc";
  if (program == "pluvscan") return "Ueberschr_20160601_20160602_150.txt";
  return "Summe_20160601_20160602.asc";
}
std::string Announce(const std::string& program, const std::string& name) {
  if (program == "pluvcount") return "Ausgabe Haeufigkeit: " + name + "\r\n";
  if (program == "pluvscan") return "Ausgabe Überschreitungen: " + name + "\r\n";
  return "Ausgabe Summe: " + name + "\r\n";
}

const char* const kPeriodTools[] = {"pluvaccum", "pluvcount", "pluvscan"};

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Every cell 200: lots of hits and sums.
std::uint16_t Wet(int, int) { return 200; }

using Faults = PeriodToolTest;

TEST_F(Faults, FullDiskWhileTheResultIsWritten) {
  PutProduct(2016, 6, 1, 0, 50, Wet);
  const std::string product = "data/2016/06/" + rwgen::ProductName(2016, 6, 1, 0, 50) + "\r\n";
  for (const char* program : kPeriodTools) {
    ASSERT_EQ(::symlink("/dev/full", (dir_ / Result(program)).c_str()), 0);
    RunResult run = Run(program, Answers(program));
    EXPECT_EQ(run.status, 1) << program;
    // The list of pluvscan fills and is written while the product is searched.
    const std::string tail = std::string(program) == "pluvscan"
                                 ? product + "EInOutError: Zu wenig Speicherplatz\r\n"
                                 : Announce(program, Result(program)) +
                                       "EInOutError: Zu wenig Speicherplatz\r\n";
    EXPECT_TRUE(EndsWith(run.output, tail)) << program << "\n" << run.output;
    fs::remove(dir_ / Result(program));
  }
}

TEST_F(Faults, PermissionDenied) {
  const std::string why = WhyNotUnprivileged();
  if (!why.empty()) GTEST_SKIP() << "cannot drop privileges: " << why;
  const RunOptions nobody{Output::kFile, false, true};
  fs::permissions(dir_.path(), fs::perms::all);
  PutProduct(2016, 6, 1, 0, 50, Wet);
  const std::string product = "data/2016/06/" + rwgen::ProductName(2016, 6, 1, 0, 50);

  // A product that may not be read: the run ends at it; no raster is
  // written, the list of pluvscan keeps the hits of the hour before it.
  PutProduct(2016, 5, 31, 23, 50, Wet);
  fs::permissions(dir_ / product, fs::perms::none);
  for (const char* program : kPeriodTools) {
    // From 31 May: the product of 23:50 is read, then the one that may not be.
    RunResult run = Run(program, "2016\n5\n31\n" + Answers(program).substr(9), nobody);
    EXPECT_EQ(run.status, 1) << program;
    EXPECT_TRUE(EndsWith(run.output, product + "\r\nEInOutError: Dateizugriff verweigert\r\n"))
        << program << "\n" << run.output;
    std::string result = Result(program);
    result.replace(result.find("20160601"), 8, "20160531");
    if (std::string(program) == "pluvscan") {
      std::string hits;
      for (int y = 1; y <= 900; ++y) {
        for (int x = 1; x <= 900; ++x) hits += std::to_string(x) + " " + std::to_string(y) + " 1605312350 200\r\n";
      }
      EXPECT_EQ(File(result), hits);
    } else {
      EXPECT_FALSE(Exists(result)) << program;
    }
  }
  fs::copy_file(dir_ / product, dir_ / "raa01-rw_10000-1606010050-dwd---bin");
  fs::permissions(dir_ / "raa01-rw_10000-1606010050-dwd---bin", fs::perms::none);
  RunResult conv = Run("pluvconv", "16\n06\n01\n00\n50\n", nobody);
  EXPECT_EQ(conv.status, 1);
  EXPECT_TRUE(EndsWith(conv.output, "Folgende Datei wird umgewandelt: raa01-rw_10000-1606010050-dwd---bin\r\n"
                                    " \r\nEInOutError: Dateizugriff verweigert\r\n"))
      << conv.output;
  EXPECT_FALSE(Exists("raa01-rw_10000-1606010050-dwd---asc.asc"));
  fs::permissions(dir_ / product, fs::perms::owner_read | fs::perms::others_read);

  // A target folder that may not be written.
  fs::create_directory(dir_ / "ro");
  fs::permissions(dir_ / "ro", fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  for (const char* program : kPeriodTools) {
    RunResult run = Run(program, Answers(program, "ro/"), nobody);
    EXPECT_EQ(run.status, 1) << program;
    EXPECT_TRUE(EndsWith(run.output, Announce(program, "ro/" + Result(program)) +
                                         "EInOutError: Dateizugriff verweigert\r\n"))
        << program << "\n" << run.output;
  }
  // A raster that exists and may not be replaced.
  rwgen::WriteFile(dir_ / "raa01-rw_10000-1606010050-dwd---asc.asc", "old");
  fs::permissions(dir_ / "raa01-rw_10000-1606010050-dwd---asc.asc", fs::perms::owner_read | fs::perms::others_read);
  fs::permissions(dir_ / "raa01-rw_10000-1606010050-dwd---bin", fs::perms::owner_read | fs::perms::others_read);
  conv = Run("pluvconv", "16\n06\n01\n00\n50\n", nobody);
  EXPECT_EQ(conv.status, 1);
  EXPECT_TRUE(EndsWith(conv.output, " \r\nEInOutError: Dateizugriff verweigert\r\n")) << conv.output;
  EXPECT_EQ(File("raa01-rw_10000-1606010050-dwd---asc.asc"), "old");
}

TEST_F(Faults, NamesThatCannotBeFiles) {
  PutProduct(2016, 6, 1, 0, 50, rwgen::Zero);
  fs::create_directory(dir_ / "taken");
  for (const char* program : kPeriodTools) {
    fs::create_directory(dir_ / ("taken/" + Result(program)));
  }
  const std::string long_target(250, 't');  // with the result name over 259 characters
  for (const char* program : kPeriodTools) {
    struct Case {
      std::string target, report;
    };
    const Case cases[] = {
        {"taken/", "EInOutError: Dateizugriff verweigert"},
        {"none/", "EInOutError: Ungültiger Dateiname - none/" + Result(program)},
        {long_target, "EInOutError: Ungültiger Dateiname - " + long_target + Result(program)},
    };
    for (const Case& c : cases) {
      RunResult run = Run(program, Answers(program, c.target));
      EXPECT_EQ(run.status, 1) << program << " " << c.target;
      EXPECT_TRUE(EndsWith(run.output, Announce(program, c.target + Result(program)) + c.report + "\r\n"))
          << program << " " << c.target << "\n" << run.output;
    }
  }
  // A product whose full name is over 259 characters is refused when it is opened.
  const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e') + "/";
  fs::create_directories(dir_ / (deep + "2016/06"));
  fs::copy_file(DayDir(2016, 6) + rwgen::ProductName(2016, 6, 1, 0, 50),
                dir_ / (deep + "2016/06/" + rwgen::ProductName(2016, 6, 1, 0, 50)));
  RunResult run = Run("pluvaccum", "2016\n6\n1\n2016\n6\n2\n" + deep + "\n\n");
  EXPECT_EQ(run.status, 1);
  const std::string name = deep + "2016/06/" + rwgen::ProductName(2016, 6, 1, 0, 50);
  EXPECT_TRUE(EndsWith(run.output, name + "\r\nEInOutError: Ungültiger Dateiname - " + name + "\r\n"))
      << run.output;
}

TEST_F(Faults, DamagedProducts) {
  const std::string header = rwgen::Header(rwgen::Stamp(2016, 6, 1, 0, 50));
  const std::string whole = rwgen::Product(header, Wet);
  struct Case {
    const char* damage;
    std::string bytes;
    bool fails;
  };
  const Case cases[] = {
      {"empty file", "", true},
      {"only a header", header, true},
      {"no byte 3", rwgen::WithoutHeaderEnd(3000), true},
      {"byte 3 early in the header", "RW\x03" + whole.substr(3), false},
      {"cells end at byte 1 of a cell word", rwgen::Truncated(whole, header.size() + 2001), true},
      {"cells end between cell words", rwgen::Truncated(whole, header.size() + 2000), true},
      {"longer than needed", whole + std::string(5000, '\x03'), false},
  };
  const std::string product = "data/2016/06/" + rwgen::ProductName(2016, 6, 1, 0, 50);
  for (const Case& c : cases) {
    PutBytes(2016, 6, 1, 0, 50, c.bytes);
    for (const char* program : kPeriodTools) {
      RunResult run = Run(program, Answers(program));
      EXPECT_EQ(run.status, c.fails ? 1 : 0) << program << ": " << c.damage;
      if (c.fails) {
        EXPECT_TRUE(EndsWith(run.output, product + "\r\nEInOutError: Versuch hinter dem Dateiende zu lesen\r\n"))
            << program << ": " << c.damage << "\n" << run.output;
        // The rasters are lost; the list of pluvscan keeps the hits found.
        EXPECT_EQ(Exists(Result(program)), std::string(program) == "pluvscan") << program << ": " << c.damage;
      } else {
        EXPECT_TRUE(Exists(Result(program))) << program << ": " << c.damage;
      }
      if (Exists(Result(program))) fs::remove(dir_ / Result(program));
    }
    // pluvconv echoes what header there is; a complete header is followed by a blank.
    rwgen::WriteFile(dir_ / "raa01-rw_10000-1606010050-dwd---bin", c.bytes);
    RunResult conv = Run("pluvconv", "16\n06\n01\n00\n50\n");
    EXPECT_EQ(conv.status, c.fails ? 1 : 0) << c.damage;
    if (c.fails) {
      const std::size_t end = c.bytes.find('\x03');
      const std::string echo = end == std::string::npos ? c.bytes : c.bytes.substr(0, end + 1) + " \r\n";
      EXPECT_TRUE(EndsWith(conv.output, " \r\n" + echo + "EInOutError: Versuch hinter dem Dateiende zu lesen\r\n"))
          << c.damage;
      EXPECT_EQ(File("raa01-rw_10000-1606010050-dwd---asc.asc"), "") << c.damage;
    } else {
      EXPECT_EQ(File("raa01-rw_10000-1606010050-dwd---asc.asc").size() > 1'620'096u, true) << c.damage;
    }
  }
}

TEST_F(Faults, FifoOrDirectoryNamedLikeAProductIsNoProduct) {
  fs::create_directories(DayDir(2016, 6));
  ASSERT_EQ(::mkfifo((DayDir(2016, 6) + rwgen::ProductName(2016, 6, 1, 0, 50)).c_str(), 0644), 0);
  ASSERT_EQ(::mkfifo((dir_ / "raa01-rw_10000-1606010050-dwd---bin").c_str(), 0644), 0);
  RunResult run = Run("pluvaccum", Day());
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.output.find("Fehler in: data/2016/06/" + rwgen::ProductName(2016, 6, 1, 0, 45)) !=
              std::string::npos);
  RunResult conv = Run("pluvconv", "16\n06\n01\n00\n50\n");
  EXPECT_EQ(conv.status, 0);
  EXPECT_TRUE(EndsWith(conv.output, "Minute (MM): Jahr   (JJ): ")) << conv.output;
}

TEST_F(Faults, StandardOutputThatCannotBeWritten) {
  PutProduct(2016, 6, 1, 0, 50, Wet);
  rwgen::WriteFile(dir_ / "raa01-rw_10000-1606010050-dwd---bin", rwgen::Product("RW\x03", Wet));
  for (Output output : {Output::kClosed, Output::kBrokenPipe}) {
    for (const char* program : kPeriodTools) {
      RunResult run = Run(program, Answers(program), RunOptions{output});
      EXPECT_EQ(run.status, 1) << program;
    }
    RunResult conv = Run("pluvconv", "16\n06\n01\n00\n50\n", RunOptions{output});
    EXPECT_EQ(conv.status, 1);
  }
}

TEST_F(Faults, HostileStandardInput) {
  PutProduct(2016, 6, 1, 0, 50, Wet);
  std::mt19937 random(20161211);
  std::string binary(1 << 20, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  const std::string huge_line = std::string(10 << 20, '7') + "\n";
  for (const char* program : {"pluvconv", "pluvaccum", "pluvcount", "pluvscan"}) {
    const bool conv = std::string(program) == "pluvconv";
    RunResult noise = Run(program, binary);
    EXPECT_TRUE(noise.status == 0 || noise.status == 1) << program;
    EXPECT_TRUE(EndsWith(noise.output, "\r\n") || EndsWith(noise.output, "Jahr   (JJ): ")) << program;
    // The 10 MiB line: pluvconv takes two digits of it, the period tools a
    // number of 32 digits, which is too large.
    RunResult huge = Run(program, huge_line);
    EXPECT_EQ(huge.status, conv ? 0 : 1) << program;
    EXPECT_TRUE(EndsWith(huge.output, conv ? "Minute (MM): Jahr   (JJ): "
                                           : "Jahr (JJJJ): EInOutError: Ungültige numerische Eingabe\r\n"))
        << program;
    // No standard input at all: every answer is empty or 0.
    RunResult none = Run(program, "", RunOptions{Output::kFile, true});
    EXPECT_EQ(none.status, conv ? 0 : 1) << program;
    EXPECT_TRUE(EndsWith(none.output, conv ? " \r\nJahr   (JJ): "
                                            : "Tag    (TT): EConvertError: Ungültiges Argument zum "
                                              "Codieren des Datums\r\n"))
        << program << "\n" << none.output;
  }
}

}  // namespace
}  // namespace pluv
