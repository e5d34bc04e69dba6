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

RawText FormatRaw(double value) {
  RawText text;
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
