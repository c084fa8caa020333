#include "pluvcount/pluvcount.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/console.h"
#include "common/period.h"
#include "common/raster.h"
#include "common/run_frame.h"
#include "common/rw_product.h"

namespace pluv {

namespace {

const StartBlock kStartBlock{{
    "Ermittlung von Überschreitungshäufigkeiten aus 1h-RADOLAN RW binär Dateien",
    "Ausgabe in ASCII Format für ArcGIS Raster  (Version: 09.2016.1)",
    " ",
}};

constexpr int kThresholds = 5;

// The state of a run; index k - 1 holds N_Schwelle_k, N_Schwelle_kStr and
// Haeufigkeit_k.
struct Pluvcount {
  Period period;
  std::array<std::int32_t, kThresholds> N_Schwelle{};
  std::array<std::string, kThresholds> N_SchwelleStr;
  Paths paths;
  // Per threshold and cell, in product order: the hours that reached it.
  std::array<std::vector<std::int32_t>, kThresholds> Haeufigkeit;
  DateParts A, E;
  std::string NameDatei;
};

// The counting rule: a cell of reading 0 or 1 counts one hour for every
// threshold that its value reaches.
void CountCells(const RwCells& cells, const std::array<std::int32_t, kThresholds>& N_Schwelle,
                std::array<std::vector<std::int32_t>, kThresholds>& Haeufigkeit) {
  for (int k = 0; k < cells.count; ++k) {
    const std::uint16_t word = CellWordAt(cells.bytes, k);
    if (!IsUsable(word)) continue;
    const std::int32_t Wert = CellValue(word);
    for (int t = 0; t < kThresholds; ++t) Haeufigkeit[t][k] += Wert >= N_Schwelle[t];
  }
}

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

  for (auto& grid : s.Haeufigkeit) grid.assign(kCells, 0);
  RwReader f(platform);
  EnumerateHourlyProducts(console, platform, s.period, s.paths.Pfad,
                          [&](const std::string& DateiName, std::string_view) {
                            ReadRwProduct(f, DateiName, [&](const RwCells& cells) {
                              CountCells(cells, s.N_Schwelle, s.Haeufigkeit);
                            });
                          });

  s.A = FormatDateParts(s.period.datumZeitstart);
  s.E = FormatDateParts(s.period.datumZeitende);
  RasterWriter fi(platform);
  for (int t = 0; t < kThresholds; ++t) {
    // The threshold's decimal text, cut to four characters: 12345 gives 1234.
    s.N_SchwelleStr[t] = std::to_string(s.N_Schwelle[t]).substr(0, 4);
    s.NameDatei = s.paths.ZielPfad + "Haeufigkeit_" + s.A.Jahr + s.A.Monat + s.A.Tag + "_" +
                  s.E.Jahr + s.E.Monat + s.E.Tag + "_" + s.N_SchwelleStr[t] + ".asc";
    console.WriteLine("Ausgabe Haeufigkeit: " + s.NameDatei);
    fi.OpenRaster(s.NameDatei, kNoDataSums);
    fi.WriteRasterCells(s.Haeufigkeit[t].data());
    fi.CloseRaster();
  }
}

}  // namespace

int RunPluvcount(Platform& platform) {
  return RunTool(platform, kStartBlock,
                 [&](Console& console) { CountPeriod(platform, console); });
}

}  // namespace pluv
