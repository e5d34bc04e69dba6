#include "store/CodePage1252.h"

namespace trelvan {
namespace {

// Characters of the bytes 0x80..0x9F. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the
// same value, so that any stored name can be shown and saved again unchanged.
// Every other byte is the Unicode character of the same value.
constexpr char32_t kHighBytes[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192,  // 80 euro, -, low quote, florin
    0x201E, 0x2026, 0x2020, 0x2021,  // 84 low double quote, ellipsis, daggers
    0x02C6, 0x2030, 0x0160, 0x2039,  // 88 circumflex, per mille, S caron, angle quote
    0x0152, 0x008D, 0x017D, 0x008F,  // 8C OE, -, Z caron, -
    0x0090, 0x2018, 0x2019, 0x201C,  // 90 -, single quotes, left double quote
    0x201D, 0x2022, 0x2013, 0x2014,  // 94 right double quote, bullet, dashes
    0x02DC, 0x2122, 0x0161, 0x203A,  // 98 small tilde, trade mark, s caron, angle quote
    0x0153, 0x009D, 0x017E, 0x0178,  // 9C oe, -, z caron, Y diaeresis
};

constexpr unsigned char kHighFirst = 0x80;
constexpr unsigned char kHighEnd = 0xA0;

}  // namespace

bool EncodeCp1252(char32_t c, unsigned char& byte) {
  if (c < kHighFirst || (c >= kHighEnd && c <= 0xFF)) {
    byte = static_cast<unsigned char>(c);
    return true;
  }
  for (unsigned i = 0; i < 32; ++i) {
    if (kHighBytes[i] == c) {
      byte = static_cast<unsigned char>(kHighFirst + i);
      return true;
    }
  }
  return false;
}

char32_t DecodeCp1252(unsigned char byte) {
  if (byte >= kHighFirst && byte < kHighEnd) return kHighBytes[byte - kHighFirst];
  return byte;
}

}  // namespace trelvan
