#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "tests/geodesy/KruegerReference.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

using test::PointDeg;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double ConvergenceDeg(double latDeg, double lonDeg, std::uint16_t datum = 0) {
  return GridConvergence(PointDeg(latDeg, lonDeg, 0, datum)) * kRadToDeg;
}

TEST(ConvergenceTest, ZeroOnTheCentralMeridian) {
  EXPECT_EQ(GridConvergence(PointDeg(40.0, -105.0)), 0.0);
  EXPECT_EQ(GridConvergence(PointDeg(-33.0, 153.0, 0, 17)), 0.0);
}

TEST(ConvergenceTest, Examples) {
  EXPECT_NEAR(ConvergenceDeg(51.5, -0.1), 2.27, 0.005);        // zone 30, east of 3 W
  EXPECT_NEAR(ConvergenceDeg(60.0, 5.0, 1), -3.47, 0.005);     // zone 32 by the exception
  EXPECT_NEAR(ConvergenceDeg(-34.0, 151.0, 17), 1.12, 0.005);  // south, west of 153 E
  EXPECT_NEAR(ConvergenceDeg(-45.0, 170.0), 0.71, 0.005);
  EXPECT_NEAR(ConvergenceDeg(90.0, 10.0), -4.97, 0.005);  // clamped to 84 N, zone 33
  EXPECT_EQ(ConvergenceDeg(90.0, 10.0), ConvergenceDeg(84.0, 10.0));
}

// The same offset from the central meridian on either side of the equator
// gives the opposite convergence; so does the mirror image across it.
TEST(ConvergenceTest, SignsInTheFourQuadrants) {
  for (double lat : {5.0, 45.0, 79.0}) {
    for (double offset : {-2.5, 1.0}) {
      const double north = ConvergenceDeg(lat, 171.0 + offset);
      const double south = ConvergenceDeg(-lat, 171.0 + offset);
      EXPECT_NEAR(south, -north, 1e-9) << lat << " " << offset;
      EXPECT_EQ(north > 0.0, offset > 0.0) << lat << " " << offset;
      EXPECT_NEAR(ConvergenceDeg(lat, 171.0 - offset), -north, 1e-9) << lat << " " << offset;
    }
  }
}

// Against the exact convergence of the independent Kruger projection.
TEST(ConvergenceTest, MatchesIndependentTransverseMercator) {
  for (std::uint16_t datum : {0, 7, 22, 90}) {
    const Datum& row = DatumRow(datum);
    for (double lat = -80.0; lat <= 84.0; lat += 6.0) {
      for (double offset = -2.9; offset <= 2.9; offset += 0.725) {
        const double lon = -63.0 + offset;  // zone 20
        const double exact =
            test::KruegerProject(row.a, row.inv_f, lat * kDegToRad, offset * kDegToRad).convergence;
        EXPECT_NEAR(ConvergenceDeg(lat, lon, datum), exact * kRadToDeg, 1e-8)
            << datum << " " << lat << " " << offset;
      }
    }
  }
}

// A latitude a hair below zero carries the southern false northing; with a
// northern band the footpoint would be found 10000 km north and the
// convergence would come out near 5.7e12 degrees.
TEST(ConvergenceTest, HairBelowEquatorStaysSmall) {
  GeoPoint p = PointDeg(0.0, 1.0);
  p.lat = -1e-17;
  EXPECT_NEAR(GridConvergence(p), 0.0, 1e-15);
}

TEST(ConvergenceTest, NonFiniteInputsReturn) {
  EXPECT_TRUE(std::isnan(GridConvergence(PointDeg(kNaN, 3.0))));
  EXPECT_TRUE(std::isnan(GridConvergence(PointDeg(45.0, kNaN))));
  UtmPoint g{};
  g.easting = 500000.0;
  g.northing = std::numeric_limits<double>::infinity();
  g.zone = 31;
  g.band = 'T';
  EXPECT_TRUE(std::isnan(UtmConvergence(g)));
  g.northing = kNaN;
  EXPECT_TRUE(std::isnan(UtmConvergence(g)));
}

}  // namespace
}  // namespace trelvan
