// A platform for unit tests: scripted standard input, captured standard
// output, a fixed clock; files are the real ones.
#pragma once

#include <string>

#include "common/platform.h"

namespace pluv {

class TestPlatform : public Platform {
 public:
  // `input` is what standard input delivers, at most `chunk` bytes per read.
  explicit TestPlatform(std::string input = {}, std::size_t chunk = 1 << 20)
      : input_(std::move(input)), chunk_(chunk) {}

  // What was written to standard output, and how many writes it took.
  const std::string& output() const { return output_; }
  int writes() const { return writes_; }

  bool terminal = false;
  IoCode input_error = 0;   // the code of every read once the input is used up
  IoCode output_error = 0;  // the code of every write

  IoCode ReadInput(char* buffer, std::size_t size, std::size_t* got) override;
  IoCode WriteOutput(const char* data, std::size_t size) override;
  bool OutputIsTerminal() override { return terminal; }

  bool FileExists(const std::string& name) override;
  IoCode OpenForReading(const std::string& name, FileHandle* file) override;
  IoCode CreateForWriting(const std::string& name, FileHandle* file) override;
  IoCode ReadFile(FileHandle file, void* buffer, std::size_t size, std::size_t* got) override;
  IoCode WriteFile(FileHandle file, const void* data, std::size_t size) override;
  IoCode CloseFile(FileHandle file) override;

  // 11 December 2026, 14:05:09, shown as 11.12.2026 and 14:05:09.
  LocalTime Now() override { return LocalTime{2026, 12, 11, 14, 5, 9}; }
  std::string ShortDate(int year, int month, int day) override;
  std::string LongTime(int hour, int minute, int second) override;

 private:
  std::string input_;
  std::size_t read_at_ = 0;
  std::size_t chunk_;
  std::string output_;
  int writes_ = 0;
};

// A fresh, empty directory for one test, removed with it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The whole content of a file ("" when it cannot be read).
std::string ReadWholeFile(const std::string& path);

}  // namespace pluv
