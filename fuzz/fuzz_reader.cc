// Fuzzes the RW reader: arbitrary file bytes, read with and without echo
// (the first byte chooses), checked against what the bytes hold.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/console.h"
#include "common/failure.h"
#include "common/rw_product.h"
#include "memory_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool echo = data[0] & 1;
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  pluv::MemoryPlatform platform;
  platform.AddFile("p", bytes);
  pluv::Console console(platform);
  pluv::RwReader reader(platform);

  const std::size_t end = bytes.find('\x03');
  const std::size_t cells_start = end == std::string::npos ? bytes.size() : end + 1;
  const std::size_t complete = std::min<std::size_t>((bytes.size() - cells_start) / 2, pluv::kCells);
  int handed = 0;
  bool failed = false;
  try {
    reader.OpenRwProduct("p");
    reader.SkipRwHeader(echo ? &console : nullptr);
    if (end == std::string::npos) __builtin_trap();  // a header without end
    reader.ReadRwCells([&](const pluv::RwCells& cells) {
      if (cells.first != handed || cells.count <= 0) __builtin_trap();
      if (std::memcmp(cells.bytes, bytes.data() + cells_start + 2 * std::size_t(handed),
                      2 * std::size_t(cells.count)) != 0) {
        __builtin_trap();
      }
      handed += cells.count;
    });
    reader.CloseRwProduct();
  } catch (const pluv::EInOutError& e) {
    if (e.code() != pluv::kReadPastEnd) __builtin_trap();
    failed = true;
  }
  if (std::size_t(handed) != complete) __builtin_trap();
  if (failed != (complete < std::size_t(pluv::kCells))) __builtin_trap();
  if (echo) {
    console.Flush();
    // Each header byte shows as one character of one or two bytes.
    const std::size_t header = std::min(cells_start, bytes.size());
    if (platform.output().size() < header || platform.output().size() > 2 * header) __builtin_trap();
  }
  return 0;
}
