#include "tools/calc/Format.h"

#include <charconv>
#include <cmath>

#include "geodesy/Angles.h"

namespace trelvan::calc {

namespace {

// Room for any double in fixed notation with the few decimals used here.
constexpr int kFixedBuffer = 400;

// Whole numbers for the DMS parts; exact while below 2^53.
void AppendWholeDouble(std::string& out, double value, int width) {
  char digits[kFixedBuffer];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 0);
  const int length = static_cast<int>(result.ptr - digits);
  for (int i = length; i < width; ++i) out += '0';
  out.append(digits, result.ptr);
}

}  // namespace

void AppendRaw(std::string& out, double value) {
  char digits[32];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, kRawDigits);
  out.append(digits, result.ptr);
}

void AppendInteger(std::string& out, std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
  char digits[kFixedBuffer];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
  const char* begin = digits;
  if (*begin == '-') {
    bool zero = true;
    for (const char* p = begin + 1; p != result.ptr; ++p) {
      if (*p != '0' && *p != '.') zero = false;
    }
    if (zero) ++begin;
  }
  out.append(begin, static_cast<std::size_t>(result.ptr - begin));
}

void AppendDms(std::string& out, double radians, Axis axis) {
  const double degrees = radians * kRadToDeg;
  const double total = std::round(std::fabs(degrees) * 360000.0);  // hundredths of a second
  const double wholeDegrees = std::floor(total / 360000.0);
  const double rest = total - wholeDegrees * 360000.0;
  const double minutes = std::floor(rest / 6000.0);
  const double hundredths = rest - minutes * 6000.0;
  const double seconds = std::floor(hundredths / 100.0);
  const double fraction = hundredths - seconds * 100.0;
  AppendWholeDouble(out, wholeDegrees, 1);
  out += 'd';
  AppendWholeDouble(out, minutes, 2);
  out += '\'';
  AppendWholeDouble(out, seconds, 2);
  out += '.';
  AppendWholeDouble(out, fraction, 2);
  out += '"';
  const bool negative = degrees < 0.0 && total > 0.0;
  if (axis == Axis::kLatitude) {
    out += negative ? 'S' : 'N';
  } else {
    out += negative ? 'W' : 'E';
  }
}

void AppendQuoted(std::string& out, std::string_view text) {
  constexpr std::size_t kShown = 40;
  out += '\'';
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const char c = text[i];
    out += (c >= ' ' && c <= '~') ? c : '?';
  }
  if (text.size() > kShown) out += "...";
  out += '\'';
}

}  // namespace trelvan::calc
