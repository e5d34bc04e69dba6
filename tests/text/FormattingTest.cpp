// Number formats: %.17g-equal raw output that reads back exactly, fixed
// decimals without "-0", DMS with carries, quoting for messages.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "geodesy/Angles.h"
#include "text/Geographic.h"
#include "text/Numbers.h"
#include "text/Quoted.h"

namespace trelvan {
namespace {

std::string Raw(double v) { return std::string(FormatRaw(v).view()); }

std::string Printf17(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

TEST(FormatRaw, SameTextAsPrintfAndReadsBackBitForBit) {
  std::mt19937_64 random(20240601);
  std::vector<double> values = {0.0,
                                -0.0,
                                0.5,
                                500000.0,
                                1e21,
                                1e-300,
                                5e-324,
                                std::numeric_limits<double>::max(),
                                0.1,
                                -123.456,
                                0.69813170079773168,
                                6.28318530717959};
  // Around every power of ten the digits' exponent changes, and a value
  // whose exact decimals end in a 5 just past the seventeenth digit lies
  // halfway between two texts.
  for (int k = -7; k <= 18; ++k) {
    double v = std::pow(10.0, k);
    for (int step = 0; step < 40; ++step) v = std::nextafter(v, 0.0);
    for (int step = 0; step < 80; ++step) values.push_back(v = std::nextafter(v, 1e300));
  }
  for (int i = 1; i < 2000; ++i) {
    values.push_back(1.25e14 + 0.125 * (2 * i + 1));
    values.push_back(i / 8.0);
    values.push_back(-std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 70)));
  }
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) values.push_back(v);
    values.push_back(
        std::ldexp(static_cast<double>(random() % 10000000), -static_cast<int>(random() % 60)));
  }
  for (double v : values) {
    const std::string text = Raw(v);
    ASSERT_EQ(text, Printf17(v)) << v;
    double back = 0.0;
    ASSERT_EQ(std::sscanf(text.c_str(), "%lf", &back), 1);
    ASSERT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;
  }
  EXPECT_EQ(Raw(-0.0), "-0");
  EXPECT_EQ(Raw(1e21), "1e+21");
}

TEST(FormatFixed, RoundsAndNeverWritesMinusZero) {
  std::string s(FormatFixed(2.27126, 4).view());
  s += ' ';
  s += FormatFixed(-0.00004, 4).view();
  s += ' ';
  s += FormatFixed(-0.0, 2).view();
  s += ' ';
  s += FormatFixed(-0.00005001, 4).view();
  s += ' ';
  s += FormatFixed(1e20, 3).view();
  EXPECT_EQ(s, "2.2713 0.0000 0.00 -0.0001 100000000000000000000.000");
}

// printf's text, less the minus of a value that rounds to zero.
std::string PrintfFixed(double v, int decimals) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  std::string text = buffer;
  if (text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);
  return text;
}

TEST(FormatFixed, SameTextAsPrintfForEveryMagnitudeAndDecimals) {
  constexpr double kMax = std::numeric_limits<double>::max();
  std::vector<double> values = {kMax, -kMax, 5e-324, -5e-324, 0.5, -0.5, 2.5, 1e15 + 0.5, -1e-21};
  std::mt19937_64 random(11);
  for (int i = 0; i < 2000; ++i) {
    std::uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) values.push_back(v);
    values.push_back(std::ldexp(static_cast<double>(random() % 2000001) - 1000000.0,
                                -static_cast<int>(random() % 40)));
  }
  for (double v : values) {
    for (int decimals = 0; decimals <= kMaxFixedDecimals; ++decimals) {
      ASSERT_EQ(FormatFixed(v, decimals).view(), PrintfFixed(v, decimals)) << v << " " << decimals;
    }
  }
}

TEST(FormatInteger, TheWidestValues) {
  EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::min()).view(), "-9223372036854775808");
  EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::max()).view(), "9223372036854775807");
  EXPECT_EQ(FormatInteger(0).view(), "0");
}

std::string Dms(double degrees, Axis axis) {
  return std::string(FormatDms(degrees * kDegToRad, axis).view());
}

TEST(FormatDms, HemispheresPaddingAndCarries) {
  EXPECT_EQ(Dms(51.504305556, Axis::kLatitude), "51d30'15.50\"N");
  EXPECT_EQ(Dms(-0.1277, Axis::kLongitude), "0d07'39.72\"W");
  EXPECT_EQ(Dms(-33.5, Axis::kLatitude), "33d30'00.00\"S");
  EXPECT_EQ(Dms(151.0, Axis::kLongitude), "151d00'00.00\"E");
  // 59.9999 seconds round up to the next degree through both carries.
  EXPECT_EQ(Dms(10.0 + 59.0 / 60 + 59.9999 / 3600, Axis::kLongitude), "11d00'00.00\"E");
  // A value that rounds to zero takes the northern and eastern letter.
  EXPECT_EQ(Dms(-1e-9, Axis::kLatitude), "0d00'00.00\"N");
  EXPECT_EQ(Dms(-1e-9, Axis::kLongitude), "0d00'00.00\"E");
}

TEST(FormatDms, ReadsBackWithinHalfAHundredth) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> lat(-90.0, 90.0);
  std::uniform_real_distribution<double> lon(-180.0, 180.0);
  for (int i = 0; i < 5000; ++i) {
    for (Axis axis : {Axis::kLatitude, Axis::kLongitude}) {
      const double radians = (axis == Axis::kLatitude ? lat(random) : lon(random)) * kDegToRad;
      const std::string text(FormatDms(radians, axis).view());
      double back = 0.0;
      ASSERT_EQ(ParseGeographic(text, axis, back), nullptr) << text;
      // Half a hundredth of a second plus the rounding of the sums.
      ASSERT_NEAR(back, radians, (0.005 / 3600 + 1e-12) * kDegToRad) << text;
    }
  }
}

// A stored table may hold any bits: every double, however far beyond a
// turn, is written whole, marks and letter in place.
TEST(FormatDms, AnyDoubleFitsItsRoom) {
  constexpr double kMax = std::numeric_limits<double>::max();
  for (double radians : {kMax, -kMax, 1e300, -1e300, 1e20, 5e-324, -5e-324,
                         std::numeric_limits<double>::infinity(), std::nan("")}) {
    for (Axis axis : {Axis::kLatitude, Axis::kLongitude}) {
      const std::string text(FormatDms(radians, axis).view());
      const std::size_t d = text.find('d');
      const std::size_t minute = text.find('\'', d);
      const std::size_t point = text.find('.', minute);
      ASSERT_NE(d, std::string::npos) << text;
      ASSERT_NE(point, std::string::npos) << text;
      EXPECT_EQ(text[text.size() - 2], '"') << text;
      EXPECT_NE(std::string(axis == Axis::kLatitude ? "NS" : "EW").find(text.back()),
                std::string::npos)
          << text;
    }
  }
}

TEST(FormatQuoted, CutsLongTextAndMasksControlBytes) {
  EXPECT_EQ(FormatQuoted(std::string_view("a\tb\0c\xff", 6)).view(), "'a?b?c?'");
  EXPECT_EQ(FormatQuoted(std::string(50, 'x')).view(), "'" + std::string(40, 'x') + "...'");
  // Exactly as many bytes as are shown: nothing was cut.
  EXPECT_EQ(FormatQuoted(std::string(kQuotedShown, 'y')).view(),
            "'" + std::string(kQuotedShown, 'y') + "'");
}

}  // namespace
}  // namespace trelvan
