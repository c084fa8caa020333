// A platform held in memory: scripted standard input, captured standard
// output, a fixed clock, and a working folder of files and directories
// that live in memory. Tests and fuzzers run whole dialogues on it in the
// same process, fast and without touching the disk.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/platform.h"

namespace pluv {

class MemoryPlatform : public Platform {
 public:
  // `input` is what standard input delivers, at most `chunk` bytes per read.
  explicit MemoryPlatform(std::string input = {}, std::size_t chunk = std::size_t(1) << 20)
      : input_(std::move(input)), chunk_(chunk) {}

  // Replaces what standard input delivers from now on.
  void SetInput(std::string input) {
    input_ = std::move(input);
    read_at_ = 0;
  }

  // The working folder: names are paths below it, "a/b/c" with "/" between.
  void AddFile(const std::string& name, std::string content);
  void AddDirectory(const std::string& name);
  // The content of a file, or null.
  const std::string* File(const std::string& name) const;

  // What was written to standard output, and how many writes it took.
  const std::string& output() const { return output_; }
  int writes() const { return writes_; }

  bool terminal = false;
  IoCode input_error = 0;   // the code of every read once the input is used up
  IoCode output_error = 0;  // the code of every write
  // Standard output takes at most this many bytes, then fails as a full disk
  // would: a dialogue that would write for ever ends in bounded time.
  std::size_t output_limit = std::size_t(1) << 30;
  // Result files keep at most this many bytes (the rest is counted, not kept).
  std::size_t file_limit = std::size_t(1) << 30;

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
  struct Open {
    std::shared_ptr<std::string> content;
    std::size_t at = 0;
    bool open = false;
  };
  bool DirectoryExists(const std::string& name) const;

  std::string input_;
  std::size_t read_at_ = 0;
  std::size_t chunk_;
  std::string output_;
  int writes_ = 0;
  std::map<std::string, std::shared_ptr<std::string>> files_;
  std::set<std::string> directories_;
  std::vector<Open> open_;
};

}  // namespace pluv
