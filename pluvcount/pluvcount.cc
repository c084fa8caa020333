#include "pluvcount/pluvcount.h"

#include <array>
#include <cstdint>
#include <string>

#include "common/console.h"
#include "common/period.h"
#include "common/raster.h"
#include "common/run_frame.h"
#include "common/rw_product.h"
#include "pluvcount/counting.h"

namespace pluv {

namespace {

const StartBlock kStartBlock{{
    "Ermittlung von Überschreitungshäufigkeiten aus 1h-RADOLAN RW binär Dateien",
    "Ausgabe in ASCII Format für ArcGIS Raster  (Version: 09.2016.1)",
    " ",
}};

// The state of a run; index k - 1 holds N_Schwelle_k and N_Schwelle_kStr,
// and the count grids of CountGrids hold Haeufigkeit_1 to Haeufigkeit_5.
struct Pluvcount {
  Period period;
  std::array<std::int32_t, kThresholds> N_Schwelle{};
  std::array<std::string, kThresholds> N_SchwelleStr;
  Paths paths;
  DateParts A, E;  // A_Jahr, A_Monat, A_Tag and E_Jahr, E_Monat, E_Tag
  std::string NameDatei;
};

void CountPeriod(Platform& platform, Console& console) {
  Pluvcount s;
  s.period = ReadPeriod(
      console, platform,
      "Ab welchem Start-Datum (TT.MM.JJJJ) möchten Sie Überschreitungen suchen?",
      "Bis zu welchem End-Datum (TT.MM.JJJJ) möchten Sie Überschreitungen suchen?");
  console.WriteLine("Bitte geben Sie 5 1h-Niederschlagssummenschwellen ein:");
  for (int t = 0; t < kThresholds; ++t) {
    console.WritePrompt("N_Summenschwelle " + std::to_string(t + 1) + " (10-tel mm): ");
    s.N_Schwelle[t] = console.ReadNumberAnswer();
    console.WriteBlankLine();
  }
  s.paths = ReadPaths(console);

  // Per threshold and cell: the hours that reached the threshold.
  CountGrids Haeufigkeit(s.N_Schwelle);
  RwReader f(platform);
  EnumerateHourlyProducts(console, platform, s.period, s.paths.Pfad,
                          [&](const std::string& DateiName, std::string_view) {
                            ReadRwProduct(f, DateiName, [&](const RwCells& cells) {
                              Haeufigkeit.CountCells(cells);
                            });
                          });

  s.A = FormatDateParts(s.period.datumZeitstart);
  s.E = FormatDateParts(s.period.datumZeitende);
  RasterWriter fi(platform);
  for (int t = 0; t < kThresholds; ++t) {
    s.N_SchwelleStr[t] = ThresholdNameText(s.N_Schwelle[t]);
    s.NameDatei = s.paths.ZielPfad + "Haeufigkeit_" + PeriodNameText(s.A, s.E) + "_" +
                  s.N_SchwelleStr[t] + ".asc";
    console.WriteLine("Ausgabe Haeufigkeit: " + s.NameDatei);
    fi.OpenRaster(s.NameDatei, kNoDataSums);
    fi.WriteRasterCells(Haeufigkeit.Haeufigkeit(t));
    fi.CloseRaster();
  }
}

}  // namespace

int RunPluvcount(Platform& platform) {
  return RunTool(platform, kStartBlock,
                 [&](Console& console) { CountPeriod(platform, console); });
}

}  // namespace pluv
