#include "common/platform-posix.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "common/failure.h"

namespace pluv {
namespace {

// The report of each system error: the tools' own messages for the errors
// they know, the number for every other.
TEST(CodeOfErrno, ReportsOfSystemErrors) {
  struct Case {
    int err;
    bool creating;
    const char* report;
  };
  const Case cases[] = {
      {ENOENT, false, "Die angegebene Datei wurde nicht gefunden"},
      {ENOENT, true, "Ungültiger Dateiname - x/y.asc"},
      {ENOTDIR, true, "Ungültiger Dateiname - x/y.asc"},
      {ENAMETOOLONG, false, "Ungültiger Dateiname - x/y.asc"},
      {EACCES, true, "Dateizugriff verweigert"},
      {EISDIR, true, "Dateizugriff verweigert"},
      {EROFS, true, "Dateizugriff verweigert"},
      {EMFILE, false, "Zu viele geöffnete Dateien"},
      {ENOSPC, true, "Zu wenig Speicherplatz"},
      {EDQUOT, true, "Zu wenig Speicherplatz"},
      // A failing disk is no refused access, whatever its number.
      {EIO, false, "E/A-Fehler 5"},
      {EPIPE, false, "E/A-Fehler 32"},
      {100, false, "E/A-Fehler 100"},
      {101, false, "E/A-Fehler 101"},
      {106, false, "E/A-Fehler 106"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EInOutError(CodeOfErrno(c.err, c.creating), "x/y.asc").message(), c.report)
        << c.err << " " << c.creating;
  }
}

}  // namespace
}  // namespace pluv
