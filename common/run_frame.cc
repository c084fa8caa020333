#include "run_frame.h"

#include <exception>
#include <new>

namespace pluv {

void WriteStartBlock(Console& console, Platform& platform, const StartBlock& start) {
  LocalTime date = platform.Now();
  LocalTime time = start.separate_time_reading ? platform.Now() : date;
  std::string banner = "VELMORA -AG Quillfeld-  ";
  banner += platform.ShortDate(date.year, date.month, date.day);
  banner += "  ";
  banner += platform.LongTime(time.hour, time.minute, time.second);
  console.WriteLine(banner);
  for (std::string_view line : start.lines) console.WriteLine(line);
}

int ReportFailure(Console& console, const Exception& failure) {
  try {
    console.Write(FailureReportLine(failure));
    console.Flush();
  } catch (const Exception&) {
    // Standard output cannot take the report either; the status still tells.
  }
  return kExitFailure;
}

int RunTool(Platform& platform, const StartBlock& start,
            const std::function<void(Console&)>& body) {
  Console console(platform);
  try {
    try {
      WriteStartBlock(console, platform, start);
      body(console);
      console.Flush();
      return kExitNormal;
    } catch (const std::bad_alloc&) {
      throw EOutOfMemory();
    } catch (const std::exception& e) {
      // Not expected from the tools' own code; still one report, no crash.
      throw Exception(e.what());
    }
  } catch (const Exception& failure) {
    return ReportFailure(console, failure);
  }
}

}  // namespace pluv
