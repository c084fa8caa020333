#include "common/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/failure.h"
#include "test_platform.h"

namespace pluv {
namespace {

// The report of creating `name` and writing to it; "" when all went well.
std::string CreateAndWrite(const std::string& name) {
  TestPlatform platform;
  OutputFile file(platform, 4096);
  try {
    file.Create(name);
    file.Append(std::string(10000, 'v'));
    file.Close();
  } catch (const Exception& e) {
    return FailureReportLine(e);
  }
  return "";
}

TEST(OutputFile, FailuresOfCreatingAndWriting) {
  TempDir dir;
  std::filesystem::create_directory(dir / "taken");
  const std::string missing = dir / "no/such/dir/Summe.asc";
  EXPECT_EQ(CreateAndWrite(missing), "EInOutError: Ungültiger Dateiname - " + missing + "\r\n");
  EXPECT_EQ(CreateAndWrite(dir / "taken"), "EInOutError: Dateizugriff verweigert\r\n");
  EXPECT_EQ(CreateAndWrite("/dev/full"), "EInOutError: Zu wenig Speicherplatz\r\n");
  EXPECT_EQ(CreateAndWrite(dir / "fine"), "");
  EXPECT_EQ(ReadWholeFile(dir / "fine"), std::string(10000, 'v'));
}

TEST(OutputFile, NamesOfMoreThan259CharactersAreRefused) {
  TempDir dir;
  const std::string base = dir.path() + "/";
  const std::string fits = base + std::string(259 - base.size(), 'n');
  // "ü" is two bytes and one character.
  const std::string fits_umlaut = base + "\xc3\xbc" + std::string(258 - base.size(), 'n');
  EXPECT_EQ(CreateAndWrite(fits), "");
  EXPECT_EQ(CreateAndWrite(fits_umlaut), "");
  EXPECT_EQ(CreateAndWrite(fits + "n"), "EInOutError: Ungültiger Dateiname - " + fits + "n\r\n");
}

}  // namespace
}  // namespace pluv
