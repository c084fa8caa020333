#include "test_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pluv {

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
