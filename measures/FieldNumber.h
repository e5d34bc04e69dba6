#pragma once

#include <cstdint>
#include <string_view>

namespace trelvan {

// Reads the text of a field as a decimal integer the way the forms always
// have: leading blanks and one sign are accepted, reading stops at the first
// character that is not a digit, and an empty text gives 0. A value beyond
// the 32-bit range saturates at its limit.
std::int32_t ReadFieldNumber(std::string_view text);

}  // namespace trelvan
