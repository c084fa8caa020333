#include "period.h"

#include <charconv>

#include "failure.h"

namespace pluv {

namespace {

using namespace std::chrono;

constexpr std::string_view kNamePrefix = "raa01-rw_10000-";
constexpr std::string_view kNameSuffix = "-dwd---bin";

// `n` in decimal with a leading "0" below 10.
void AppendTwoDigits(std::string& text, unsigned n) {
  if (n < 10) text.push_back('0');
  text += std::to_string(n);
}

struct YearMonthDay {
  int year;
  unsigned month, day;
};

YearMonthDay Split(Date date) {
  const year_month_day ymd{date};
  return {int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day())};
}

Date ReadDate(Console& console, Period& period) {
  console.WritePrompt("Jahr (JJJJ): ");
  period.Jahr = static_cast<std::uint16_t>(console.ReadNumberAnswer());
  console.WritePrompt("Monat  (MM): ");
  period.Monat = static_cast<std::uint16_t>(console.ReadNumberAnswer());
  console.WritePrompt("Tag    (TT): ");
  period.Tag = static_cast<std::uint16_t>(console.ReadNumberAnswer());
  return EncodeDate(period.Jahr, period.Monat, period.Tag);
}

std::string ShortDate(Platform& platform, Date date) {
  const YearMonthDay d = Split(date);
  return platform.ShortDate(d.year, static_cast<int>(d.month), static_cast<int>(d.day));
}

}  // namespace

Date EncodeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) throw EConvertError();
  const year_month_day_last last{std::chrono::year{year} / std::chrono::month{month} / std::chrono::last};
  if (day > unsigned(last.day())) throw EConvertError();
  return sys_days{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
}

Period ReadPeriod(Console& console, Platform& platform, std::string_view start_question,
                  std::string_view end_question) {
  Period period;
  console.WriteLine(start_question);
  console.WriteBlankLine();
  period.datumZeitstart = ReadDate(console, period);
  console.WriteBlankLine();
  console.WriteLine(end_question);
  console.WriteBlankLine();
  period.datumZeitende = ReadDate(console, period);
  period.AnzahlTage = (period.datumZeitende - period.datumZeitstart).count();
  console.WriteLine("Betrachteter Zeitraum:");
  console.WriteLine("  von Datum: " + ShortDate(platform, period.datumZeitstart));
  console.WriteLine("  bis Datum: " + ShortDate(platform, period.datumZeitende));
  console.WriteLine("Anzahl Tage: " + std::to_string(period.AnzahlTage));
  console.WriteBlankLine();
  return period;
}

Paths ReadPaths(Console& console) {
  Paths paths;
  console.WritePrompt("Daten-Pfad für RW-Dateien (d:\\rw-format\\): ");
  paths.Pfad = console.ReadLineAnswer();
  console.WritePrompt("Daten-Pfad für Ergebnis-Datei (d:\\rw-format\\): ");
  paths.ZielPfad = console.ReadLineAnswer();
  console.WriteBlankLine();
  return paths;
}

DateParts FormatDateParts(Date date) {
  const YearMonthDay d = Split(date);
  DateParts parts{std::to_string(d.year), "", ""};
  AppendTwoDigits(parts.Monat, d.month);
  AppendTwoDigits(parts.Tag, d.day);
  return parts;
}

std::string PeriodNameText(const DateParts& A, const DateParts& E) {
  return A.Jahr + A.Monat + A.Tag + "_" + E.Jahr + E.Monat + E.Tag;
}

std::string ThresholdNameText(std::int32_t threshold) {
  return std::to_string(threshold).substr(0, 4);
}

void EnumerateHourlyProducts(Console& console, Platform& platform, const Period& period,
                             const std::string& Pfad, const ProductAction& action) {
  if (period.AnzahlTage < 1) return;
  // The names are built in the same strings hour after hour.
  std::string DatenPfad, DateiName_1, DateiName;
  Date datumZeitcalc = period.datumZeitstart;
  for (std::int32_t iTag = period.AnzahlTage; iTag != 0; --iTag) {
    const DateParts day = FormatDateParts(datumZeitcalc);
    DatenPfad.assign(Pfad).append(day.Jahr).append(kDirSeparator).append(day.Monat).append(kDirSeparator);
    // The third and fourth character of the year: its last two digits from
    // the year 1000 on, fewer before.
    const std::string_view year = day.Jahr;
    DateiName_1.assign(kNamePrefix).append(year.size() > 2 ? year.substr(2, 2) : "");
    DateiName_1.append(day.Monat).append(day.Tag);
    for (unsigned i_Stunde = 0; i_Stunde < 24; ++i_Stunde) {
      bool found = false;
      for (std::string_view minute : {"50", "45"}) {
        DateiName.assign(DatenPfad).append(DateiName_1);
        AppendTwoDigits(DateiName, i_Stunde);
        DateiName.append(minute).append(kNameSuffix);
        if (platform.FileExists(DateiName)) {
          console.WriteLine(DateiName);
          const std::string_view stamp =
              std::string_view(DateiName).substr(DatenPfad.size() + kNamePrefix.size(), 10);
          action(DateiName, stamp);
          found = true;
          break;
        }
      }
      if (!found) console.WriteLine("Fehler in: " + DateiName);
    }
    datumZeitcalc += days{1};
  }
}

}  // namespace pluv
