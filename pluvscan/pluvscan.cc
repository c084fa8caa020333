#include "pluvscan/pluvscan.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "common/console.h"
#include "common/output_file.h"
#include "common/period.h"
#include "common/run_frame.h"
#include "common/rw_product.h"

namespace pluv {

namespace {

const StartBlock kStartBlock{{
    "Suchen nach Überschreitungen einer N-Schwelle aus RADOLAN RW binär Dateien",
    "Ausgabe in ASCII Textdatei (Version: 09.2016.2)",
    " ",
}};

constexpr std::size_t kListBuffer = 256 * 1024;
// "900 900 YYMMDDHHmm 4095\r\n"
constexpr std::size_t kHitLineMax = 32;

// The state of a run.
struct Pluvscan {
  Period period;
  std::int32_t N_Schwelle = 0;
  std::string N_Schwelle_Str;
  std::int32_t X_min = 0, X_max = 0, Y_min = 0, Y_max = 0;  // the search window
  Paths paths;
  DateParts A, E;
  std::string NameDatei;
};

// Asks `prompt` until the answer lies in 1 to 900; fails when the input ends.
std::int32_t ReadWindowBound(Console& console, std::string_view prompt) {
  for (;;) {
    console.WritePrompt(prompt);
    const std::int32_t bound = console.ReadNumberAnswer(AtEndOfInput::kFail);
    if (bound >= 1 && bound <= kGridSize) return bound;
  }
}

void AppendNumber(char*& at, std::int32_t n) { at = std::to_chars(at, at + 11, n).ptr; }

// The search of one product: a line for every cell of the window with
// reading 0 or 1 whose value reaches the threshold, row by row from the south.
void ScanCells(const RwCells& cells, const Pluvscan& s, std::string_view stamp,
               OutputFile& fi_Extrem) {
  for (std::int32_t y = s.Y_min; y <= s.Y_max; ++y) {
    for (std::int32_t x = s.X_min; x <= s.X_max; ++x) {
      const int k = CellIndex(x, y);
      if (k >= cells.count) return;  // the product ended early
      const std::uint16_t word = CellWordAt(cells.bytes, k);
      if (!IsUsable(word)) continue;
      const std::int32_t Wert = CellValue(word);
      if (Wert < s.N_Schwelle) continue;
      char* at = fi_Extrem.Reserve(kHitLineMax);
      AppendNumber(at, x);
      *at++ = ' ';
      AppendNumber(at, y);
      *at++ = ' ';
      at = std::copy(stamp.begin(), stamp.end(), at);
      *at++ = ' ';
      AppendNumber(at, Wert);
      *at++ = '\r';
      *at++ = '\n';
      fi_Extrem.Commit(at);
    }
  }
}

void ScanPeriod(Platform& platform, Console& console) {
  Pluvscan s;
  s.period = ReadPeriod(
      console, platform,
      "Ab welchem Start-Datum (TT.MM.JJJJ) möchten Sie Überschreitungen suchen?",
      "Bis zu welchem End-Datum (TT.MM.JJJJ) möchten Sie Überschreitungen suchen?");
  console.WritePrompt("N_Schwelle (10-tel mm): ");
  s.N_Schwelle = console.ReadNumberAnswer();
  console.WriteBlankLine();
  console.WriteLine("Eingabe des Suchbereichs innerhalb des RADOLAN_Rasters (900x900 km)");
  console.WriteLine("z.B. RADOLAN_Rahmen für die Fläche des Landes HESSEN");
  console.WriteLine("X_min=352 km ; X_max=543 km/ Y_min=259 km; Y_max=529 km");
  console.WriteBlankLine();
  s.X_min = ReadWindowBound(console, "X_min [km]: ");
  s.X_max = ReadWindowBound(console, "X_max [km]: ");
  s.Y_min = ReadWindowBound(console, "Y_min [km]: ");
  s.Y_max = ReadWindowBound(console, "Y_max [km]: ");
  console.WriteBlankLine();
  s.paths = ReadPaths(console);

  s.A = FormatDateParts(s.period.datumZeitstart);
  s.E = FormatDateParts(s.period.datumZeitende);
  s.N_Schwelle_Str = std::to_string(s.N_Schwelle).substr(0, 4);
  s.NameDatei = s.paths.ZielPfad + "Ueberschr_" + s.A.Jahr + s.A.Monat + s.A.Tag + "_" +
                s.E.Jahr + s.E.Monat + s.E.Tag + "_" + s.N_Schwelle_Str + ".txt";
  console.WriteLine("Ausgabe Überschreitungen: " + s.NameDatei);
  OutputFile fi_Extrem(platform, kListBuffer);
  fi_Extrem.Create(s.NameDatei);

  RwReader f(platform);
  try {
    EnumerateHourlyProducts(console, platform, s.period, s.paths.Pfad,
                            [&](const std::string& DateiName, std::string_view DateiName_Extrem) {
                              ReadRwProduct(f, DateiName, [&](const RwCells& cells) {
                                ScanCells(cells, s, DateiName_Extrem, fi_Extrem);
                              });
                            });
  } catch (...) {
    // Whatever ends the search, the hits found before it stay in the list.
    try {
      fi_Extrem.Flush();
    } catch (const Exception&) {
    }
    throw;
  }
  fi_Extrem.Close();
}

}  // namespace

int RunPluvscan(Platform& platform) {
  return RunTool(platform, kStartBlock,
                 [&](Console& console) { ScanPeriod(platform, console); });
}

}  // namespace pluv
