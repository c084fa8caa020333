#include "target.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace pluv {

bool TargetIsWindows() {
  static const bool windows = [] {
    const char* target = std::getenv("PLUV_TARGET");
    return target != nullptr && std::string_view(target) == "windows";
  }();
  return windows;
}

const std::string& TargetSeparator() {
  static const std::string separator = TargetIsWindows() ? "\\" : "/";
  return separator;
}

std::string Native(std::string path) {
  if (TargetIsWindows()) std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string NativeAbsolute(const std::string& path) {
  return TargetIsWindows() ? "Z:" + Native(path) : path;
}

std::string TargetDate(int year, int month, int day) {
  char text[32];
  if (TargetIsWindows()) {
    std::snprintf(text, sizeof text, "%d/%d/%d", month, day, year);
  } else {
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", month, day, year % 100);
  }
  return text;
}

}  // namespace pluv
