#include "output_file.h"

#include <algorithm>
#include <cstring>

#include "failure.h"

namespace pluv {

OutputFile::OutputFile(Platform& platform, std::size_t buffer_size)
    : platform_(platform), buffer_(buffer_size) {}

OutputFile::~OutputFile() {
  if (file_ != kNoFile) platform_.CloseFile(file_);
}

void OutputFile::Create(const std::string& name) {
  CheckFileName(name);
  if (file_ != kNoFile) {
    platform_.CloseFile(file_);
    file_ = kNoFile;
  }
  used_ = 0;
  IoCode code = platform_.CreateForWriting(name, &file_);
  if (code != 0) throw EInOutError(code, name);
  name_ = name;
}

void OutputFile::Append(std::string_view text) {
  while (!text.empty()) {
    std::size_t n = std::min(text.size(), buffer_.size());
    char* at = Reserve(n);
    std::memcpy(at, text.data(), n);
    Commit(at + n);
    text.remove_prefix(n);
  }
}

void OutputFile::Flush() {
  if (used_ == 0) return;
  std::size_t size = used_;
  used_ = 0;
  IoCode code = platform_.WriteFile(file_, buffer_.data(), size);
  if (code != 0) throw EInOutError(code, name_);
}

void OutputFile::Close() {
  Flush();
  FileHandle file = file_;
  file_ = kNoFile;
  IoCode code = platform_.CloseFile(file);
  if (code != 0) throw EInOutError(code, name_);
}

}  // namespace pluv
