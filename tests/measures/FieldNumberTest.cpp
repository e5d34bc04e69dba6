#include "measures/FieldNumber.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>

namespace trelvan {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(ReadFieldNumber, ReadsLikeTheStringToLongConversion) {
  struct Row {
    std::string_view text;
    std::int32_t value;
  };
  const Row rows[] = {
      {"", 0},           {"0", 0},        {"00", 0},       {"0500000", 500000},
      {"42", 42},        {"  42", 42},    {"\t\n 7", 7},   {"+7", 7},
      {"-13", -13},      {"12ab", 12},    {"12 34", 12},   {"ab12", 0},
      {"-", 0},          {"+", 0},        {"- 5", 0},      {"--5", 0},
      {"4 ", 4},         {"1.5", 1},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ReadFieldNumber(row.text), row.value) << '"' << row.text << '"';
  }
}

TEST(ReadFieldNumber, SaturatesBeyondThe32BitRange) {
  EXPECT_EQ(ReadFieldNumber("2147483647"), kMax);
  EXPECT_EQ(ReadFieldNumber("2147483648"), kMax);
  EXPECT_EQ(ReadFieldNumber("-2147483648"), kMin);
  EXPECT_EQ(ReadFieldNumber("-2147483649"), kMin);
  EXPECT_EQ(ReadFieldNumber("99999999999999999999999999999"), kMax);
  EXPECT_EQ(ReadFieldNumber("-00000000000000000000000000012"), -12);
}

}  // namespace
}  // namespace trelvan
