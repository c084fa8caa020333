#include "Radar_Unit_1.h"

namespace Radar_Unit_1 {

std::string IntToBin(std::uint8_t value) {
  std::string text = "00000000";
  for (int position = 7; position >= 0; --position) {
    text[position] = (value % 2 == 1) ? '1' : '0';
    value /= 2;
  }
  return text;
}

std::int32_t BinToInt(std::string_view svalue) {
  std::int32_t summe = 0;
  const std::size_t lstring = svalue.size();
  for (std::size_t i = 1; i <= lstring && i <= 12; ++i) {
    if (svalue[lstring - i] == '1') summe += 1 << (i - 1);
  }
  return summe;
}

}  // namespace Radar_Unit_1
