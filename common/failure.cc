#include "failure.h"

namespace pluv {

EInOutError::EInOutError(int code, std::string_view file_name)
    : Exception(InOutErrorMessage(code, file_name)), code_(code) {}

std::string InOutErrorMessage(int code, std::string_view file_name) {
  if (code >= kSystemErrorBase) return "E/A-Fehler " + std::to_string(code - kSystemErrorBase);
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

void CheckFileName(const std::string& name) {
  // Characters, not bytes: a UTF-8 sequence counts once.
  std::size_t characters = 0;
  for (unsigned char c : name) characters += (c & 0xC0) != 0x80;
  if (characters > kMaxFileNameLength) throw EInOutError(kPathNotFound, name);
}

std::string FailureReportLine(const Exception& failure) {
  return std::string(failure.ClassName()) + ": " + failure.message() + "\r\n";
}

}  // namespace pluv
