#include "measures/FieldNumber.h"

#include <cstdint>
#include <limits>

namespace trelvan {
namespace {

// The blanks the wide-character conversion skips before a number.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int32_t ReadFieldNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // The magnitude is gathered in 64 bits and stops growing once it is past
  // the 32-bit range, so any number of digits is read without overflow.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[i] - '0');
  }
  if (negative) {
    return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::min()
                               : static_cast<std::int32_t>(-magnitude);
  }
  return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::max()
                             : static_cast<std::int32_t>(magnitude);
}

}  // namespace trelvan
