#include "pluvaccum/pluvaccum.h"

#include <cstdint>
#include <string>

#include "common/console.h"
#include "common/period.h"
#include "common/raster.h"
#include "common/run_frame.h"
#include "common/rw_product.h"
#include "pluvaccum/summing.h"

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
  DateParts A, E;  // A_Jahr, A_Monat, A_Tag and E_Jahr, E_Monat, E_Tag
  // The sum of every cell in tenths of a millimetre. Whole numbers: 64-bit
  // integers hold them exactly, as the sums of 64-bit floating-point
  // numbers would.
  SumGrid Summe;
  std::string NameDatei;
};

void SumPeriod(Platform& platform, Console& console) {
  Pluvaccum s;
  s.period = ReadPeriod(console, platform,
                        "Ab welchem Start-Datum (TT.MM.JJJJ) möchten Sie die Summe bilden?",
                        "Bis zu welchem End-Datum (TT.MM.JJJJ) möchten Sie die Summe bilden?");
  s.paths = ReadPaths(console);

  RwReader f(platform);
  EnumerateHourlyProducts(console, platform, s.period, s.paths.Pfad,
                          [&](const std::string& DateiName, std::string_view) {
                            ReadRwProduct(f, DateiName, [&](const RwCells& cells) {
                              s.Summe.AddCells(cells);
                            });
                          });

  s.A = FormatDateParts(s.period.datumZeitstart);
  s.E = FormatDateParts(s.period.datumZeitende);
  s.NameDatei = s.paths.ZielPfad + "Summe_" + PeriodNameText(s.A, s.E) + ".asc";
  console.WriteLine("Ausgabe Summe: " + s.NameDatei);
  RasterWriter fi(platform);
  fi.OpenRaster(s.NameDatei, kNoDataSums);
  fi.WriteRasterCells(s.Summe.Summe());
  fi.CloseRaster();
}

}  // namespace

int RunPluvaccum(Platform& platform) {
  return RunTool(platform, kStartBlock,
                 [&](Console& console) { SumPeriod(platform, console); });
}

}  // namespace pluv
