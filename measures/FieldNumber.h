#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace trelvan {

// One signed decimal integer scanned from `text` at `start` the way the C
// library's scanners read one: any blanks (space, tab, newline, vertical
// tab, form feed, carriage return), at most one sign, then digits.
struct ScannedInteger {
  std::size_t end;         // index just past the last character taken
  bool hasDigits;          // false when no digit followed the blanks and sign
  bool negative;           // a '-' sign was read
  std::int64_t magnitude;  // stops growing once past 2^31, so any number of
                           // digits reads without overflow
};
ScannedInteger ScanInteger(std::string_view text, std::size_t start = 0);

// 2^31: a magnitude at or past it does not fit a positive int32.
inline constexpr std::int64_t kInt32MagnitudeLimit = std::int64_t{1} << 31;

// Reads the text of a field as a decimal integer the way the forms always
// have: leading blanks and one sign are accepted, reading stops at the first
// character that is not a digit, and an empty text gives 0. A value beyond
// the 32-bit range saturates at its limit.
std::int32_t ReadFieldNumber(std::string_view text);

}  // namespace trelvan
