#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/AngleWrap.h"
#include "geodesy/Angles.h"
#include "geodesy/Rounding.h"

namespace trelvan {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundingTest, RoundsHalfAwayFromZero) {
  EXPECT_EQ(RoundHalfAway(2.5), 3);
  EXPECT_EQ(RoundHalfAway(-2.5), -3);
  EXPECT_EQ(RoundHalfAway(-0.4), 0);
  EXPECT_EQ(RoundHalfAway(0.5), 1);
  EXPECT_EQ(RoundHalfAway(-0.5), -1);
  EXPECT_EQ(RoundHalfAway(99.5), 100);
  EXPECT_EQ(RoundHalfAway(99.49), 99);
  EXPECT_EQ(RoundHalfAway(0.0), 0);
  EXPECT_EQ(RoundHalfAway(-0.0), 0);
  // x + 0.5 already rounds to 1 in double precision.
  EXPECT_EQ(RoundHalfAway(0.49999999999999994), 1);
}

TEST(RoundingTest, RoundingSaturatesAndMapsNaNToZero) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(RoundHalfAway(kNaN), 0);
  EXPECT_EQ(RoundHalfAway(-kNaN), 0);
  EXPECT_EQ(RoundHalfAway(2147483646.4), 2147483646);
  EXPECT_EQ(RoundHalfAway(2147483646.5), kMax);
  EXPECT_EQ(RoundHalfAway(-2147483647.5), kMin);
  EXPECT_EQ(RoundHalfAway(1e30), kMax);
  EXPECT_EQ(RoundHalfAway(-1e30), kMin);
  EXPECT_EQ(RoundHalfAway(kInf), kMax);
  EXPECT_EQ(RoundHalfAway(-kInf), kMin);
}

TEST(RoundingTest, WrapDegreesEdgeValues) {
  EXPECT_EQ(WrapDegrees(-360.0), 0.0);
  EXPECT_EQ(WrapDegrees(360.0), 0.0);
  EXPECT_EQ(WrapDegrees(-90.0), 270.0);
  EXPECT_EQ(WrapDegrees(725.0), 5.0);
  EXPECT_EQ(WrapDegrees(359.5), 359.5);
  // -1e-20 + 360 rounds to 360, which the second step brings back to 0.
  EXPECT_EQ(WrapDegrees(-1e-20), 0.0);
}

TEST(RoundingTest, WrapRadiansEdgeValues) {
  EXPECT_EQ(WrapRadians(kFullTurn), 0.0);
  // Full-precision 2*pi is just below the turn and is kept as it is.
  EXPECT_EQ(WrapRadians(6.283185307179586), 6.283185307179586);
  EXPECT_EQ(WrapRadians(-1e-20), 0.0);
  EXPECT_EQ(WrapRadians(-kFullTurn), 0.0);
  EXPECT_EQ(WrapRadians(1.0 + 2.0 * kFullTurn), (1.0 + 2.0 * kFullTurn - kFullTurn) - kFullTurn);
  EXPECT_EQ(WrapRadians(-1.0), -1.0 + kFullTurn);
}

// Within a few turns the result is that of stepping one turn at a time, and
// it is always inside the turn.
TEST(RoundingTest, WrapStaysWithinOneTurn) {
  for (double x = -1500.0; x <= 1500.0; x += 7.3) {
    const double w = WrapDegrees(x);
    EXPECT_GE(w, 0.0);
    EXPECT_LT(w, 360.0);
    EXPECT_NEAR(std::remainder(w - x, 360.0), 0.0, 1e-9) << x;
    const double r = WrapRadians(x * kDegToRad);
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, kFullTurn);
  }
}

// Non-finite and enormous angles return at once instead of stepping
// through billions of turns or forever.
TEST(RoundingTest, WrapNeverHangs) {
  EXPECT_TRUE(std::isnan(WrapDegrees(kInf)));
  EXPECT_TRUE(std::isnan(WrapDegrees(-kInf)));
  EXPECT_TRUE(std::isnan(WrapDegrees(kNaN)));
  EXPECT_TRUE(std::isnan(WrapRadians(kInf)));
  EXPECT_TRUE(std::isnan(WrapRadians(-kInf)));
  EXPECT_TRUE(std::isnan(WrapRadians(kNaN)));
  EXPECT_EQ(WrapDegrees(3.6e12 + 5.0), 5.0);
  EXPECT_EQ(WrapDegrees(-3.6e12 - 5.0), 355.0);
  for (double x : {1e300, -1e300, 1.7e308, -1.7e308, 1e15}) {
    const double w = WrapDegrees(x);
    EXPECT_GE(w, 0.0) << x;
    EXPECT_LT(w, 360.0) << x;
    const double r = WrapRadians(x);
    EXPECT_GE(r, 0.0) << x;
    EXPECT_LT(r, kFullTurn) << x;
  }
}

}  // namespace
}  // namespace trelvan
