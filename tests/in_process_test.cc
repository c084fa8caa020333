// Whole dialogues run in this process on the memory platform: the console,
// the clock and the working folder are injected, so even the banner is known.
#include <gtest/gtest.h>

#include "e2e.h"
#include "memory_platform.h"
#include "pluvaccum/pluvaccum.h"
#include "pluvconv/pluvconv.h"
#include "rwgen.h"

namespace pluv {
namespace {

TEST(InProcess, PluvconvWithItsWholeTranscript) {
  MemoryPlatform platform("16\n06\n01\n12\n50\n");
  const std::string header = rwgen::Header("1606011250");
  platform.AddFile("raa01-rw_10000-1606011250-dwd---bin", rwgen::Product(header, rwgen::Ramp));
  EXPECT_EQ(RunPluvconv(platform), 0);
  EXPECT_EQ(platform.output(),
            Lines({"VELMORA -AG Quillfeld-  11.12.2026  14:05:09", " ",
                   "Routine zum Einlesen und Umwandeln von RADOLAN RW binär Dateien",
                   "Ausgabe in ASCII Format für ArcGIS Raster  (Version: 09.2016.1)", " ",
                   "RADOLAN binär Dateiname: raa01-rw_10000-JJMMTTHHMM-dwd---bin.gz  (Binär Format)",
                   "AUSGABE ASCII Dateiname: raa01-rw_10000-JJMMTTHHMM-dwd---asc.asc (ASCII Format)",
                   " ",
                   "Jahr   (JJ): Monat  (MM): Tag    (TT): Stunde (HH): Minute (MM):  ",
                   "Folgende Datei wird umgewandelt: raa01-rw_10000-1606011250-dwd---bin", " ",
                   header + " ", " ", "Nächste Datei: ", " "}) +
                "Jahr   (JJ): ");
  const std::string* raster = platform.File("raa01-rw_10000-1606011250-dwd---asc.asc");
  ASSERT_NE(raster, nullptr);
  EXPECT_EQ(*raster, ExpectedRaster("NODATA_VALUE -2500", [](int x, int y) { return int{rwgen::Ramp(x, y)}; }));
}

TEST(InProcess, PluvaccumOnATreeInMemory) {
  MemoryPlatform platform("2016\n6\n1\n2016\n6\n2\ndata/\nout/\n");
  platform.AddFile("data/2016/06/" + rwgen::ProductName(2016, 6, 1, 7, 45),
                   rwgen::Product(rwgen::Header("1606010745"), rwgen::Ramp));
  platform.AddDirectory("out");
  EXPECT_EQ(RunPluvaccum(platform), 0);
  const std::string& out = platform.output();
  EXPECT_EQ(out.substr(0, 46), "VELMORA -AG Quillfeld-  11.12.2026  14:05:09\r\n");
  EXPECT_NE(out.find("  von Datum: 01.06.2016\r\n  bis Datum: 02.06.2016\r\nAnzahl Tage: 1\r\n"),
            std::string::npos);
  EXPECT_NE(out.find("\r\ndata/2016/06/raa01-rw_10000-1606010745-dwd---bin\r\n"), std::string::npos);
  EXPECT_TRUE(out.ends_with("Ausgabe Summe: out/Summe_20160601_20160602.asc\r\n"));
  const std::string* raster = platform.File("out/Summe_20160601_20160602.asc");
  ASSERT_NE(raster, nullptr);
  EXPECT_EQ(*raster, ExpectedRaster("NODATA_VALUE -1", [](int x, int y) { return int{rwgen::Ramp(x, y)}; }));
}

}  // namespace
}  // namespace pluv
