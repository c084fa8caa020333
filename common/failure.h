// The failures that end a run, and the one-line report they become.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pluv {

// The tools' own failure codes; any other code is an error number of the
// operating system's file interface.
enum FailureCode : int {
  kFileNotFound = 2,
  kPathNotFound = 3,  // also a file name longer than kMaxFileNameLength
  kTooManyOpenFiles = 4,
  kAccessDenied = 5,
  kReadPastEnd = 100,
  kDiskFull = 101,
  kInvalidNumber = 106,
};

// A system error number without a meaning of its own to the tools, kept
// apart from their codes (the number 5 of a failing disk is no refused
// access): its report is "E/A-Fehler" and the number.
constexpr int kSystemErrorBase = 1 << 24;
constexpr int SystemError(int number) { return kSystemErrorBase + number; }

// Longest file name the tools accept, in characters.
constexpr std::size_t kMaxFileNameLength = 259;

// Root of all failures of a run; the report shows ClassName() and message().
class Exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  virtual ~Exception() = default;
  virtual const char* ClassName() const { return "Exception"; }
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

// A console or file operation failed with `code`; `file_name` is named in
// the message of code 3.
class EInOutError : public Exception {
 public:
  explicit EInOutError(int code, std::string_view file_name = {});
  const char* ClassName() const override { return "EInOutError"; }
  int code() const { return code_; }

 private:
  int code_;
};

// Year, month and day that form no calendar date.
class EConvertError : public Exception {
 public:
  EConvertError() : Exception("Ungültiges Argument zum Codieren des Datums") {}
  const char* ClassName() const override { return "EConvertError"; }
};

// Memory ran out (an absurdly long answer line, for instance).
class EOutOfMemory : public Exception {
 public:
  EOutOfMemory() : Exception("Zu wenig Arbeitsspeicher") {}
  const char* ClassName() const override { return "EOutOfMemory"; }
};

// The German message of an EInOutError with `code`.
std::string InOutErrorMessage(int code, std::string_view file_name);

// Fails with code 3 for a name longer than kMaxFileNameLength characters;
// every file is named through it before it is opened or created.
void CheckFileName(const std::string& name);

// The line of the error report, line end included.
std::string FailureReportLine(const Exception& failure);

}  // namespace pluv
