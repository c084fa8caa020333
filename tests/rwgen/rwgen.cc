#include "rwgen.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace rwgen {

namespace {

constexpr char kSites[] = "<boo,ros,emd,hnr,umd,pro,ess,asd,neu,nhb,oft,tur,isn,fbg,mem>";

std::string TwoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n % 100);
  return text;
}

// RW, DDHHmm, 10000, MMYY, BY and the total length, then the fixed fields,
// then the site list; `sites` is the site text behind "MS".
std::string HeaderWithSites(std::string_view stamp, std::string_view sites) {
  if (stamp.size() != 10) throw std::invalid_argument("stamp must be YYMMDDHHmm");
  const std::string yy(stamp.substr(0, 2)), mm(stamp.substr(2, 2)), rest(stamp.substr(4, 6));
  std::string ms = std::string(sites) + " ";
  char ms_field[8];
  std::snprintf(ms_field, sizeof ms_field, "MS%3zu", ms.size());
  std::string tail = "VS 3SW   2.13.1PR E-01INT  60GP 900x 900" + std::string(ms_field) + ms;
  // The header length is part of the header: RW(2) DDHHmm(6) 10000(5) MMYY(4) BY(2) length(7).
  const std::size_t header_size = 2 + 6 + 5 + 4 + 2 + 7 + tail.size() + 1;
  char by[16];
  std::snprintf(by, sizeof by, "%7zu", header_size + kCellBytes);
  return "RW" + rest + "10000" + mm + yy + "BY" + by + tail + "\x03";
}

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ c * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  return h;
}

}  // namespace

std::string Header(std::string_view stamp) { return HeaderWithSites(stamp, kSites); }

std::string HeaderWithHighBytes(std::string_view stamp) {
  std::string sites = "<";
  for (int b = 128; b <= 255; ++b) sites.push_back(static_cast<char>(b));
  sites += ">";
  return HeaderWithSites(stamp, sites);
}

std::string Product(std::string_view header, const CellFunction& cell) {
  std::string bytes(header);
  bytes.reserve(header.size() + kCellBytes);
  for (int y = 1; y <= kGridSize; ++y) {
    for (int x = 1; x <= kGridSize; ++x) {
      std::uint16_t word = cell(x, y);
      bytes.push_back(static_cast<char>(word & 0xFF));
      bytes.push_back(static_cast<char>(word >> 8));
    }
  }
  return bytes;
}

std::uint16_t Zero(int, int) { return 0; }

std::uint16_t Ramp(int x, int y) { return static_cast<std::uint16_t>((x + 7 * y) % 4096); }

CellFunction RainField(int hour) {
  return [hour](int x, int y) -> std::uint16_t {
    const double dx = x - 450.5, dy = y - 450.5;
    if (dx * dx + dy * dy > 430.0 * 430.0) return kNoData;
    const std::uint32_t noise = Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                     static_cast<std::uint32_t>(hour));
    if (noise % 1000 == 0) return static_cast<std::uint16_t>(0x4000 | (noise >> 10) % 200);  // clutter
    // A broad band of light rain drifting east, and three showers that cross
    // it, growing and fading: mostly dry cells, a few above 15 mm.
    const double t = hour % 72;
    auto blob = [&](double cx, double cy, double peak, double width) {
      const double r2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      return peak * std::exp(-r2 / (2 * width * width));
    };
    double rain = blob(60 + 11 * t, 420 + 60 * std::sin(t / 9), 30, 110) - 6;
    rain += blob(150 + 9 * t, 300 + 3 * t, 380 * std::sin(3.14159 * (t + 5) / 40), 11);
    rain += blob(100 + 8 * t, 520 - 2 * t, 300, 8);
    rain += blob(250 + 6 * t, 450, 220 * (0.6 + 0.4 * std::cos(t / 5)), 14);
    rain *= 0.7 + 0.6 * ((noise >> 8) % 1000) / 1000.0;
    std::uint16_t value = static_cast<std::uint16_t>(rain < 1 ? 0 : std::lround(rain));
    if (value > 4095) value = 4095;
    const bool reading_one = (noise >> 20) % 20 == 0;  // bit 13 set
    return static_cast<std::uint16_t>(value | (reading_one ? 0x1000 : 0));
  };
}

std::string Truncated(std::string_view product, std::size_t size) {
  return std::string(product.substr(0, size));
}

std::string WithoutHeaderEnd(std::size_t size) {
  std::string bytes = Header("1606010050");
  bytes.pop_back();  // the byte 3
  while (bytes.size() < size) bytes.push_back(static_cast<char>('A' + bytes.size() % 26));
  bytes.resize(size);
  return bytes;
}

std::string Stamp(int year, int month, int day, int hour, int minute) {
  return TwoDigits(year) + TwoDigits(month) + TwoDigits(day) + TwoDigits(hour) +
         TwoDigits(minute);
}

std::string ProductName(int year, int month, int day, int hour, int minute) {
  return "raa01-rw_10000-" + Stamp(year, month, day, hour, minute) + "-dwd---bin";
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace rwgen
