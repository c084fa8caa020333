// The programs under test: the native build, or the Windows build run
// through Wine (PLUV_TARGET=windows, with PLUV_BIN_DIR and PLUV_WINE).
#pragma once

#include <string>

namespace pluv {

// True when the programs under test are the Windows ones.
bool TargetIsWindows();

// The directory separator of the programs under test.
const std::string& TargetSeparator();

// `path` written with the separator of the programs under test.
std::string Native(std::string path);

// An absolute path of this machine as the programs under test name it
// (Wine maps the drive Z: to /).
std::string NativeAbsolute(const std::string& path);

// A date as the programs under test write it in the period summary: C.UTF-8
// writes 06/01/16, Wine's default locale 6/1/2016.
std::string TargetDate(int year, int month, int day);

}  // namespace pluv
