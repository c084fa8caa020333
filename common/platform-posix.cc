// The platform layer on POSIX systems (Linux, BSD, macOS).
#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <clocale>
#include <csignal>
#include <ctime>

#include "failure.h"
#include "platform-posix.h"
#include "platform.h"

namespace pluv {

const char kDirSeparator[] = "/";

IoCode CodeOfErrno(int err, bool creating) {
  switch (err) {
    case ENOENT:
      return creating ? kPathNotFound : kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
      return kAccessDenied;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    default:
      return SystemError(err);
  }
}

namespace {

// A name that the system cannot take as it stands (an embedded NUL would cut it).
bool IsUnusableName(const std::string& name) {
  return name.find('\0') != std::string::npos;
}

IoCode WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return CodeOfErrno(errno, false);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

std::string FormatTm(const char* format, const std::tm& tm) {
  char text[256];
  std::size_t n = std::strftime(text, sizeof text, format, &tm);
  return std::string(text, n);
}

class PosixPlatform final : public Platform {
 public:
  PosixPlatform() {
    // A reader that went away makes write() fail with EPIPE instead of
    // killing the process, so the run ends through its error report.
    std::signal(SIGPIPE, SIG_IGN);
    std::setlocale(LC_ALL, "");
    // Keep descriptors 0 to 2 taken: a file opened later must never land
    // on the console's place. A closed standard output stays unwritable.
    for (int fd = 0; fd <= 2; ++fd) {
      if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) ::open("/dev/null", O_RDONLY);
    }
    terminal_ = ::isatty(1) == 1;
  }

  IoCode ReadInput(char* buffer, std::size_t size, std::size_t* got) override {
    *got = 0;
    for (;;) {
      ssize_t n = ::read(0, buffer, size);
      if (n >= 0) {
        *got = static_cast<std::size_t>(n);
        return 0;
      }
      if (errno != EINTR) return CodeOfErrno(errno, false);
    }
  }

  IoCode WriteOutput(const char* data, std::size_t size) override {
    return WriteAll(1, data, size);
  }

  bool OutputIsTerminal() override { return terminal_; }

  bool FileExists(const std::string& name) override {
    // A directory, FIFO or device named like a product is no product: a
    // device such as /dev/zero would be read for ever.
    struct stat st;
    if (IsUnusableName(name) || ::stat(name.c_str(), &st) != 0) return false;
    return S_ISREG(st.st_mode);
  }

  IoCode OpenForReading(const std::string& name, FileHandle* file) override {
    *file = kNoFile;
    if (IsUnusableName(name)) return kPathNotFound;
    // O_NONBLOCK keeps a FIFO named like a product from making the tool wait
    // for a writer for ever; it changes nothing for regular files.
    int fd;
    do {
      fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return CodeOfErrno(errno, false);
    *file = fd;
    return 0;
  }

  IoCode CreateForWriting(const std::string& name, FileHandle* file) override {
    *file = kNoFile;
    if (IsUnusableName(name)) return kPathNotFound;
    int fd;
    do {
      fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return CodeOfErrno(errno, true);
    *file = fd;
    return 0;
  }

  IoCode ReadFile(FileHandle file, void* buffer, std::size_t size,
                  std::size_t* got) override {
    *got = 0;
    for (;;) {
      ssize_t n = ::read(static_cast<int>(file), buffer, size);
      if (n >= 0) {
        *got = static_cast<std::size_t>(n);
        return 0;
      }
      if (errno != EINTR) return CodeOfErrno(errno, false);
    }
  }

  IoCode WriteFile(FileHandle file, const void* data, std::size_t size) override {
    return WriteAll(static_cast<int>(file), static_cast<const char*>(data), size);
  }

  IoCode CloseFile(FileHandle file) override {
    if (::close(static_cast<int>(file)) != 0 && errno != EINTR) {
      return CodeOfErrno(errno, false);
    }
    return 0;
  }

  LocalTime Now() override {
    std::timespec ts;
    ::clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    ::localtime_r(&ts.tv_sec, &tm);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                     tm.tm_hour,        tm.tm_min,     tm.tm_sec};
  }

  std::string ShortDate(int year, int month, int day) override {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / month / day};
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_wday = static_cast<int>(weekday{date}.c_encoding());
    tm.tm_yday = (date - sys_days{std::chrono::year{year} / January / 1}).count();
    return FormatTm(::nl_langinfo(D_FMT), tm);
  }

  std::string LongTime(int hour, int minute, int second) override {
    std::tm tm{};
    tm.tm_year = 70;
    tm.tm_mday = 1;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return FormatTm(::nl_langinfo(T_FMT), tm);
  }

 private:
  bool terminal_ = false;
};

}  // namespace

Platform& SystemPlatform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace pluv
