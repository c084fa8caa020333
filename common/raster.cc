#include "raster.h"

namespace pluv {

namespace {

constexpr std::size_t kRasterBuffer = 1024 * 1024;

}  // namespace

RasterWriter::RasterWriter(Platform& platform) : file_(platform, kRasterBuffer) {}

void RasterWriter::OpenRaster(const std::string& name, std::string_view nodata_line) {
  file_.Create(name);
  file_.Append(
      "NCOLS 900\r\n"
      "NROWS 900\r\n"
      "XLLCORNER -523,4622\r\n"
      "YLLCORNER -4658,645\r\n"
      "CELLSIZE 1\r\n");
  file_.Append(nodata_line);
  file_.Append("\r\n");
}

void RasterWriter::CloseRaster() { file_.Close(); }

}  // namespace pluv
