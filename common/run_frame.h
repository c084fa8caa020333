// The frame of every run: the start block, and the single guard that turns
// any failure into the one-line error report.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "console.h"
#include "failure.h"
#include "platform.h"

namespace pluv {

// What a tool writes at its start, after the banner line.
struct StartBlock {
  // The tool's title lines; a line of one blank separates blocks.
  std::vector<std::string_view> lines;
  // pluvconv takes the date and the time of day from two clock readings.
  bool separate_time_reading = false;
};

// Exit status of a run that ended normally and of one that ended through the report.
constexpr int kExitNormal = 0;
constexpr int kExitFailure = 1;

// Writes the banner line with date and time, then the tool's lines.
void WriteStartBlock(Console& console, Platform& platform, const StartBlock& start);

// Writes the error report of `failure`; returns the exit status for it.
int ReportFailure(Console& console, const Exception& failure);

// Runs a tool: the start block, then `body`, under the one guard. Returns
// the exit status of the process.
int RunTool(Platform& platform, const StartBlock& start,
            const std::function<void(Console&)>& body);

}  // namespace pluv
