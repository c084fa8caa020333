// Reading RW products: the header up to its byte 3, then 900 x 900 cell
// words of two bytes, low byte first, the southern row first.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "console.h"
#include "failure.h"
#include "platform.h"

namespace pluv {

// Marks a function with loops over cells to be built twice on x86-64
// Linux with GCC, for AVX2 and for the baseline processor; the loader picks
// the one the machine runs. The loops stay plain C++ either way.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define PLUV_CELL_LOOPS __attribute__((target_clones("avx2", "default")))
#else
#define PLUV_CELL_LOOPS
#endif

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
  if constexpr (std::endian::native == std::endian::little) {
    std::uint16_t word;  // one load, which loops over the cells vectorise
    std::memcpy(&word, cells + 2 * k, sizeof word);
    return word;
  } else {
    return CellWord(cells[2 * k], cells[2 * k + 1]);
  }
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

// The value of a usable cell, and a negative number for any other cell, so
// that one signed comparison with a limit of 0 to 4096 judges a cell.
// Computed without a branch: with bit 13 cleared, bit 16 makes the word
// negative and bits 14 and 15 make it larger than any cell value.
constexpr std::int16_t JudgedValue(std::uint16_t word) {
  const auto judged = static_cast<std::int16_t>(word & ~kFlagBit13);
  return judged > kValueMask ? std::int16_t{-1} : judged;
}

// The limit of a threshold in the range of cell values: a cell value v
// (0 to 4095) reaches the threshold T exactly when v >= ThresholdLimit(T),
// which is 0 for T <= 0 and 4096 for T > 4095. Unusable cells, whose
// JudgedValue() is negative, reach no limit.
constexpr std::int16_t ThresholdLimit(std::int32_t threshold) {
  return static_cast<std::int16_t>(threshold < 0 ? 0 : threshold > kValueMask ? kValueMask + 1 : threshold);
}

// The largest JudgedValue() of the n cell words at `bytes` (-1 for none).
inline std::int16_t PeakJudgedValue(const std::uint8_t* bytes, int n) {
  std::int16_t peak = -1;
  for (int i = 0; i < n; ++i) {
    const std::int16_t judged = JudgedValue(CellWordAt(bytes, i));
    peak = judged > peak ? judged : peak;
  }
  return peak;
}

// A run of complete cells of a product, as they were read: the cell words
// of the cells first to first + count - 1, counted from 0 in product order.
struct RwCells {
  const std::uint8_t* bytes = nullptr;
  int first = 0;
  int count = 0;
};

// One product file at a time, read in blocks of 64 KiB into a buffer that
// is allocated once and reused for every product; each block is decoded
// while it is still in the processor's cache.
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
  // Reads the cells and hands them, run after run in product order, to
  // `action(const RwCells&)`. When the product ends early the action gets
  // every complete cell before the end, then the read fails with code 100.
  template <typename Action>
  void ReadRwCells(Action&& action) {
    RwCells cells;
    while (NextCells(&cells)) action(cells);
    if (cells_read_ < kCells) throw EInOutError(kReadPastEnd);
  }
  void CloseRwProduct();

 private:
  // The next run of complete cells; false when all are read or the file ended.
  bool NextCells(RwCells* cells);
  // Reads into buffer_ behind what it holds; false at the end of the file.
  bool ReadMore();

  Platform& platform_;
  std::vector<std::uint8_t> buffer_;
  FileHandle file_ = kNoFile;
  std::string name_;
  std::size_t start_ = 0;   // offset of the first byte not yet used
  std::size_t filled_ = 0;  // bytes of buffer_ read so far
  int cells_read_ = 0;      // cells handed out so far
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
