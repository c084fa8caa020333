#include "pluvscan/scanning.h"

#include <algorithm>
#include <charconv>

namespace pluv {

namespace {

// "900 900 YYMMDDHHmm 4095\r\n" and room to spare.
constexpr std::size_t kLineMax = 40;
// Cells judged together: a run without a hit costs a few vector steps.
constexpr int kBlock = 32;

void WriteHit(OutputFile& list, int x, int y, std::string_view stamp, int value) {
  char* at = list.Reserve(kLineMax);
  at = std::to_chars(at, at + 3, x).ptr;
  *at++ = ' ';
  at = std::to_chars(at, at + 3, y).ptr;
  *at++ = ' ';
  at = std::copy(stamp.begin(), stamp.end(), at);
  *at++ = ' ';
  at = std::to_chars(at, at + 4, value).ptr;
  *at++ = '\r';
  *at++ = '\n';
  list.Commit(at);
}

}  // namespace

PLUV_CELL_LOOPS
void ScanCells(const RwCells& cells, const Window& window, std::int32_t N_Schwelle,
               std::string_view stamp, OutputFile& list) {
  const std::int16_t limit = ThresholdLimit(N_Schwelle);
  const int end = cells.first + cells.count;
  const int y_first = std::max(window.Y_min, cells.first / kGridSize + 1);
  const int y_last = std::min(window.Y_max, (end - 1) / kGridSize + 1);
  for (int y = y_first; y <= y_last; ++y) {
    const int row = CellIndex(1, y);
    // The window's columns of this row that lie in this run of cells.
    const int x_first = std::max(window.X_min, cells.first - row + 1);
    const int x_last = std::min(window.X_max, end - row);
    if (x_first > x_last) continue;
    // The cell words of columns x_first to x_last.
    const std::uint8_t* words = cells.bytes + 2 * (row + x_first - 1 - cells.first);
    // Most rows and runs of cells have no hit: their peak tells at once.
    if (PeakJudgedValue(words, x_last - x_first + 1) < limit) continue;
    for (int x0 = x_first; x0 <= x_last; x0 += kBlock) {
      const int x1 = std::min(x0 + kBlock - 1, x_last);
      const std::uint8_t* block = words + 2 * (x0 - x_first);
      if (PeakJudgedValue(block, x1 - x0 + 1) < limit) continue;
      for (int x = x0; x <= x1; ++x) {
        const std::int16_t value = JudgedValue(CellWordAt(block, x - x0));
        if (value >= limit) WriteHit(list, x, y, stamp, value);
      }
    }
  }
}

}  // namespace pluv
