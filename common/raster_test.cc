#include "common/raster.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "test_platform.h"

namespace pluv {
namespace {

const std::string kHeaderSums =
    "NCOLS 900\r\nNROWS 900\r\nXLLCORNER -523,4622\r\nYLLCORNER -4658,645\r\n"
    "CELLSIZE 1\r\nNODATA_VALUE -1\r\n";

template <typename Cell>
std::string WriteRaster(const std::string& path, const std::vector<Cell>& grid,
                        std::string_view nodata = kNoDataSums) {
  TestPlatform platform;
  RasterWriter writer(platform);
  writer.OpenRaster(path, nodata);
  writer.WriteRasterCells(grid.data());
  writer.CloseRaster();
  return ReadWholeFile(path);
}

TEST(Raster, GridOfZeros) {
  TempDir dir;
  const std::string raster = WriteRaster(dir / "z.asc", std::vector<std::int64_t>(kCells, 0));
  ASSERT_EQ(raster.size(), 1'620'093u);
  EXPECT_EQ(raster.substr(0, 93), kHeaderSums);
  for (std::size_t i = 93; i < raster.size(); i += 2) {
    ASSERT_EQ(raster.substr(i, 2), "0 ") << i;
  }
}

TEST(Raster, NorthernRowFirstAndOneLineOfValues) {
  TempDir dir;
  std::vector<std::int32_t> grid(kCells, 7);
  grid[CellIndex(1, 900)] = 1;
  grid[CellIndex(900, 900)] = -17;
  grid[CellIndex(1, 899)] = 4095;
  grid[CellIndex(900, 1)] = -2500;
  const std::string raster = WriteRaster(dir / "r.asc", grid, kNoDataProduct);
  const std::string header =
      "NCOLS 900\r\nNROWS 900\r\nXLLCORNER -523,4622\r\nYLLCORNER -4658,645\r\n"
      "CELLSIZE 1\r\nNODATA_VALUE -2500\r\n";
  ASSERT_EQ(raster.substr(0, 96), header);
  const std::string body = raster.substr(96);
  std::string expected = "1 ";
  for (int x = 2; x < 900; ++x) expected += "7 ";
  expected += "-17 4095 ";
  EXPECT_EQ(body.substr(0, expected.size()), expected);
  EXPECT_EQ(body.substr(body.size() - 10), "7 7 -2500 ");
  EXPECT_EQ(body.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(body.size(), 2u * (kCells - 4) + 2 + 4 + 5 + 6);
}

TEST(Raster, SumsAreTruncatedToWholeNumbers) {
  TempDir dir;
  std::vector<double> grid(kCells, 0.0);
  grid[CellIndex(1, 900)] = 98280.0;
  grid[CellIndex(2, 900)] = 12.9;  // truncated toward zero
  grid[CellIndex(3, 900)] = 4e11;
  const std::string raster = WriteRaster(dir / "s.asc", grid);
  EXPECT_EQ(raster.substr(93, 24), "98280 12 400000000000 0 ");
}

TEST(Raster, ReplacesALongerFileAndWritesNothingBeforeTheBody) {
  TempDir dir;
  const std::string path = dir / "r.asc";
  {
    std::string old(3'000'000, 'x');
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(old.data(), 1, old.size(), f);
    std::fclose(f);
  }
  TestPlatform platform;
  RasterWriter writer(platform);
  writer.OpenRaster(path, kNoDataSums);
  // The header waits in the buffer for the body.
  EXPECT_EQ(ReadWholeFile(path), "");
  std::vector<std::int32_t> grid(kCells, 0);
  writer.WriteRasterCells(grid.data());
  writer.CloseRaster();
  EXPECT_EQ(ReadWholeFile(path).size(), 1'620'093u);
}

}  // namespace
}  // namespace pluv
