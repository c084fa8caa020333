// The command-line face of rwgen: single products, damaged products, and
// trees of hourly products as the period tools read them.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "rwgen.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  rwgen product FILE [--stamp YYMMDDHHmm] [--pattern zero|ramp|rain] [--hour N]\n"
    "                     [--truncate BYTES] [--high-header]\n"
    "      one product; --hour picks the hour of the rain field\n"
    "  rwgen no-header-end FILE BYTES\n"
    "      a damaged product of BYTES bytes without any byte 3\n"
    "  rwgen tree ROOT --start YYYY-MM-DD --days N\n"
    "             [--missing D:H,...] [--only45 D:H,...] [--both D:H,...]\n"
    "      the rain field for every hour of N days under ROOT/YYYY/MM/ as minute 50;\n"
    "      D:H is day D (from 0) and hour H of the period: --missing leaves the hour\n"
    "      out, --only45 writes it as minute 45, --both writes minute 50 and 45.\n"
    "      Products already there with the right size are kept.\n";

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "rwgen: %s\n%s", message.c_str(), kUsage);
  std::exit(2);
}

using Hours = std::set<std::pair<int, int>>;

Hours ParseHours(const std::string& text) {
  Hours hours;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t comma = text.find(',', at);
    if (comma == std::string::npos) comma = text.size();
    std::string item = text.substr(at, comma - at);
    int day, hour;
    if (std::sscanf(item.c_str(), "%d:%d", &day, &hour) != 2) Fail("bad hour " + item);
    hours.insert({day, hour});
    at = comma + 1;
  }
  return hours;
}

bool HasSize(const std::string& path, std::size_t size) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && static_cast<std::size_t>(st.st_size) == size;
}

int MakeProduct(const std::vector<std::string>& args) {
  if (args.empty()) Fail("product needs a FILE");
  std::string stamp = "1606010050", pattern = "rain";
  int hour = 0;
  long truncate = -1;
  bool high = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) Fail(args[i] + " needs a value");
      return args[++i];
    };
    if (args[i] == "--stamp") stamp = value();
    else if (args[i] == "--pattern") pattern = value();
    else if (args[i] == "--hour") hour = std::atoi(value().c_str());
    else if (args[i] == "--truncate") truncate = std::atol(value().c_str());
    else if (args[i] == "--high-header") high = true;
    else Fail("unknown option " + args[i]);
  }
  rwgen::CellFunction cells;
  if (pattern == "zero") cells = rwgen::Zero;
  else if (pattern == "ramp") cells = rwgen::Ramp;
  else if (pattern == "rain") cells = rwgen::RainField(hour);
  else Fail("unknown pattern " + pattern);
  std::string header = high ? rwgen::HeaderWithHighBytes(stamp) : rwgen::Header(stamp);
  std::string product = rwgen::Product(header, cells);
  if (truncate >= 0) product = rwgen::Truncated(product, static_cast<std::size_t>(truncate));
  rwgen::WriteFile(args[0], product);
  return 0;
}

int MakeTree(const std::vector<std::string>& args) {
  if (args.empty()) Fail("tree needs a ROOT");
  const std::string root = args[0];
  int y = 0, m = 0, d = 0, days = -1;
  Hours missing, only45, both;
  for (std::size_t i = 1; i < args.size(); ++i) {
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) Fail(args[i] + " needs a value");
      return args[++i];
    };
    if (args[i] == "--start") {
      if (std::sscanf(value().c_str(), "%d-%d-%d", &y, &m, &d) != 3) Fail("bad --start");
    } else if (args[i] == "--days") {
      days = std::atoi(value().c_str());
    } else if (args[i] == "--missing") {
      missing = ParseHours(value());
    } else if (args[i] == "--only45") {
      only45 = ParseHours(value());
    } else if (args[i] == "--both") {
      both = ParseHours(value());
    } else {
      Fail("unknown option " + args[i]);
    }
  }
  using namespace std::chrono;
  const year_month_day start{year{y}, month(static_cast<unsigned>(m)), day(static_cast<unsigned>(d))};
  if (!start.ok() || days < 0) Fail("tree needs --start YYYY-MM-DD and --days N");
  int written = 0, kept = 0;
  for (int i = 0; i < days; ++i) {
    const year_month_day date{sys_days{start} + std::chrono::days{i}};
    const int yy = int(date.year()), mm = unsigned(date.month()), dd = unsigned(date.day());
    char dir[32];
    std::snprintf(dir, sizeof dir, "/%d/%02d/", yy, mm);
    std::filesystem::create_directories(root + dir);
    for (int h = 0; h < 24; ++h) {
      const std::pair<int, int> key{i, h};
      if (missing.count(key)) continue;
      std::vector<int> minutes;
      if (only45.count(key)) minutes = {45};
      else if (both.count(key)) minutes = {50, 45};
      else minutes = {50};
      for (int minute : minutes) {
        const std::string path = root + dir + rwgen::ProductName(yy, mm, dd, h, minute);
        const std::string header = rwgen::Header(rwgen::Stamp(yy, mm, dd, h, minute));
        if (HasSize(path, header.size() + rwgen::kCellBytes)) {
          ++kept;
          continue;
        }
        rwgen::WriteFile(path, rwgen::Product(header, rwgen::RainField(i * 24 + h)));
        ++written;
      }
    }
  }
  std::printf("rwgen: %d products written, %d kept under %s\n", written, kept, root.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) Fail("no command");
  const std::string command = args[0];
  args.erase(args.begin());
  try {
    if (command == "product") return MakeProduct(args);
    if (command == "tree") return MakeTree(args);
    if (command == "no-header-end") {
      if (args.size() != 2) Fail("no-header-end needs FILE BYTES");
      rwgen::WriteFile(args[0], rwgen::WithoutHeaderEnd(std::stoul(args[1])));
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rwgen: %s\n", e.what());
    return 1;
  }
  Fail("unknown command " + command);
}
