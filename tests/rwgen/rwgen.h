// rwgen: makes RW products for tests, the demo and the benchmark: headers in
// the real layout, cells from a function, and the damaged variants.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace rwgen {

constexpr int kGridSize = 900;
constexpr std::size_t kCellBytes = 2 * kGridSize * kGridSize;

// The no-data word outside the radar coverage: reading 10, value 2500.
constexpr std::uint16_t kNoData = 0x29C4;

// The cell word of column x and row y, both from 1; row 1 is stored first.
using CellFunction = std::function<std::uint16_t(int x, int y)>;

// The header of the product with the stamp YYMMDDHHmm, as the weather
// service writes it, its final byte 3 included (134 bytes).
std::string Header(std::string_view stamp);
// A header of the same layout whose site list holds the bytes 128 to 255.
std::string HeaderWithHighBytes(std::string_view stamp);

// `header` (byte 3 included), then the cell words of `cell`, low byte first.
std::string Product(std::string_view header, const CellFunction& cell);

// Cell patterns.
std::uint16_t Zero(int x, int y);
// The cell value (x + 7 y) mod 4096, reading 0: every cell tells where it is.
std::uint16_t Ramp(int x, int y);
// An hour of a rain field that moves east: values in tenths of a millimetre,
// mostly reading 0, some reading 1, a little clutter (reading 100) and the
// no-data word outside the radar coverage.
CellFunction RainField(int hour);

// Damaged products.
// The first `size` bytes of `product`.
std::string Truncated(std::string_view product, std::size_t size);
// A product of `size` bytes without any byte 3: a header that never ends.
std::string WithoutHeaderEnd(std::size_t size);

// "raa01-rw_10000-" YY MM DD HH mm "-dwd---bin" for a four-digit year.
std::string ProductName(int year, int month, int day, int hour, int minute);
// The stamp YYMMDDHHmm of the same.
std::string Stamp(int year, int month, int day, int hour, int minute);

// Writes `bytes` to the file `path`, replacing it; throws on failure.
void WriteFile(const std::string& path, std::string_view bytes);

}  // namespace rwgen
