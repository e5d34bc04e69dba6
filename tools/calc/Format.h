#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/calc/Fields.h"

// Number formats of the batch calculator. Each appends to an output buffer;
// none adds a separator or a newline.

namespace trelvan::calc {

// Significant digits of raw output: enough for every double to read back
// to itself.
inline constexpr int kRawDigits = 17;

// A real number as printf("%.17g") writes it ("0.5", "-0", "1e+21",
// "0.69813170079773168").
void AppendRaw(std::string& out, double value);

// A whole number in decimal.
void AppendInteger(std::string& out, std::int64_t value);

// `value` with a fixed number of decimals, rounded to nearest; a value that
// rounds to zero is written without a minus sign.
void AppendFixed(std::string& out, double value, int decimals);

// A latitude or longitude in radians as degrees, two-digit minutes, seconds
// with hundredths and a hemisphere letter: 51d30'15.50"N, 0d07'39.90"W.
// The hundredths of a second are rounded half away from zero and carried
// into seconds, minutes and degrees; a value that rounds to zero takes N or E.
void AppendDms(std::string& out, double radians, Axis axis);

// Writes `text` in single quotes for an error message: at most 40 bytes,
// each byte outside printable ASCII as '?', and "..." when it was cut.
void AppendQuoted(std::string& out, std::string_view text);

}  // namespace trelvan::calc
