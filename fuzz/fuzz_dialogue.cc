// Fuzzes a whole dialogue of one program (FUZZ_TOOL) on arbitrary standard
// input, against a small fixed tree of products held in memory: good ones,
// one of each minute, a truncated one and one without byte 3.
#include <cstddef>
#include <cstdint>
#include <string>

#include "memory_platform.h"
#include "pluvaccum/pluvaccum.h"
#include "pluvconv/pluvconv.h"
#include "pluvcount/pluvcount.h"
#include "pluvscan/pluvscan.h"
#include "rwgen.h"

namespace {

const pluv::MemoryPlatform& Tree() {
  static const pluv::MemoryPlatform tree = [] {
    pluv::MemoryPlatform t;
    auto product = [](int hour, int minute, const rwgen::CellFunction& cells) {
      return rwgen::Product(rwgen::Header(rwgen::Stamp(2016, 6, 1, hour, minute)), cells);
    };
    const std::string dir = "data/2016/06/";
    t.AddFile(dir + rwgen::ProductName(2016, 6, 1, 0, 50), product(0, 50, rwgen::RainField(0)));
    t.AddFile(dir + rwgen::ProductName(2016, 6, 1, 1, 45), product(1, 45, rwgen::Ramp));
    t.AddFile(dir + rwgen::ProductName(2016, 6, 1, 2, 50), product(2, 50, rwgen::RainField(2)));
    t.AddFile(dir + rwgen::ProductName(2016, 6, 1, 2, 45), product(2, 45, rwgen::Zero));
    t.AddFile(dir + rwgen::ProductName(2016, 6, 2, 5, 50), rwgen::Truncated(product(5, 50, rwgen::Ramp), 90'001));
    t.AddFile(dir + rwgen::ProductName(2016, 6, 3, 5, 50), rwgen::WithoutHeaderEnd(3000));
    t.AddFile(rwgen::ProductName(2016, 6, 1, 0, 50), product(0, 50, rwgen::RainField(0)));
    t.AddFile(rwgen::ProductName(2016, 6, 1, 1, 50), rwgen::Truncated(product(1, 50, rwgen::Ramp), 5000));
    t.AddFile(rwgen::ProductName(2016, 6, 1, 2, 50), rwgen::WithoutHeaderEnd(700));
    t.AddDirectory("out");
    t.AddDirectory("taken/Summe_20160601_20160602.asc");
    return t;
  }();
  return tree;
}

// True when the last line of `out` ends with a report: a failure class,
// ": " and a message (a prompt or an echoed header may stand before it).
bool EndsWithReport(const std::string& out) {
  if (out.size() < 2 || out.compare(out.size() - 2, 2, "\r\n") != 0) return false;
  const std::size_t start = out.rfind("\r\n", out.size() - 3);
  const std::string line = out.substr(start == std::string::npos ? 0 : start + 2);
  for (const char* prefix : {"EInOutError: ", "EConvertError: ", "EOutOfMemory: ", "Exception: "}) {
    if (line.find(prefix) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pluv::MemoryPlatform platform = Tree();
  platform.SetInput(std::string(reinterpret_cast<const char*>(data), size));
  // A dialogue that would write for ever (a period of thousands of years)
  // meets a full disk instead; results are counted, not kept.
  platform.output_limit = 256 * 1024;
  platform.file_limit = 0;
  const int status = FUZZ_TOOL(platform);
  if (status != 0 && status != 1) __builtin_trap();
  // A run that failed ends with its report line, unless standard output
  // itself was what failed.
  const std::string& out = platform.output();
  if (status == 1 && out.size() + 200 < platform.output_limit && !EndsWithReport(out)) {
    __builtin_trap();
  }
  return 0;
}
