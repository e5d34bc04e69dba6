#include "text/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace trelvan {

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

namespace {

// Raw output writes mostly eastings, northings and radians, and the general
// writer spends most of a line's time on them. Between kShortcutLeast and
// kShortcutMost the seventeen digits are found here in exact integer
// arithmetic instead: the value is m 2^e with a 53-bit m, so m 10^s (s at
// most 22) fits in 128 bits, and shifting it right by -e leaves the digits
// and an exact remainder that decides the rounding. A remainder of exactly
// one half, and every value outside the range, goes to the general writer,
// so that the text is the same in every case.
constexpr double kShortcutLeast = 1e-5;
constexpr double kShortcutMost = 1e17;
constexpr int kMostScale = 22;

using Wide = unsigned __int128;

constexpr std::uint64_t kPowersOfTen[] = {1ULL,
                                          10ULL,
                                          100ULL,
                                          1000ULL,
                                          10000ULL,
                                          100000ULL,
                                          1000000ULL,
                                          10000000ULL,
                                          100000000ULL,
                                          1000000000ULL,
                                          10000000000ULL,
                                          100000000000ULL,
                                          1000000000000ULL,
                                          10000000000000ULL,
                                          100000000000000ULL,
                                          1000000000000000ULL,
                                          10000000000000000ULL,
                                          100000000000000000ULL,
                                          1000000000000000000ULL,
                                          10000000000000000000ULL};
constexpr int kWidestPowerInTable = 19;
constexpr std::uint64_t kLeastSeventeen = kPowersOfTen[kRawDigits - 1];
constexpr std::uint64_t kPastSeventeen = kPowersOfTen[kRawDigits];

Wide PowerOfTen(int s) {
  return s <= kWidestPowerInTable
             ? Wide{kPowersOfTen[s]}
             : Wide{kPowersOfTen[kWidestPowerInTable]} * kPowersOfTen[s - kWidestPowerInTable];
}

// floor(m 2^e 10^s) and whether the rest is below, at or above one half.
struct Scaled {
  std::uint64_t whole;
  int rest;  // -1 below one half, 0 exactly one half, +1 above
};

Scaled Scale(std::uint64_t m, int e, int s) {
  const Wide product = PowerOfTen(s) * m;
  if (e >= 0) return {static_cast<std::uint64_t>(product << e), -1};
  const Wide mask = (Wide{1} << -e) - 1;
  const Wide rest = product & mask;
  const Wide half = Wide{1} << (-e - 1);
  return {static_cast<std::uint64_t>(product >> -e), rest < half ? -1 : rest == half ? 0 : 1};
}

// The seventeen significant digits of `magnitude` (kShortcutLeast to
// kShortcutMost) rounded to nearest, as a number from 10^16 to 10^17 - 1,
// and the decimal exponent of the first; false for a value the general
// writer takes.
bool SeventeenDigits(double magnitude, std::uint64_t& digits, int& exponent) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> 52);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int e = biased - 1075;
  // floor(log10 2^(e + 52)) or one less: 1233 / 4096 is log10 2 from below.
  int decimal = ((e + 52) * 1233) >> 12;
  Scaled scaled{};
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int s = kRawDigits - 1 - decimal;
    if (s < 0 || s > kMostScale) return false;
    scaled = Scale(m, e, s);
    if (scaled.whole < kPastSeventeen) break;
    ++decimal;
  }
  if (scaled.whole < kLeastSeventeen || scaled.whole >= kPastSeventeen || scaled.rest == 0) {
    return false;
  }
  digits = scaled.whole + (scaled.rest > 0 ? 1 : 0);
  if (digits == kPastSeventeen) {
    digits = kLeastSeventeen;
    ++decimal;
  }
  exponent = decimal;
  return true;
}

// Writes `digits` (seventeen of them) and `exponent` as %.17g does: fixed
// notation for exponents -4 to 16, else d.ddde-XX; trailing zeros of the
// fraction and a bare point are dropped.
std::size_t WriteSeventeen(char* out, bool negative, std::uint64_t digits, int exponent) {
  char d[kRawDigits];
  for (int i = kRawDigits - 1; i >= 0; --i) {
    d[i] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  int last = kRawDigits - 1;
  char* p = out;
  if (negative) *p++ = '-';
  if (exponent >= -4 && exponent < kRawDigits) {
    const int whole = exponent >= 0 ? exponent + 1 : 0;
    while (last >= whole && d[last] == '0') --last;
    if (exponent < 0) {
      *p++ = '0';
      *p++ = '.';
      for (int i = exponent + 1; i < 0; ++i) *p++ = '0';
      for (int i = 0; i <= last; ++i) *p++ = d[i];
    } else {
      for (int i = 0; i < whole; ++i) *p++ = d[i];
      if (last >= whole) {
        *p++ = '.';
        for (int i = whole; i <= last; ++i) *p++ = d[i];
      }
    }
    return static_cast<std::size_t>(p - out);
  }
  while (last >= 1 && d[last] == '0') --last;
  *p++ = d[0];
  if (last >= 1) {
    *p++ = '.';
    for (int i = 1; i <= last; ++i) *p++ = d[i];
  }
  // Only the small exponents of the range above come here.
  *p++ = 'e';
  *p++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  *p++ = static_cast<char>('0' + magnitude / 10);
  *p++ = static_cast<char>('0' + magnitude % 10);
  return static_cast<std::size_t>(p - out);
}

}  // namespace

RawText FormatRaw(double value) {
  RawText text;
  const double magnitude = std::fabs(value);
  std::uint64_t digits = 0;
  int exponent = 0;
  if (magnitude >= kShortcutLeast && magnitude < kShortcutMost &&
      SeventeenDigits(magnitude, digits, exponent)) {
    text.size = WriteSeventeen(text.bytes, std::signbit(value), digits, exponent);
    return text;
  }
  const auto result = std::to_chars(text.bytes, text.bytes + sizeof text.bytes, value,
                                    std::chars_format::general, kRawDigits);
  text.size = static_cast<std::size_t>(result.ptr - text.bytes);
  return text;
}

IntegerText FormatInteger(std::int64_t value) {
  IntegerText text;
  const auto result = std::to_chars(text.bytes, text.bytes + sizeof text.bytes, value);
  text.size = static_cast<std::size_t>(result.ptr - text.bytes);
  return text;
}

FixedText FormatFixed(double value, int decimals) {
  FixedText text;
  const auto result = std::to_chars(text.bytes, text.bytes + sizeof text.bytes, value,
                                    std::chars_format::fixed, decimals);
  text.size = static_cast<std::size_t>(result.ptr - text.bytes);
  if (text.bytes[0] == '-') {
    bool zero = true;
    for (std::size_t i = 1; i < text.size; ++i) {
      if (text.bytes[i] != '0' && text.bytes[i] != '.') zero = false;
    }
    if (zero) {
      std::memmove(text.bytes, text.bytes + 1, text.size - 1);
      --text.size;
    }
  }
  return text;
}

}  // namespace trelvan
