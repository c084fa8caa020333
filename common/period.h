// What the three period tools share: the dialogue of the period and the
// paths, the walk over every hour of the period with its product, and the
// date texts of the result names.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "console.h"
#include "platform.h"

namespace pluv {

using Date = std::chrono::sys_days;

// The period as the user entered it.
struct Period {
  std::uint16_t Jahr = 0, Monat = 0, Tag = 0;  // the last answers to the date prompts
  Date datumZeitstart{};
  Date datumZeitende{};
  std::int32_t AnzahlTage = 0;  // whole days from start to end; the end is not visited
};

// The calendar date of year, month and day (years 1 to 9999, Gregorian);
// fails with EConvertError when there is no such date.
Date EncodeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day);

// Asks for the start and the end date, then writes the summary of the period.
Period ReadPeriod(Console& console, Platform& platform, std::string_view start_question,
                  std::string_view end_question);

// The data path and the target path, exactly as typed.
struct Paths {
  std::string Pfad;
  std::string ZielPfad;
};

// Asks for the data path and the target path.
Paths ReadPaths(Console& console);

// The texts of a date in result names: the year without leading zeros,
// month and day in two digits.
struct DateParts {
  std::string Jahr, Monat, Tag;
};
DateParts FormatDateParts(Date date);

// The middle of a result name from the date texts of start and end:
// "20160601_20160630".
std::string PeriodNameText(const DateParts& A, const DateParts& E);

// The text of a threshold in a result name: its decimal text cut to four
// characters (12345 gives 1234, -4096 gives -409).
std::string ThresholdNameText(std::int32_t threshold);

// What a tool does with the product of one hour: `DateiName` is its full
// path, `stamp` the ten characters of its name after "raa01-rw_10000-"
// (YYMMDDHHmm from the year 1000 on).
using ProductAction = std::function<void(const std::string& DateiName, std::string_view stamp)>;

// Visits every hour of the AnzahlTage days from the start date. For each it
// looks for the product of minute 50, else of minute 45, in the folder of
// the year and month below Pfad (joined with kDirSeparator); writes the path
// of the product found as a line and hands it to `action`, or writes
// "Fehler in: " and the path of the minute-45 product.
void EnumerateHourlyProducts(Console& console, Platform& platform, const Period& period,
                             const std::string& Pfad, const ProductAction& action);

}  // namespace pluv
