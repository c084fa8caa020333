// The thin layer in front of the operating system: console, files, clock
// and locale. Everything else of the tools calls these and nothing below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pluv {

// Result of a platform operation: 0 on success, else the failure code
// (failure.h) that the system's error maps to, or SystemError() of its
// number when it has no code of the tools' own.
using IoCode = int;

// An open file of the platform (a descriptor, or a Windows handle).
using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Console: standard input and standard output, as bytes.
  // Reads what is available, at most `size` bytes; *got is 0 at end of input.
  virtual IoCode ReadInput(char* buffer, std::size_t size, std::size_t* got) = 0;
  // Writes all of `data`.
  virtual IoCode WriteOutput(const char* data, std::size_t size) = 0;
  // True when standard output is a terminal, so that every write shows at once.
  virtual bool OutputIsTerminal() = 0;

  // Files.
  // True for an existing regular file (links followed); false for a
  // directory, a FIFO or a device.
  virtual bool FileExists(const std::string& name) = 0;
  // Opens an existing file for reading, shared with other readers and writers.
  virtual IoCode OpenForReading(const std::string& name, FileHandle* file) = 0;
  // Creates a file for writing, replacing one of the same name.
  virtual IoCode CreateForWriting(const std::string& name, FileHandle* file) = 0;
  // Reads at most `size` bytes with one request; *got is 0 at the end of the file.
  virtual IoCode ReadFile(FileHandle file, void* buffer, std::size_t size,
                          std::size_t* got) = 0;
  // Writes all of `data`.
  virtual IoCode WriteFile(FileHandle file, const void* data, std::size_t size) = 0;
  virtual IoCode CloseFile(FileHandle file) = 0;

  // Clock and locale.
  virtual LocalTime Now() = 0;
  // A date in the user's short date form.
  virtual std::string ShortDate(int year, int month, int day) = 0;
  // A time of day in the user's long time form.
  virtual std::string LongTime(int hour, int minute, int second) = 0;
};

// The platform of this process: the real console, file system and clock.
Platform& SystemPlatform();

// The separator that joins the year and month directories of a product path.
extern const char kDirSeparator[];

}  // namespace pluv
