#pragma once

#include <cstdint>
#include <string_view>

#include "text/FormattedText.h"

// Numbers as text: read whole from a field, and written without allocating
// (each writer adds no separator and no newline).

namespace trelvan {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True for one or more digits and nothing else.
inline bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return !text.empty();
}

// A finite decimal number: optional sign, digits with an optional point and
// exponent. "inf", "nan", hexadecimal and anything trailing are refused, and
// so is a value beyond the range of a double.
bool ParseReal(std::string_view text, double& value);

// A decimal integer with an optional sign; false for anything else or a
// value beyond 64 bits.
bool ParseWhole(std::string_view text, std::int64_t& value);

// Significant digits of raw output: enough for every double to read back
// to itself.
inline constexpr int kRawDigits = 17;

// The most decimals FormatFixed writes.
inline constexpr int kMaxFixedDecimals = 20;

// Room for the longest text of each writer below: "-1.2345678901234567e-308",
// "-9223372036854775808", and the largest double with every decimal.
using RawText = FormattedText<32>;
using IntegerText = FormattedText<24>;
using FixedText = FormattedText<kWholeDoubleChars + 1 + kMaxFixedDecimals>;

// A real number as printf("%.17g") writes it ("0.5", "-0", "1e+21",
// "0.69813170079773168").
RawText FormatRaw(double value);

// A whole number in decimal.
IntegerText FormatInteger(std::int64_t value);

// `value` with a fixed number of decimals (0..kMaxFixedDecimals), rounded
// to nearest; a value that rounds to zero is written without a minus sign.
FixedText FormatFixed(double value, int decimals);

}  // namespace trelvan
