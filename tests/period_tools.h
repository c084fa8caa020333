// What the end-to-end tests of pluvaccum, pluvcount and pluvscan share: a
// product tree in a fresh folder and the console texts of the period dialogue.
#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "e2e.h"
#include "rwgen.h"
#include "target.h"

namespace pluv {

// The date prompts of one date, answered.
inline const std::string kDatePrompts = "Jahr (JJJJ): Monat  (MM): Tag    (TT): ";
// The two path prompts, answered, and the line with one blank after them.
inline const std::string kPathPrompts =
    "Daten-Pfad für RW-Dateien (d:\\rw-format\\): "
    "Daten-Pfad für Ergebnis-Datei (d:\\rw-format\\):  \r\n";

inline const std::string kSumQuestions[2] = {
    "Ab welchem Start-Datum (TT.MM.JJJJ) möchten Sie die Summe bilden?",
    "Bis zu welchem End-Datum (TT.MM.JJJJ) möchten Sie die Summe bilden?"};
inline const std::string kSearchQuestions[2] = {
    "Ab welchem Start-Datum (TT.MM.JJJJ) möchten Sie Überschreitungen suchen?",
    "Bis zu welchem End-Datum (TT.MM.JJJJ) möchten Sie Überschreitungen suchen?"};

// The console of the period dialogue, up to the line with one blank after
// the summary; `from` and `to` as TargetDate() writes them.
inline std::string PeriodDialogue(const std::string (&questions)[2], std::string_view from,
                                  std::string_view to, int days) {
  return questions[0] + "\r\n \r\n" + kDatePrompts + " \r\n" + questions[1] + "\r\n \r\n" +
         kDatePrompts + "Betrachteter Zeitraum:\r\n  von Datum: " + std::string(from) +
         "\r\n  bis Datum: " + std::string(to) + "\r\nAnzahl Tage: " + std::to_string(days) +
         "\r\n \r\n";
}

// The 24 console lines of one day under the data path `data` (or those of
// its first `hours`): `found` maps an hour to the minute of the product read
// there; the other hours are missing.
inline std::string DayLines(const std::string& data, int year, int month, int day,
                            const std::map<int, int>& found = {}, int hours = 24) {
  char numbers[16];
  std::snprintf(numbers, sizeof numbers, "%d/%02d/", year, month);
  const std::string dir = Native(data + numbers);
  std::string text;
  for (int hour = 0; hour < hours; ++hour) {
    auto it = found.find(hour);
    if (it != found.end()) {
      text += dir + rwgen::ProductName(year, month, day, hour, it->second) + "\r\n";
    } else {
      text += "Fehler in: " + dir + rwgen::ProductName(year, month, day, hour, 45) + "\r\n";
    }
  }
  return text;
}

// A folder with a product tree under data/; the programs run in it.
class PeriodToolTest : public testing::Test {
 protected:
  // Lays down the product of an hour (minute 50 or 45) under data/YYYY/MM/.
  void PutProduct(int year, int month, int day, int hour, int minute,
                  const rwgen::CellFunction& cells) {
    PutBytes(year, month, day, hour, minute,
             rwgen::Product(rwgen::Header(rwgen::Stamp(year, month, day, hour, minute)), cells));
  }
  void PutBytes(int year, int month, int day, int hour, int minute, const std::string& bytes) {
    const std::string dir = DayDir(year, month);
    std::filesystem::create_directories(dir);
    rwgen::WriteFile(dir + rwgen::ProductName(year, month, day, hour, minute), bytes);
  }
  std::string DayDir(int year, int month) {
    char dir[32];
    std::snprintf(dir, sizeof dir, "data/%d/%02d/", year, month);
    return dir_ / dir;
  }
  // Runs `program` on `input`, whose paths are typed with the separator of
  // the programs under test (answers hold no other "/").
  RunResult Run(const std::string& program, const std::string& input,
                const RunOptions& options = {}) {
    RunResult run = RunProgram(program, dir_.path(), Native(input), options);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.errors, "");
    return run;
  }
  std::string File(const std::string& name) { return ReadWholeFile(dir_ / name); }
  bool Exists(const std::string& name) { return std::filesystem::exists(dir_ / name); }

  TempDir dir_;
};

}  // namespace pluv
