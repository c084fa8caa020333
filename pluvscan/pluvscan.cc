#include "pluvscan/pluvscan.h"

#include <cstdint>
#include <string>

#include "common/console.h"
#include "common/output_file.h"
#include "common/period.h"
#include "common/run_frame.h"
#include "common/rw_product.h"
#include "pluvscan/scanning.h"

namespace pluv {

namespace {

const StartBlock kStartBlock{{
    "Suchen nach Überschreitungen einer N-Schwelle aus RADOLAN RW binär Dateien",
    "Ausgabe in ASCII Textdatei (Version: 09.2016.2)",
    " ",
}};

constexpr std::size_t kListBuffer = 256 * 1024;

// The state of a run.
struct Pluvscan {
  Period period;
  std::int32_t N_Schwelle = 0;
  std::string N_Schwelle_Str;
  Window window;  // X_min, X_max, Y_min, Y_max
  Paths paths;
  DateParts A, E;  // A_Jahr, A_Monat, A_Tag and E_Jahr, E_Monat, E_Tag
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
  s.window.X_min = ReadWindowBound(console, "X_min [km]: ");
  s.window.X_max = ReadWindowBound(console, "X_max [km]: ");
  s.window.Y_min = ReadWindowBound(console, "Y_min [km]: ");
  s.window.Y_max = ReadWindowBound(console, "Y_max [km]: ");
  console.WriteBlankLine();
  s.paths = ReadPaths(console);

  s.A = FormatDateParts(s.period.datumZeitstart);
  s.E = FormatDateParts(s.period.datumZeitende);
  s.N_Schwelle_Str = ThresholdNameText(s.N_Schwelle);
  s.NameDatei = s.paths.ZielPfad + "Ueberschr_" + PeriodNameText(s.A, s.E) + "_" +
                s.N_Schwelle_Str + ".txt";
  console.WriteLine("Ausgabe Überschreitungen: " + s.NameDatei);
  OutputFile fi_Extrem(platform, kListBuffer);
  fi_Extrem.Create(s.NameDatei);

  RwReader f(platform);
  try {
    EnumerateHourlyProducts(console, platform, s.period, s.paths.Pfad,
                            [&](const std::string& DateiName, std::string_view DateiName_Extrem) {
                              ReadRwProduct(f, DateiName, [&](const RwCells& cells) {
                                ScanCells(cells, s.window, s.N_Schwelle, DateiName_Extrem,
                                          fi_Extrem);
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
