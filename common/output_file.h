// Result files: created or replaced, filled through one buffer that is
// allocated once, and written in large writes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace pluv {

class OutputFile {
 public:
  OutputFile(Platform& platform, std::size_t buffer_size);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Closes a file still open without writing what its buffer holds.
  ~OutputFile();

  // Creates the file `name`, replacing one of that name.
  void Create(const std::string& name);
  // Room for `size` more bytes; returns where they go.
  char* Reserve(std::size_t size) {
    if (buffer_.size() - used_ < size) {
      Flush();
      if (buffer_.size() < size) buffer_.resize(size);
    }
    return buffer_.data() + used_;
  }
  // Takes the bytes written at Reserve() up to `end`.
  void Commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
  void Append(std::string_view text);
  // Writes what the buffer holds to the file.
  void Flush();
  // Flush(), then closes the file.
  void Close();

 private:
  Platform& platform_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  FileHandle file_ = kNoFile;
  std::string name_;
};

}  // namespace pluv
