#include <gtest/gtest.h>

#include <string>

#include "geodesy/AngleWrap.h"
#include "geodesy/Angles.h"
#include "measures/AngleEntry.h"
#include "measures/DisplaySplit.h"
#include "measures/Units.h"

namespace trelvan {
namespace {

// A true-north azimuth in radians shown as whole degrees and hundredths.
HundredthParts ShownDegrees(double radians) { return SplitHundredths(radians * kRadToDeg); }

TEST(EntryValue, HundredthsAreNotLimitedToTwoDigits) {
  EXPECT_EQ(EntryValue(10, 150), 11.5);
  EXPECT_EQ(EntryValue(7, 0), 7.0);
  EXPECT_EQ(EntryValue(0, 5), 0.05);
  EXPECT_EQ(EntryValue(0, 50), 0.5);
  EXPECT_EQ(EntryValue(0, 123), 1.23);
}

TEST(EntryValue, NegativeElevationInRadians) {
  double e = EntryValue(12, 50);
  if (ToggledSign(kPlus) == kMinus) e *= -1.0;
  EXPECT_EQ(e * AngleUnitToRadians(kDegrees), -(12.5 * 0.0174532925199433));
}

TEST(ReferenceButton, ThreePressesBringItBackToTrue) {
  std::string_view caption = kTrueNorth;
  caption = NextReference(caption);
  EXPECT_EQ(caption, "GRID");
  caption = NextReference(caption);
  EXPECT_EQ(caption, "MAG");
  caption = NextReference(caption);
  EXPECT_EQ(caption, "TRUE");
  EXPECT_EQ(NextReference("true"), "true");
  EXPECT_EQ(NextReference(""), "");
}

TEST(SignButton, Toggles) {
  EXPECT_EQ(ToggledSign("+"), "-");
  EXPECT_EQ(ToggledSign("-"), "+");
  EXPECT_EQ(ToggledSign("x"), "+");
}

TEST(AzimuthReference, MagneticVarianceOfMinusThreeDegrees) {
  const double variance = -3.0 * kDegToRad;
  const double t = ReferToTrue(kMagneticNorth, 1.0 * kDegToRad, variance, 0.0);
  const HundredthParts shownTrue = ShownDegrees(t);
  EXPECT_EQ(shownTrue.whole, 358);
  EXPECT_EQ(shownTrue.hun, 0);
  const HundredthParts shownBack = ShownDegrees(ReferFromTrue(kMagneticNorth, t, variance, 0.0));
  EXPECT_EQ(shownBack.whole, 1);
  EXPECT_EQ(shownBack.hun, 0);
}

TEST(AzimuthReference, PositiveVarianceWrapsPastNorth) {
  const double t = ReferToTrue(kMagneticNorth, 350.0 * kDegToRad, 15.0 * kDegToRad, 0.0);
  EXPECT_NEAR(t, 5.0 * kDegToRad, 1e-12);
}

TEST(AzimuthReference, AnyOtherCaptionMeansGrid) {
  const double a = 100.0 * kDegToRad;
  const double convergence = 0.5 * kDegToRad;
  const double variance = 7.0 * kDegToRad;
  for (std::string_view caption : {kGridNorth, std::string_view("other")}) {
    const double t = ReferToTrue(caption, a, variance, convergence);
    EXPECT_EQ(t, WrapRadians(a + convergence));
    EXPECT_NEAR(ReferFromTrue(caption, t, variance, convergence), a, 1e-15);
    // ReferenceOf reads a caption the same way, into a constant that
    // outlives the caption (a sanitized build reports a view into it).
    const std::string_view reference = ReferenceOf(std::string(caption));
    EXPECT_EQ(reference, kGridNorth);
  }
  for (std::string_view caption : kReferenceCaptions) {
    const std::string_view reference = ReferenceOf(std::string(caption));
    EXPECT_EQ(reference, caption);
  }
}

TEST(AzimuthReference, TrueAzimuthPassesUnreduced) {
  const double a = EntryValue(359, 150) * kDegToRad;
  EXPECT_EQ(ReferToTrue(kTrueNorth, a, 1.0, 2.0), a);
  EXPECT_EQ(ReferFromTrue(kTrueNorth, a, 1.0, 2.0), a);
  EXPECT_GT(a, kFullTurn);
}

TEST(RangeChecks, WholeUnitLimitsInDegreesAndMils) {
  EXPECT_FALSE(AzimuthWholeRejected(359, kDegrees));
  EXPECT_TRUE(AzimuthWholeRejected(360, kDegrees));
  EXPECT_TRUE(AzimuthWholeRejected(360, 7));
  EXPECT_FALSE(AzimuthWholeRejected(6399, kMils));
  EXPECT_TRUE(AzimuthWholeRejected(6400, kMils));
  EXPECT_FALSE(ElevationWholeRejected(89, kDegrees));
  EXPECT_TRUE(ElevationWholeRejected(90, kDegrees));
  EXPECT_FALSE(ElevationWholeRejected(1599, kMils));
  EXPECT_TRUE(ElevationWholeRejected(1600, kMils));
  // An emptied field reads as 0 and passes.
  EXPECT_FALSE(AzimuthWholeRejected(0, kDegrees));
  EXPECT_FALSE(ElevationWholeRejected(0, kMils));
}

}  // namespace
}  // namespace trelvan
