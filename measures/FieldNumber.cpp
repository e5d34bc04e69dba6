#include "measures/FieldNumber.h"

#include <limits>

namespace trelvan {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

ScannedInteger ScanInteger(std::string_view text, std::size_t start) {
  ScannedInteger scanned{start, false, false, 0};
  std::size_t& i = scanned.end;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    scanned.negative = text[i] == '-';
    ++i;
  }
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    scanned.hasDigits = true;
    if (scanned.magnitude <= kInt32MagnitudeLimit) {
      scanned.magnitude = scanned.magnitude * 10 + (text[i] - '0');
    }
  }
  return scanned;
}

std::int32_t ReadFieldNumber(std::string_view text) {
  const ScannedInteger scanned = ScanInteger(text);
  if (scanned.negative) {
    return scanned.magnitude >= kInt32MagnitudeLimit
               ? std::numeric_limits<std::int32_t>::min()
               : static_cast<std::int32_t>(-scanned.magnitude);
  }
  return scanned.magnitude >= kInt32MagnitudeLimit ? std::numeric_limits<std::int32_t>::max()
                                                   : static_cast<std::int32_t>(scanned.magnitude);
}

}  // namespace trelvan
