#include "text/Fields.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace trelvan {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Every byte of a word set to one value.
constexpr std::uint64_t Bytes(std::uint64_t byte) { return byte * 0x0101010101010101ULL; }

// The first character from p on that may end a field: a space, a tab or
// another byte below '!'; `end` when there is none. Eight characters at a
// time while eight remain: a byte below '!' is the only one whose
// subtraction borrows without its high bit set, and the lowest such byte is
// found exactly (a borrow only disturbs the bytes above it).
const char* NextLowByte(const char* p, const char* end) {
  while (end - p >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    const std::uint64_t low = (word - Bytes(0x21)) & ~word & Bytes(0x80);
    if (low != 0) return p + std::countr_zero(low) / 8;
    p += 8;
  }
  while (p != end && static_cast<unsigned char>(*p) > ' ') ++p;
  return p;
}

}  // namespace

FieldList SplitFields(std::string_view line) {
  FieldList list;
  const char* p = line.data();
  const char* end = p + line.size();
  while (p != end && IsBlank(*p)) ++p;
  while (end != p && IsBlank(end[-1])) --end;
  list.line = std::string_view(p, static_cast<std::size_t>(end - p));
  int count = 0;
  while (p != end) {
    const char* start = p;
    p = NextLowByte(p, end);
    // Other control characters belong to the field.
    while (p != end && !IsBlank(*p)) p = NextLowByte(p + 1, end);
    if (count < kMaxFields) {
      list.field[count] = std::string_view(start, static_cast<std::size_t>(p - start));
    }
    ++count;
    while (p != end && IsBlank(*p)) ++p;
  }
  list.count = count;
  return list;
}

}  // namespace trelvan
