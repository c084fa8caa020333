#include "pluvaccum/pluvaccum.h"

#include <algorithm>
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
    "Aufsummieren von 1h-RADOLAN RW binär Dateien",
    "Ausgabe in ASCII Format für ArcGIS Raster  (Version: 09.2016.1)",
    " ",
}};

// The state of a run.
struct Pluvaccum {
  Period period;
  Paths paths;
  // The sum of every cell in tenths of a millimetre, in product order.
  // Whole numbers: a 64-bit integer holds them exactly, as the sums of
  // 64-bit floating-point numbers would.
  std::vector<std::int64_t> Summe = std::vector<std::int64_t>(kCells);
  DateParts A, E;  // A_Jahr, A_Monat, A_Tag and E_Jahr, E_Monat, E_Tag
  std::string NameDatei;
};

// The summing rule: every cell of reading 0 or 1 adds its value.
void AddCells(const RwCells& cells, std::int64_t* Summe) {
  for (int k = 0; k < cells.count; ++k) {
    const std::uint16_t word = CellWordAt(cells.bytes, k);
    Summe[k] += IsUsable(word) ? CellValue(word) : 0;
  }
}

void SumPeriod(Platform& platform, Console& console) {
  Pluvaccum s;
  s.period = ReadPeriod(console, platform,
                        "Ab welchem Start-Datum (TT.MM.JJJJ) möchten Sie die Summe bilden?",
                        "Bis zu welchem End-Datum (TT.MM.JJJJ) möchten Sie die Summe bilden?");
  s.paths = ReadPaths(console);

  std::fill(s.Summe.begin(), s.Summe.end(), 0);
  RwReader f(platform);
  EnumerateHourlyProducts(console, platform, s.period, s.paths.Pfad,
                          [&](const std::string& DateiName, std::string_view) {
                            ReadRwProduct(f, DateiName, [&](const RwCells& cells) {
                              AddCells(cells, s.Summe.data());
                            });
                          });

  s.A = FormatDateParts(s.period.datumZeitstart);
  s.E = FormatDateParts(s.period.datumZeitende);
  s.NameDatei = s.paths.ZielPfad + "Summe_" + s.A.Jahr + s.A.Monat + s.A.Tag + "_" + s.E.Jahr +
                s.E.Monat + s.E.Tag + ".asc";
  console.WriteLine("Ausgabe Summe: " + s.NameDatei);
  RasterWriter fi(platform);
  fi.OpenRaster(s.NameDatei, kNoDataSums);
  fi.WriteRasterCells(s.Summe.data());
  fi.CloseRaster();
}

}  // namespace

int RunPluvaccum(Platform& platform) {
  return RunTool(platform, kStartBlock,
                 [&](Console& console) { SumPeriod(platform, console); });
}

}  // namespace pluv
