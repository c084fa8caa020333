// The bit-string conversions of the RW format: a byte as eight binary
// digits, and the value of the last twelve digits of a bit string.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Radar_Unit_1 {

// The eight binary digits of `value`, most significant first ("00000011" for 3).
std::string IntToBin(std::uint8_t value);

// The value of the "1" characters among the 12 rightmost characters of
// `svalue` (0 to 4095); every other character counts as "0".
std::int32_t BinToInt(std::string_view svalue);

}  // namespace Radar_Unit_1
