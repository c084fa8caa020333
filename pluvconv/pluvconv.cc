#include "pluvconv/pluvconv.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/console.h"
#include "common/raster.h"
#include "common/run_frame.h"
#include "common/rw_product.h"
#include "pluvconv/converting.h"

namespace pluv {

namespace {

const StartBlock kStartBlock{
    {" ",
     "Routine zum Einlesen und Umwandeln von RADOLAN RW binär Dateien",
     "Ausgabe in ASCII Format für ArcGIS Raster  (Version: 09.2016.1)",
     " ",
     "RADOLAN binär Dateiname: raa01-rw_10000-JJMMTTHHMM-dwd---bin.gz  (Binär Format)",
     "AUSGABE ASCII Dateiname: raa01-rw_10000-JJMMTTHHMM-dwd---asc.asc (ASCII Format)",
     " "},
    /*separate_time_reading=*/true};

constexpr std::size_t kAnswerLength = 2;

// The state of a run.
struct Pluvconv {
  std::string Jahr, Monat, Tag, Stunde, Minute;
  std::string NameDatei;  // "raa01-rw_10000-" and the five answers
  std::string DateiName;  // the product's name, then the raster's
  std::vector<std::int32_t> FeldWert = std::vector<std::int32_t>(kCells, 0);
};

void ConvertProducts(Platform& platform, Console& console) {
  Pluvconv s;
  RwReader f(platform);
  RasterWriter fi(platform);
  for (;;) {
    console.WritePrompt("Jahr   (JJ): ");
    if (console.InputEnded()) return;  // nobody is left to answer
    s.Jahr = console.ReadShortAnswer(kAnswerLength);
    console.WritePrompt("Monat  (MM): ");
    s.Monat = console.ReadShortAnswer(kAnswerLength);
    console.WritePrompt("Tag    (TT): ");
    s.Tag = console.ReadShortAnswer(kAnswerLength);
    console.WritePrompt("Stunde (HH): ");
    s.Stunde = console.ReadShortAnswer(kAnswerLength);
    console.WritePrompt("Minute (MM): ");
    s.Minute = console.ReadShortAnswer(kAnswerLength);

    s.NameDatei = "raa01-rw_10000-" + s.Jahr + s.Monat + s.Tag + s.Stunde + s.Minute;
    s.DateiName = s.NameDatei + "-dwd---bin";
    if (!platform.FileExists(s.DateiName)) continue;

    console.WriteBlankLine();
    console.WriteLine("Folgende Datei wird umgewandelt: " + s.DateiName);
    console.WriteBlankLine();
    f.OpenRwProduct(s.DateiName);
    s.DateiName = s.NameDatei + "-dwd---asc.asc";
    fi.OpenRaster(s.DateiName, kNoDataProduct);
    f.SkipRwHeader(&console);
    console.WriteLine(" ");
    // Every raster shows its own product only: no cell is carried over
    // from a product converted earlier in the run.
    std::fill(s.FeldWert.begin(), s.FeldWert.end(), 0);
    f.ReadRwCells([&](const RwCells& cells) { StoreCells(cells, s.FeldWert.data()); });
    fi.WriteRasterCells(s.FeldWert.data());
    f.CloseRwProduct();
    fi.CloseRaster();
    console.WriteBlankLine();
    console.WriteLine("Nächste Datei: ");
    console.WriteBlankLine();
  }
}

}  // namespace

int RunPluvconv(Platform& platform) {
  return RunTool(platform, kStartBlock,
                 [&](Console& console) { ConvertProducts(platform, console); });
}

}  // namespace pluv
