#include "memory_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/failure.h"

namespace pluv {

void MemoryPlatform::AddFile(const std::string& name, std::string content) {
  files_[name] = std::make_shared<std::string>(std::move(content));
  for (std::size_t slash = name.find('/'); slash != std::string::npos; slash = name.find('/', slash + 1)) {
    directories_.insert(name.substr(0, slash));
  }
}

void MemoryPlatform::AddDirectory(const std::string& name) {
  directories_.insert(name);
  AddFile(name + "/.", "");  // makes the parents known
  files_.erase(name + "/.");
}

const std::string* MemoryPlatform::File(const std::string& name) const {
  auto it = files_.find(name);
  return it == files_.end() ? nullptr : it->second.get();
}

bool MemoryPlatform::DirectoryExists(const std::string& name) const {
  return name.empty() || directories_.count(name) > 0;
}

IoCode MemoryPlatform::ReadInput(char* buffer, std::size_t size, std::size_t* got) {
  *got = std::min({size, chunk_, input_.size() - read_at_});
  if (*got == 0 && input_error != 0) return input_error;
  std::memcpy(buffer, input_.data() + read_at_, *got);
  read_at_ += *got;
  return 0;
}

IoCode MemoryPlatform::WriteOutput(const char* data, std::size_t size) {
  ++writes_;
  if (output_error != 0) return output_error;
  if (output_.size() + size > output_limit) return kDiskFull;
  output_.append(data, size);
  return 0;
}

bool MemoryPlatform::FileExists(const std::string& name) { return files_.count(name) > 0; }

IoCode MemoryPlatform::OpenForReading(const std::string& name, FileHandle* file) {
  auto it = files_.find(name);
  if (it == files_.end()) return DirectoryExists(name) ? kAccessDenied : kFileNotFound;
  open_.push_back(Open{it->second, 0, true});
  *file = static_cast<FileHandle>(open_.size() - 1);
  return 0;
}

IoCode MemoryPlatform::CreateForWriting(const std::string& name, FileHandle* file) {
  if (DirectoryExists(name)) return kAccessDenied;
  const std::size_t slash = name.rfind('/');
  if (slash != std::string::npos && !DirectoryExists(name.substr(0, slash))) return kPathNotFound;
  auto content = std::make_shared<std::string>();
  files_[name] = content;
  open_.push_back(Open{content, 0, true});
  *file = static_cast<FileHandle>(open_.size() - 1);
  return 0;
}

IoCode MemoryPlatform::ReadFile(FileHandle file, void* buffer, std::size_t size, std::size_t* got) {
  Open& f = open_.at(static_cast<std::size_t>(file));
  *got = std::min(size, f.content->size() - std::min(f.at, f.content->size()));
  std::memcpy(buffer, f.content->data() + f.at, *got);
  f.at += *got;
  return 0;
}

IoCode MemoryPlatform::WriteFile(FileHandle file, const void* data, std::size_t size) {
  Open& f = open_.at(static_cast<std::size_t>(file));
  const std::size_t keep = std::min(size, file_limit - std::min(file_limit, f.content->size()));
  f.content->append(static_cast<const char*>(data), keep);
  return 0;
}

IoCode MemoryPlatform::CloseFile(FileHandle file) {
  Open& f = open_.at(static_cast<std::size_t>(file));
  if (!f.open) return SystemError(9);  // closed twice: a bad descriptor
  f.open = false;
  f.content.reset();
  return 0;
}

std::string MemoryPlatform::ShortDate(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%d", day, month, year);
  return text;
}

std::string MemoryPlatform::LongTime(int hour, int minute, int second) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
  return text;
}

}  // namespace pluv
