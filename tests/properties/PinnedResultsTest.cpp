// A few results of the core pinned to the last bit. The core's sums and
// products are written in a fixed order with fixed decimals because its
// answers are compared bit for bit with an independent reference; a
// regrouped sum, a "cleaner" constant or a fused multiply-add moves one of
// these values, and this test says which step it was.
#include <gtest/gtest.h>

#include "geodesy/Angles.h"
#include "geodesy/Utm.h"
#include "geometry/Linear3.h"
#include "geometry/Polar.h"
#include "magnetic/MagneticModel.h"
#include "measures/DmsEntry.h"

namespace trelvan {
namespace {

const GeoPoint kLondon{51.5 * kDegToRad, -0.12 * kDegToRad, 35.0, 0};

TEST(PinnedResults, FieldModelDeclination) {
  const DateStamp june2003{0, 0, 0, 15, 6, 2003};
  EXPECT_EQ(MagneticVariance(june2003, kLondon), -0x1.5df432fcfd947p+1);
}

TEST(PinnedResults, PolarProblems) {
  const GeoPoint target = ForwardPolar(PolarVector{1234.5, 1.0, 0.05}, kLondon);
  EXPECT_EQ(target.lat, 0x1.cc430cc6d540cp-1);
  EXPECT_EQ(target.lon, -0x1.e0aab6a9ecbfbp-10);
  EXPECT_EQ(target.height, 0x1.8345f07a9p+6);
  const PolarVector v =
      InversePolar(kLondon, GeoPoint{51.52 * kDegToRad, -0.1 * kDegToRad, 80.0, 0});
  EXPECT_EQ(v.range, 0x1.47e7fbe9caa13p+11);
  EXPECT_EQ(v.azimuth, 0x1.1d90ca5c5a29fp-1);
  EXPECT_EQ(v.elevation, 0x1.15b39dfaf236cp-6);
}

TEST(PinnedResults, MatrixInverse) {
  Matrix3 inverse;
  ASSERT_EQ(InvertMatrix3(Matrix3{{4, 1, 2, 0.5, 3, 1, 2, 1, 5}}, inverse), SolveStatus::kSolved);
  EXPECT_EQ(inverse.m[0], 0x1.42284508a1142p-2);
  EXPECT_EQ(inverse.m[4], 0x1.702e05c0b817p-2);
  EXPECT_EQ(inverse.m[8], 0x1.08a1142284508p-2);
}

TEST(PinnedResults, TypedAngle) {
  EXPECT_EQ(DmsRadians(51, 28, 40, 0), 0x1.cc0284b58fd1ap-1);
  EXPECT_EQ(DmsDegrees(179, 59, 59, 99), 0x1.67ffffa2cb121p+7);
}

TEST(PinnedResults, GridPosition) {
  UtmPoint grid{};
  GeoToUtm(kLondon, grid);
  EXPECT_EQ(grid.easting, 0x1.55be39d2d2829p+19);
  EXPECT_EQ(grid.northing, 0x1.5c78c92bd8d5p+22);
}

}  // namespace
}  // namespace trelvan
