// The inner loops of the tools under Google Benchmark: one product's cells
// through each tool's rule, and the formatting of one raster.
#include <benchmark/benchmark.h>

#include <vector>

#include "common/raster.h"
#include "common/rw_product.h"
#include "pluvaccum/summing.h"
#include "pluvconv/converting.h"
#include "pluvcount/counting.h"
#include "pluvscan/scanning.h"
#include "rwgen.h"

namespace {

using namespace pluv;

// The cells of one hour of the rain field, without the header.
const std::vector<std::uint8_t>& Product() {
  static const std::vector<std::uint8_t> cells = [] {
    const std::string product = rwgen::Product("RW\x03", rwgen::RainField(10));
    return std::vector<std::uint8_t>(product.begin() + 3, product.end());
  }();
  return cells;
}

// Hands the product to `rule` in runs of cells as the reader does.
template <typename Rule>
void InRuns(Rule&& rule) {
  const std::vector<std::uint8_t>& bytes = Product();
  constexpr int kRun = 32 * 1024;
  for (int first = 0; first < kCells; first += kRun) {
    rule(RwCells{bytes.data() + 2 * first, first, std::min(kRun, kCells - first)});
  }
}

void BM_Sum(benchmark::State& state) {
  SumGrid grid;
  for (auto _ : state) InRuns([&](const RwCells& cells) { grid.AddCells(cells); });
  benchmark::DoNotOptimize(grid.Summe());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kCellBytes));
}
BENCHMARK(BM_Sum);

void BM_Count(benchmark::State& state) {
  CountGrids grids({50, 100, 150, 300, 500});
  for (auto _ : state) InRuns([&](const RwCells& cells) { grids.CountCells(cells); });
  benchmark::DoNotOptimize(grids.Haeufigkeit(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kCellBytes));
}
BENCHMARK(BM_Count);

void BM_Scan(benchmark::State& state, Window window) {
  OutputFile list(SystemPlatform(), 256 * 1024);
  list.Create("/dev/null");
  for (auto _ : state) {
    InRuns([&](const RwCells& cells) { ScanCells(cells, window, 150, "1606011050", list); });
  }
  list.Close();
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kCellBytes));
}
BENCHMARK_CAPTURE(BM_Scan, hesse, Window{352, 543, 259, 529});
BENCHMARK_CAPTURE(BM_Scan, whole_grid, Window{});

void BM_Convert(benchmark::State& state) {
  std::vector<std::int32_t> FeldWert(kCells);
  for (auto _ : state) InRuns([&](const RwCells& cells) { StoreCells(cells, FeldWert.data()); });
  benchmark::DoNotOptimize(FeldWert.data());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kCellBytes));
}
BENCHMARK(BM_Convert);

// A month of sums: values of one to five digits.
void BM_FormatRaster(benchmark::State& state) {
  std::vector<std::int64_t> grid(kCells);
  for (int k = 0; k < kCells; ++k) grid[k] = (k * 2654435761u) % 40000;
  RasterWriter writer(SystemPlatform());
  for (auto _ : state) {
    writer.OpenRaster("/dev/null", kNoDataSums);
    writer.WriteRasterCells(grid.data());
    writer.CloseRaster();
  }
}
BENCHMARK(BM_FormatRaster)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
