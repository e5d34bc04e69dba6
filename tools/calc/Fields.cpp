#include "tools/calc/Fields.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "geodesy/Angles.h"
#include "geodesy/Datum.h"
#include "measures/DmsEntry.h"

namespace trelvan::calc {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return !text.empty();
}

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

}  // namespace

FieldList SplitFields(std::string_view line) {
  FieldList list;
  std::size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  std::size_t end = line.size();
  while (end > begin && IsBlank(line[end - 1])) --end;
  list.line = line.substr(begin, end - begin);
  std::size_t i = begin;
  while (i < end) {
    std::size_t j = i;
    while (j < end && !IsBlank(line[j])) ++j;
    if (list.count < kMaxFields) list.field[list.count] = line.substr(i, j - i);
    ++list.count;
    while (j < end && IsBlank(line[j])) ++j;
    i = j;
  }
  return list;
}

bool ParseReal(std::string_view text, double& value) {
  // from_chars takes no plus sign; one is allowed before a digit or point.
  if (!text.empty() && text[0] == '+') {
    text.remove_prefix(1);
    if (text.empty() || !(IsDigit(text[0]) || text[0] == '.')) return false;
  }
  if (text.empty()) return false;
  double v = 0.0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v, std::chars_format::general);
  if (ec != std::errc() || ptr != end || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool ParseWhole(std::string_view text, std::int64_t& value) {
  if (!text.empty() && text[0] == '+') {
    text.remove_prefix(1);
    if (text.empty() || !IsDigit(text[0])) return false;
  }
  if (text.empty()) return false;
  std::int64_t v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || ptr != end) return false;
  value = v;
  return true;
}

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

bool IsBandLetter(char c) { return c >= 'C' && c <= 'X' && c != 'I' && c != 'O'; }

const char* GridProblem(GridStatus status) {
  switch (status) {
    case GridStatus::kOnGrid:
      break;
    case GridStatus::kBeyondLatitudes:
      return "the grid position lies beyond the UTM grid (80 30' S to 84 30' N)";
    case GridStatus::kNoZone:
      return "the zone is not 1..60";
    case GridStatus::kOutsideZone:
      return "the grid position lies outside its zone";
    case GridStatus::kBandMismatch:
      return "the band letter does not match the northing";
  }
  return "";
}

bool ParseIsoDate(std::string_view text, CalendarDate& date) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  const std::string_view y = text.substr(0, 4);
  const std::string_view m = text.substr(5, 2);
  const std::string_view dd = text.substr(8, 2);
  if (!AllDigits(y) || !AllDigits(m) || !AllDigits(dd)) return false;
  date.year = (((y[0] - '0') * 10 + (y[1] - '0')) * 10 + (y[2] - '0')) * 10 + (y[3] - '0');
  date.month = (m[0] - '0') * 10 + (m[1] - '0');
  date.day = (dd[0] - '0') * 10 + (dd[1] - '0');
  return true;
}

bool FindDatum(std::string_view text, std::uint16_t& index) {
  if (AllDigits(text)) {
    std::int64_t value = 0;
    if (!ParseWhole(text, value) || value >= kDatumCount) return false;
    index = static_cast<std::uint16_t>(value);
    return true;
  }
  for (std::uint16_t i = 0; i < kDatumCount; ++i) {
    if (text == DatumName(i)) {
      index = i;
      return true;
    }
  }
  return false;
}

}  // namespace trelvan::calc
