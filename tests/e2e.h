// Running the built programs as a user would: scripted standard input, a
// folder of their own, the whole transcript and exit status captured.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "test_platform.h"

namespace pluv {

// What standard output of a run is connected to.
enum class Output {
  kFile,        // captured
  kClosed,      // descriptor 1 not open
  kBrokenPipe,  // a pipe whose reader has gone
};

struct RunResult {
  std::string output;  // everything written to standard output
  std::string errors;  // standard error (sanitizer reports, if any)
  int status = -1;     // exit status; -1 if killed by a signal
  int signal = 0;      // the signal that ended it, if any
  bool timed_out = false;
};

struct RunOptions {
  Output output = Output::kFile;
  bool no_input = false;      // descriptor 0 not open
  bool unprivileged = false;  // as the user nobody (through setpriv when root)
};

// Runs `program` (pluvconv, pluvaccum, pluvcount, pluvscan) in `dir` with
// `input` as standard input, under LC_ALL=C.UTF-8 and TZ=UTC.
RunResult RunProgram(const std::string& program, const std::string& dir, const std::string& input,
                     const RunOptions& options = {});

// Why runs as an unprivileged user are not possible here ("" if they are).
std::string WhyNotUnprivileged();

// `lines`, each followed by CR LF.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// The transcript without its first line, the banner (which tells date and time).
std::string AfterBanner(const std::string& output);

// The expected ASCII raster of `value(x, y)`, written the plain way.
template <typename ValueFunction>
std::string ExpectedRaster(std::string_view nodata_line, ValueFunction value) {
  std::string text =
      "NCOLS 900\r\nNROWS 900\r\nXLLCORNER -523,4622\r\nYLLCORNER -4658,645\r\nCELLSIZE 1\r\n";
  text += nodata_line;
  text += "\r\n";
  for (int y = 900; y >= 1; --y) {
    for (int x = 1; x <= 900; ++x) text += std::to_string(value(x, y)) + " ";
  }
  return text;
}

}  // namespace pluv
