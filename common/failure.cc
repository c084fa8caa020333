#include "failure.h"

namespace pluv {

EInOutError::EInOutError(int code, std::string_view file_name)
    : Exception(InOutErrorMessage(code, file_name)), code_(code) {}

std::string InOutErrorMessage(int code, std::string_view file_name) {
  switch (code) {
    case kFileNotFound:
      return "Die angegebene Datei wurde nicht gefunden";
    case kPathNotFound:
      return "Ungültiger Dateiname - " + std::string(file_name);
    case kTooManyOpenFiles:
      return "Zu viele geöffnete Dateien";
    case kAccessDenied:
      return "Dateizugriff verweigert";
    case kReadPastEnd:
      return "Versuch hinter dem Dateiende zu lesen";
    case kDiskFull:
      return "Zu wenig Speicherplatz";
    case kInvalidNumber:
      return "Ungültige numerische Eingabe";
    default:
      return "E/A-Fehler " + std::to_string(code);
  }
}

std::string FailureReportLine(const Exception& failure) {
  return std::string(failure.ClassName()) + ": " + failure.message() + "\r\n";
}

}  // namespace pluv
