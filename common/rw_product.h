// Reading RW products: the header up to its byte 3, then 900 x 900 cell
// words of two bytes, low byte first, the southern row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "console.h"
#include "failure.h"
#include "platform.h"

namespace pluv {

// The grid: kGridSize columns x by kGridSize rows y, both counted from 1.
constexpr int kGridSize = 900;
constexpr int kCells = kGridSize * kGridSize;
constexpr std::size_t kCellBytes = 2 * static_cast<std::size_t>(kCells);

// The byte that ends the header.
constexpr unsigned char kHeaderEnd = 3;

// The cell word: bits 1 to 12 hold the cell value, bits 13 to 16 the flags.
constexpr std::uint16_t kValueMask = 0x0FFF;
constexpr std::uint16_t kFlagBit13 = 0x1000;
constexpr std::uint16_t kFlagBit14 = 0x2000;
constexpr std::uint16_t kFlagBit15 = 0x4000;
constexpr std::uint16_t kFlagBit16 = 0x8000;
constexpr std::uint16_t kFlagMask = 0xF000;
// The flags that make a cell unusable for sums, counts and searches.
constexpr std::uint16_t kExcludingFlags = kFlagBit14 | kFlagBit15 | kFlagBit16;

// Index of cell (x, y) in a grid held in product order (row 1 first).
constexpr int CellIndex(int x, int y) { return (y - 1) * kGridSize + (x - 1); }

// The cell word of the cell bytes r1 (low) and r2 (high).
constexpr std::uint16_t CellWord(std::uint8_t r1, std::uint8_t r2) {
  return static_cast<std::uint16_t>(r1 | r2 << 8);
}
// The cell word of cell k (from 0) of a product's cell bytes.
inline std::uint16_t CellWordAt(const std::uint8_t* cells, std::size_t k) {
  return CellWord(cells[2 * k], cells[2 * k + 1]);
}
// The cell value, 0 to 4095 tenths of a millimetre.
constexpr std::int32_t CellValue(std::uint16_t word) { return word & kValueMask; }
// The flag nibble reading Bit_13_16: the flag bits 16, 15, 14, 13 written as
// binary digits and read as a decimal number (0, 1, 10, 11, ... 1111).
constexpr std::int32_t FlagReading(std::uint16_t word) {
  return 1000 * ((word & kFlagBit16) != 0) + 100 * ((word & kFlagBit15) != 0) +
         10 * ((word & kFlagBit14) != 0) + ((word & kFlagBit13) != 0);
}
// True for a cell that the period tools use: reading 0 or 1.
constexpr bool IsUsable(std::uint16_t word) { return (word & kExcludingFlags) == 0; }

// The cells of a product as read: `count` complete cells from cell 0 on;
// fewer than kCells when the product ends early.
struct RwCells {
  const std::uint8_t* bytes = nullptr;
  int count = 0;
};

// One product file at a time, read with large reads into a buffer that is
// allocated once and reused for every product.
class RwReader {
 public:
  explicit RwReader(Platform& platform);
  RwReader(const RwReader&) = delete;
  RwReader& operator=(const RwReader&) = delete;
  ~RwReader();

  // Opens the existing product `name` for reading.
  void OpenRwProduct(const std::string& name);
  // Reads past the header, its byte 3 included; writes the header bytes to
  // `echo` unless it is null. Fails with code 100 when there is no byte 3.
  void SkipRwHeader(Console* echo);
  // Reads the cells and hands them to `action(const RwCells&)`; when the
  // product ends early the action gets the complete cells before it, then
  // the read fails with code 100.
  template <typename Action>
  void ReadRwCells(Action&& action) {
    RwCells cells = LoadCells();
    action(cells);
    if (cells.count < kCells) throw EInOutError(kReadPastEnd);
  }
  void CloseRwProduct();

 private:
  RwCells LoadCells();
  std::size_t Read(std::uint8_t* into, std::size_t size);

  Platform& platform_;
  std::vector<std::uint8_t> buffer_;
  FileHandle file_ = kNoFile;
  std::string name_;
  std::size_t cells_start_ = 0;  // offset of the first cell byte in buffer_
  std::size_t filled_ = 0;       // bytes of buffer_ read so far
};

// Reads the product `name` from its first byte to its last cell, without
// echo, and hands its cells to `action` (as RwReader::ReadRwCells).
template <typename Action>
void ReadRwProduct(RwReader& f, const std::string& name, Action&& action) {
  f.OpenRwProduct(name);
  f.SkipRwHeader(nullptr);
  f.ReadRwCells(action);
  f.CloseRwProduct();
}

}  // namespace pluv
