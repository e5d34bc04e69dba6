#pragma once

#include <cstddef>
#include <string_view>

namespace trelvan {

// Text a formatter wrote into an array of its own: the caller keeps it on
// the stack or appends view() wherever the text goes, and nothing is
// allocated. The bytes are not terminated by a zero.
template <std::size_t Capacity>
struct FormattedText {
  char bytes[Capacity];
  std::size_t size = 0;

  std::string_view view() const { return std::string_view(bytes, size); }
};

// The most characters a whole double takes in fixed notation: a sign and
// the 309 digits of the largest.
inline constexpr std::size_t kWholeDoubleChars = 310;

}  // namespace trelvan
