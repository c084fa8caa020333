#include "test_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pluv {

IoCode TestPlatform::ReadInput(char* buffer, std::size_t size, std::size_t* got) {
  std::size_t n = std::min({size, chunk_, input_.size() - read_at_});
  if (n == 0 && input_error != 0) {
    *got = 0;
    return input_error;
  }
  std::memcpy(buffer, input_.data() + read_at_, n);
  read_at_ += n;
  *got = n;
  return 0;
}

IoCode TestPlatform::WriteOutput(const char* data, std::size_t size) {
  ++writes_;
  if (output_error != 0) return output_error;
  output_.append(data, size);
  return 0;
}

bool TestPlatform::FileExists(const std::string& name) {
  return SystemPlatform().FileExists(name);
}
IoCode TestPlatform::OpenForReading(const std::string& name, FileHandle* file) {
  return SystemPlatform().OpenForReading(name, file);
}
IoCode TestPlatform::CreateForWriting(const std::string& name, FileHandle* file) {
  return SystemPlatform().CreateForWriting(name, file);
}
IoCode TestPlatform::ReadFile(FileHandle file, void* buffer, std::size_t size, std::size_t* got) {
  return SystemPlatform().ReadFile(file, buffer, size, got);
}
IoCode TestPlatform::WriteFile(FileHandle file, const void* data, std::size_t size) {
  return SystemPlatform().WriteFile(file, data, size);
}
IoCode TestPlatform::CloseFile(FileHandle file) { return SystemPlatform().CloseFile(file); }

std::string TestPlatform::ShortDate(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%d", day, month, year);
  return text;
}

std::string TestPlatform::LongTime(int hour, int minute, int second) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
  return text;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pluv-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace pluv
