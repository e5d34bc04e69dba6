#include "text/Geographic.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

#include "geodesy/Angles.h"
#include "measures/DmsEntry.h"
#include "text/Numbers.h"

namespace trelvan {

namespace {

// Digits with at most one point and at least one digit: the number forms
// allowed inside degrees, minutes and seconds.
bool IsPlainDecimal(std::string_view text) {
  int digits = 0;
  int points = 0;
  for (char c : text) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c == '.') {
      ++points;
    } else {
      return false;
    }
  }
  return digits > 0 && points <= 1;
}

// A plain decimal known to be well formed, as a double; false for one
// beyond the range of a double (hundreds of digits), which from_chars
// would leave at zero.
bool PlainValue(std::string_view text, double& value) {
  value = 0.0;
  return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc();
}

constexpr const char* kOutOfRange = "has a number out of range";

// Seconds "SS.fff" as whole seconds and hundredths of a second. The
// hundredths are read from the fraction's digits with the point moved two
// places, so "15.07" gives exactly 15 and 7, as typed into the forms' two
// fields, and further digits become the fraction of the hundredths.
// Returns nullptr or the reason the seconds were refused.
const char* SplitSeconds(std::string_view text, double& whole, double& hundredths) {
  if (!IsPlainDecimal(text)) return "has seconds that are not a number";
  const std::size_t point = text.find('.');
  const std::string_view integral = text.substr(0, point);
  whole = 0.0;
  if (!integral.empty() && !PlainValue(integral, whole)) return kOutOfRange;
  hundredths = 0.0;
  if (point == std::string_view::npos) return nullptr;
  const std::string_view fraction = text.substr(point + 1);
  // Digits beyond the buffer lie far below a double's precision.
  char moved[48];
  std::size_t n = 0;
  for (std::size_t i = 0; i < 2; ++i) moved[n++] = i < fraction.size() ? fraction[i] : '0';
  if (fraction.size() > 2) {
    moved[n++] = '.';
    for (std::size_t i = 2; i < fraction.size() && n < sizeof moved; ++i) moved[n++] = fraction[i];
  }
  PlainValue(std::string_view(moved, n), hundredths);
  return nullptr;
}

// Writes a whole number held in a double (exact while below 2^53) at `at`,
// with leading zeros up to `width` characters; returns the end.
char* PutWhole(char* at, char* end, double value, int width) {
  char* const last = std::to_chars(at, end, value, std::chars_format::fixed, 0).ptr;
  const std::ptrdiff_t length = last - at;
  if (length >= width) return last;
  const std::ptrdiff_t pad = width - length;
  std::memmove(at + pad, at, static_cast<std::size_t>(length));
  std::memset(at, '0', static_cast<std::size_t>(pad));
  return last + pad;
}

}  // namespace

const char* ParseGeographic(std::string_view text, Axis axis, double& radians) {
  const bool latitude = axis == Axis::kLatitude;
  bool negative = false;
  bool signed_ = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    signed_ = true;
    text.remove_prefix(1);
  }
  if (!text.empty()) {
    const char last = text.back();
    const char upper = (last >= 'a' && last <= 'z') ? static_cast<char>(last - 'a' + 'A') : last;
    const bool northSouth = upper == 'N' || upper == 'S';
    const bool eastWest = upper == 'E' || upper == 'W';
    if (northSouth || eastWest) {
      if (latitude && eastWest) return "has a hemisphere letter other than N or S";
      if (!latitude && northSouth) return "has a hemisphere letter other than E or W";
      if (signed_) return "has both a sign and a hemisphere letter";
      negative = upper == 'S' || upper == 'W';
      text.remove_suffix(1);
    }
  }
  if (text.empty() || !(IsDigit(text[0]) || text[0] == '.')) {
    return "is not an angle in degrees (like 51.5042, -0.1277 or 51d30'15.5\"N)";
  }

  double degrees = 0.0;
  double minutes = 0.0;
  double seconds = 0.0;
  double hundredths = 0.0;
  const std::size_t d = text.find('d');
  if (d == std::string_view::npos) {
    if (!ParseReal(text, degrees)) {
      return "is not an angle in degrees (like 51.5042, -0.1277 or 51d30'15.5\"N)";
    }
  } else {
    const std::string_view whole = text.substr(0, d);
    std::string_view rest = text.substr(d + 1);
    if (!AllDigits(whole)) return "has degrees before 'd' that are not whole";
    if (!PlainValue(whole, degrees)) return kOutOfRange;
    if (!rest.empty()) {
      const std::size_t quote = rest.find('\'');
      if (quote == std::string_view::npos) return "has minutes without a closing '";
      const std::string_view minuteText = rest.substr(0, quote);
      rest = rest.substr(quote + 1);
      if (rest.empty()) {
        if (!IsPlainDecimal(minuteText)) return "has minutes that are not a number";
        if (!PlainValue(minuteText, minutes)) return kOutOfRange;
      } else {
        if (!AllDigits(minuteText)) return "has minutes that are not whole before seconds";
        if (!PlainValue(minuteText, minutes)) return kOutOfRange;
        if (rest.back() != '"') return "has seconds without a closing \"";
        rest.remove_suffix(1);
        if (const char* problem = SplitSeconds(rest, seconds, hundredths)) return problem;
        if (seconds >= 60.0) return "has seconds of 60 or more";
      }
      if (minutes >= 60.0) return "has minutes of 60 or more";
    }
  }
  const double value = DmsDegrees(degrees, minutes, seconds, hundredths);
  if (!(value <= (latitude ? 90.0 : 180.0))) {
    return latitude ? "is beyond 90 degrees" : "is beyond 180 degrees";
  }
  const double r = value * kDegToRad;
  radians = negative ? -r : r;
  return nullptr;
}

DmsText FormatDms(double radians, Axis axis) {
  const double degrees = radians * kRadToDeg;
  const double total = std::round(std::fabs(degrees) * 360000.0);  // hundredths of a second
  const double wholeDegrees = std::floor(total / 360000.0);
  const double rest = total - wholeDegrees * 360000.0;
  const double minutes = std::floor(rest / 6000.0);
  const double hundredths = rest - minutes * 6000.0;
  const double seconds = std::floor(hundredths / 100.0);
  const double fraction = hundredths - seconds * 100.0;
  DmsText text;
  char* const end = text.bytes + sizeof text.bytes;
  char* p = PutWhole(text.bytes, end, wholeDegrees, 1);
  *p++ = 'd';
  p = PutWhole(p, end, minutes, 2);
  *p++ = '\'';
  p = PutWhole(p, end, seconds, 2);
  *p++ = '.';
  p = PutWhole(p, end, fraction, 2);
  *p++ = '"';
  const bool negative = degrees < 0.0 && total > 0.0;
  if (axis == Axis::kLatitude) {
    *p++ = negative ? 'S' : 'N';
  } else {
    *p++ = negative ? 'W' : 'E';
  }
  text.size = static_cast<std::size_t>(p - text.bytes);
  return text;
}

}  // namespace trelvan
