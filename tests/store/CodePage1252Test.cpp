#include "store/CodePage1252.h"

#include <gtest/gtest.h>

#include <set>

namespace trelvan {
namespace {

TEST(CodePage1252, EveryByteRoundTrips) {
  std::set<char32_t> seen;
  for (int b = 0; b < 256; ++b) {
    const char32_t c = DecodeCp1252(static_cast<unsigned char>(b));
    unsigned char back = 0;
    ASSERT_TRUE(EncodeCp1252(c, back)) << b;
    EXPECT_EQ(back, b);
    seen.insert(c);
  }
  EXPECT_EQ(seen.size(), 256u);
}

TEST(CodePage1252, KnownCharacters) {
  struct Row {
    unsigned char byte;
    char32_t c;
  };
  const Row rows[] = {
      {0x41, U'A'},     {0x80, 0x20AC},  {0x8A, 0x0160},  {0x92, 0x2019},
      {0x96, 0x2013},   {0x99, 0x2122},  {0x9F, 0x0178},  {0xA0, 0x00A0},
      {0xE9, 0x00E9},   {0xFF, 0x00FF},
      // Bytes the code page leaves undefined stand for their C1 control.
      {0x81, 0x0081},   {0x8D, 0x008D},  {0x8F, 0x008F},  {0x90, 0x0090},
      {0x9D, 0x009D},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DecodeCp1252(row.byte), row.c) << int{row.byte};
    unsigned char byte = 0;
    EXPECT_TRUE(EncodeCp1252(row.c, byte));
    EXPECT_EQ(byte, row.byte);
  }
}

TEST(CodePage1252, CharactersOutsideAreRefused) {
  for (char32_t c : {char32_t{0x80}, char32_t{0x9F}, char32_t{0x100}, char32_t{0x4E2D},
                     char32_t{0x20AD}, char32_t{0x1F600}}) {
    unsigned char byte = 0x55;
    EXPECT_FALSE(EncodeCp1252(c, byte)) << static_cast<unsigned>(c);
    EXPECT_EQ(byte, 0x55);
  }
}

}  // namespace
}  // namespace trelvan
