// The platform layer on Windows: console, files, clock and locale through
// the Win32 API. Names and console text are UTF-8 inside the tools.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <limits>
#include <string>

#include "failure.h"
#include "platform.h"

namespace pluv {

const char kDirSeparator[] = "\\";

namespace {

// The largest request handed to ReadFile and WriteFile at once.
constexpr DWORD kMaxRequest = 1u << 30;

// The failure code of a system error number (GetLastError).
IoCode CodeOfError(DWORD err) {
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
      return kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return kPathNotFound;
    case ERROR_TOO_MANY_OPEN_FILES:
      return kTooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
      return kAccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return kDiskFull;
    default:
      return SystemError(static_cast<int>(err));
  }
}

IoCode LastErrorCode() { return CodeOfError(::GetLastError()); }

// The UTF-16 form of a file name. The name is taken as UTF-8, and as text of
// the ANSI code page when it is no valid UTF-8 (an answer file saved by an
// older editor). False for a name the system cannot take: an embedded NUL
// would cut it.
bool WideName(const std::string& name, std::wstring* wide) {
  wide->clear();
  if (name.find('\0') != std::string::npos) return false;
  if (name.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return false;
  if (name.empty()) return true;
  const int size = static_cast<int>(name.size());
  UINT code_page = CP_UTF8;
  DWORD flags = MB_ERR_INVALID_CHARS;
  int n = ::MultiByteToWideChar(code_page, flags, name.data(), size, nullptr, 0);
  if (n == 0) {
    code_page = CP_ACP;
    flags = 0;
    n = ::MultiByteToWideChar(code_page, flags, name.data(), size, nullptr, 0);
    if (n == 0) return false;
  }
  wide->resize(static_cast<std::size_t>(n));
  ::MultiByteToWideChar(code_page, flags, name.data(), size, wide->data(), n);
  return true;
}

// The UTF-8 form of UTF-16 text.
std::string Utf8(const wchar_t* text, int size) {
  if (size <= 0) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, size, result.data(), n, nullptr, nullptr);
  return result;
}

bool IsValidHandle(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

bool IsConsole(HANDLE handle) {
  DWORD mode;
  return IsValidHandle(handle) && ::GetConsoleMode(handle, &mode) != 0;
}

// Writes all of `data` to `handle`, looping over partial writes.
IoCode WriteAll(HANDLE handle, const char* data, std::size_t size) {
  if (!IsValidHandle(handle)) return SystemError(ERROR_INVALID_HANDLE);
  while (size > 0) {
    const DWORD request = static_cast<DWORD>(std::min<std::size_t>(size, kMaxRequest));
    DWORD written = 0;
    if (!::WriteFile(handle, data, request, &written, nullptr)) return LastErrorCode();
    if (written == 0) return SystemError(ERROR_WRITE_FAULT);
    data += written;
    size -= written;
  }
  return 0;
}

// Reads at most `size` bytes from `handle` with one request; the end of a
// pipe counts as the end of the data.
IoCode ReadOnce(HANDLE handle, void* buffer, std::size_t size, std::size_t* got) {
  *got = 0;
  const DWORD request = static_cast<DWORD>(std::min<std::size_t>(size, kMaxRequest));
  DWORD n = 0;
  if (!::ReadFile(handle, buffer, request, &n, nullptr)) {
    const DWORD err = ::GetLastError();
    if (err == ERROR_BROKEN_PIPE || err == ERROR_HANDLE_EOF) return 0;
    return CodeOfError(err);
  }
  *got = n;
  return 0;
}

// A date's fields for the locale functions; the day of the week computed.
SYSTEMTIME SystemTimeOf(int year, int month, int day) {
  using namespace std::chrono;
  const sys_days date{std::chrono::year{year} / month / day};
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wDayOfWeek = static_cast<WORD>(weekday{date}.c_encoding());
  return st;
}

// `n` in decimal, with leading zeros up to `width` digits.
std::wstring Digits(int n, std::size_t width) {
  std::wstring text = std::to_wstring(n);
  while (text.size() < width) text.insert(text.begin(), L'0');
  return text;
}

// A date in the locale's short date pattern, expanded here (d, dd, M, MM,
// y, yy, yyyy and quoted text); for the years before 1601, which the
// system's date functions do not take.
std::wstring ExpandShortDate(int year, int month, int day) {
  wchar_t pattern[128];
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 128) == 0) {
    wcscpy(pattern, L"dd.MM.yyyy");
  }
  std::wstring text;
  for (const wchar_t* p = pattern; *p != L'\0';) {
    const wchar_t c = *p;
    if (c == L'\'') {
      for (++p; *p != L'\0' && *p != L'\''; ++p) text.push_back(*p);
      if (*p == L'\'') ++p;
      continue;
    }
    std::size_t run = 0;
    while (p[run] == c) ++run;
    p += run;
    if (c == L'd') {
      text += Digits(day, std::min<std::size_t>(run, 2));
    } else if (c == L'M') {
      text += Digits(month, std::min<std::size_t>(run, 2));
    } else if (c == L'y') {
      text += run <= 2 ? Digits(year % 100, run) : Digits(year, 4);
    } else if (c != L'g') {
      text.append(run, c);
    }
  }
  return text;
}

class Win32Platform final : public Platform {
 public:
  Win32Platform() {
    in_ = ::GetStdHandle(STD_INPUT_HANDLE);
    out_ = ::GetStdHandle(STD_OUTPUT_HANDLE);
    // The tools write UTF-8; the console shows it as such while they run.
    saved_code_page_ = ::GetConsoleOutputCP();
    if (saved_code_page_ != 0) ::SetConsoleOutputCP(CP_UTF8);
    // Bytes pass unchanged: the CR LF the tools write stays CR LF. Only a
    // standard handle that exists has a C descriptor to switch.
    if (IsValidHandle(in_) && _fileno(stdin) >= 0) _setmode(_fileno(stdin), _O_BINARY);
    if (IsValidHandle(out_) && _fileno(stdout) >= 0) _setmode(_fileno(stdout), _O_BINARY);
    input_is_console_ = IsConsole(in_);
    terminal_ = IsConsole(out_);
  }

  ~Win32Platform() override {
    // The console keeps the code page it had before the run.
    if (saved_code_page_ != 0) ::SetConsoleOutputCP(saved_code_page_);
  }

  IoCode ReadInput(char* buffer, std::size_t size, std::size_t* got) override {
    *got = 0;
    // A missing standard input reads as an empty one.
    if (!IsValidHandle(in_) || size == 0) return 0;
    if (input_is_console_) return ReadConsoleText(buffer, size, got);
    return ReadOnce(in_, buffer, size, got);
  }

  IoCode WriteOutput(const char* data, std::size_t size) override {
    return WriteAll(out_, data, size);
  }

  bool OutputIsTerminal() override { return terminal_; }

  bool FileExists(const std::string& name) override {
    std::wstring wide;
    if (!WideName(name, &wide) || wide.empty()) return false;
    // A directory or a device named like a product is no product.
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
  }

  IoCode OpenForReading(const std::string& name, FileHandle* file) override {
    *file = kNoFile;
    std::wstring wide;
    if (!WideName(name, &wide)) return kPathNotFound;
    HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastErrorCode();
    *file = reinterpret_cast<FileHandle>(handle);
    return 0;
  }

  IoCode CreateForWriting(const std::string& name, FileHandle* file) override {
    *file = kNoFile;
    std::wstring wide;
    if (!WideName(name, &wide)) return kPathNotFound;
    HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastErrorCode();
    *file = reinterpret_cast<FileHandle>(handle);
    return 0;
  }

  IoCode ReadFile(FileHandle file, void* buffer, std::size_t size,
                  std::size_t* got) override {
    return ReadOnce(reinterpret_cast<HANDLE>(file), buffer, size, got);
  }

  IoCode WriteFile(FileHandle file, const void* data, std::size_t size) override {
    return WriteAll(reinterpret_cast<HANDLE>(file), static_cast<const char*>(data), size);
  }

  IoCode CloseFile(FileHandle file) override {
    if (!::CloseHandle(reinterpret_cast<HANDLE>(file))) return LastErrorCode();
    return 0;
  }

  LocalTime Now() override {
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
  }

  std::string ShortDate(int year, int month, int day) override {
    const SYSTEMTIME st = SystemTimeOf(year, month, day);
    wchar_t text[128];
    const int n = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text,
                                    128, nullptr);
    if (n > 0) return Utf8(text, n - 1);
    const std::wstring expanded = ExpandShortDate(year, month, day);
    return Utf8(expanded.data(), static_cast<int>(expanded.size()));
  }

  std::string LongTime(int hour, int minute, int second) override {
    SYSTEMTIME st = SystemTimeOf(2000, 1, 1);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    wchar_t text[128];
    const int n = ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, text, 128);
    return n > 0 ? Utf8(text, n - 1) : std::string();
  }

 private:
  // Typed lines come from the console as UTF-16 and are passed on as UTF-8,
  // whatever the console's input code page. A line that begins with Ctrl-Z
  // ends the input, as in every Windows console program.
  IoCode ReadConsoleText(char* buffer, std::size_t size, std::size_t* got) {
    while (pending_.empty()) {
      if (input_ended_) return 0;
      wchar_t wide[4096];
      DWORD n = 0;
      DWORD carried = 0;
      if (carried_surrogate_ != 0) {
        wide[carried++] = carried_surrogate_;
        carried_surrogate_ = 0;
      }
      if (!::ReadConsoleW(in_, wide + carried, 4096 - carried, &n, nullptr)) {
        return LastErrorCode();
      }
      n += carried;
      if (n == 0) return 0;
      if (wide[0] == 0x1A) {
        input_ended_ = true;
        return 0;
      }
      // Half of a surrogate pair waits for its other half.
      if (n > 1 && IS_HIGH_SURROGATE(wide[n - 1])) carried_surrogate_ = wide[--n];
      pending_ = Utf8(wide, static_cast<int>(n));
    }
    const std::size_t n = std::min(size, pending_.size());
    pending_.copy(buffer, n);
    pending_.erase(0, n);
    *got = n;
    return 0;
  }

  HANDLE in_ = nullptr;
  HANDLE out_ = nullptr;
  UINT saved_code_page_ = 0;
  bool input_is_console_ = false;
  bool terminal_ = false;
  bool input_ended_ = false;
  wchar_t carried_surrogate_ = 0;
  std::string pending_;
};

}  // namespace

Platform& SystemPlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace pluv
