#include "measures/DisplaySplit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "geodesy/Angles.h"
#include "measures/DmsEntry.h"

namespace trelvan {
namespace {

// An angle typed as degrees, minutes, seconds and hundredths of a second,
// summed the way the position fields are read.
double FromDms(int deg, int min, int sec, double hun) { return DmsRadians(deg, min, sec, hun); }

void ExpectDms(const DmsParts& p, int deg, int min, int sec, int hun) {
  EXPECT_EQ(p.deg, deg);
  EXPECT_EQ(p.min, min);
  EXPECT_EQ(p.sec, sec);
  EXPECT_EQ(p.hun, hun);
}

TEST(SplitDms, HundredthsCarryThroughSecondsAndMinutes) {
  // Four thousandths of a second short of 12 degrees 35 minutes.
  ExpectDms(SplitDms(FromDms(12, 34, 59, 99.6)), 12, 35, 0, 0);
  // One thousandth of a second short of 45 degrees.
  ExpectDms(SplitDms(FromDms(44, 59, 59, 99.9)), 45, 0, 0, 0);
}

TEST(SplitDms, MinutesCarryWithoutAnyCarryFromTheHundredths) {
  // The degrees truncate to 140 while the minutes come to 60 on their own.
  const double x = 141 * kDegToRad;
  ASSERT_LT(x * kRadToDeg, 141.0);
  ExpectDms(SplitDms(x), 141, 0, 0, 0);
}

TEST(SplitDms, ZeroAndSimpleValues) {
  ExpectDms(SplitDms(0.0), 0, 0, 0, 0);
  ExpectDms(SplitDms(FromDms(51, 28, 38, 12)), 51, 28, 38, 12);
}

// Whatever is typed to the hundredth of a second is shown again as typed.
TEST(SplitDms, TypedValuesRoundTrip) {
  for (int deg = 0; deg < 180; deg += 7) {
    for (int min = 0; min < 60; min += 11) {
      for (int sec = 0; sec < 60; sec += 13) {
        for (int hun : {0, 1, 49, 50, 51, 98, 99}) {
          const DmsParts p = SplitDms(FromDms(deg, min, sec, hun));
          ASSERT_EQ(p.deg * 360000 + p.min * 6000 + p.sec * 100 + p.hun,
                    deg * 360000 + min * 6000 + sec * 100 + hun)
              << deg << " " << min << " " << sec << " " << hun;
          ASSERT_TRUE(p.min < 60 && p.sec < 60 && p.hun < 100);
        }
      }
    }
  }
}

TEST(SplitDecimetres, DecimetreCarriesIntoTheMetres) {
  const DecimetreParts p = SplitDecimetres(500000.0 - 0.04);
  EXPECT_EQ(p.whole, 500000u);
  EXPECT_EQ(p.dm, 0);
  const DecimetreParts q = SplitDecimetres(4649999.25);
  EXPECT_EQ(q.whole, 4649999u);
  EXPECT_EQ(q.dm, 3);  // half away from zero
  EXPECT_EQ(SplitDecimetres(0.0).whole, 0u);
  EXPECT_EQ(SplitDecimetres(0.0).dm, 0);
}

TEST(SplitHundredths, RoundsHalfAwayAndCarries) {
  const HundredthParts a = SplitHundredths(12.25);
  EXPECT_EQ(a.whole, 12);
  EXPECT_EQ(a.hun, 25);
  const HundredthParts b = SplitHundredths(99.996);
  EXPECT_EQ(b.whole, 100);
  EXPECT_EQ(b.hun, 0);
}

TEST(SplitHundredths, NegativeConvergenceShownByItsMagnitude) {
  const double g = (-0.4 * kDegToRad) * kRadToDeg;
  ASSERT_LT(g, 0.0);
  const HundredthParts p = SplitHundredths(-g);
  EXPECT_EQ(p.whole, 0);
  EXPECT_EQ(p.hun, 40);
}

TEST(SplitHundredths, JustBelowTheFullCircleShowsTheFullCircle) {
  const double justBelow = std::nextafter(kFullTurn, 0.0);
  const HundredthParts deg = SplitHundredths(justBelow * kRadToDeg);
  EXPECT_EQ(deg.whole, 360);
  EXPECT_EQ(deg.hun, 0);
  const HundredthParts mils = SplitHundredths(justBelow * kRadToMils);
  EXPECT_EQ(mils.whole, 6400);
  EXPECT_EQ(mils.hun, 0);
}

// Values beyond a field saturate at its limit and NaN gives 0; the results
// below are defined, where a plain conversion would not be.
TEST(DisplaySplits, ValuesBeyondTheirFieldSaturate) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(SplitHundredths(40000.25).whole, 32767);
  EXPECT_EQ(SplitHundredths(-40000.25).whole, -32768);
  const HundredthParts wide = SplitHundredths32(40000.25);
  EXPECT_EQ(wide.whole, 40000);
  EXPECT_EQ(wide.hun, 25);
  EXPECT_EQ(SplitHundredths32(1e12).whole, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(SplitHundredths(nan).whole, 0);
  EXPECT_EQ(SplitHundredths(nan).hun, 0);
  EXPECT_EQ(SplitDecimetres(1e10).whole, std::numeric_limits<std::uint32_t>::max());
  EXPECT_EQ(SplitDecimetres(-5.0).whole, 0u);
  EXPECT_EQ(SplitDecimetres(nan).whole, 0u);
  EXPECT_EQ(SplitDms(1e6).deg, 32767);
  EXPECT_EQ(SplitDms(inf).deg, 32767);
  ExpectDms(SplitDms(nan), 0, 0, 0, 0);
}

}  // namespace
}  // namespace trelvan
