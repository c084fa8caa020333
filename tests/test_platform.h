// A platform for unit tests: the console and clock of MemoryPlatform, with
// the real files of the system.
#pragma once

#include <string>

#include "memory_platform.h"

namespace pluv {

class TestPlatform : public MemoryPlatform {
 public:
  using MemoryPlatform::MemoryPlatform;

  bool FileExists(const std::string& name) override;
  IoCode OpenForReading(const std::string& name, FileHandle* file) override;
  IoCode CreateForWriting(const std::string& name, FileHandle* file) override;
  IoCode ReadFile(FileHandle file, void* buffer, std::size_t size, std::size_t* got) override;
  IoCode WriteFile(FileHandle file, const void* data, std::size_t size) override;
  IoCode CloseFile(FileHandle file) override;
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
