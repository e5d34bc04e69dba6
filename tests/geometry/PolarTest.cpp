#include "geometry/Polar.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

using test::DistanceMetres;
using test::PointDeg;

// Stations spread over latitudes, longitudes, heights and datums
// (82 is NAD27_mean, 90 the Ordnance Survey 1936 datum).
const GeoPoint kStations[] = {
    PointDeg(0, 29, 100),         PointDeg(41, -73.5, 35),       PointDeg(-33.9, 151.2, 2),
    PointDeg(70, 179.99, 1200),   PointDeg(51.5, -0.1, 0, 90),   PointDeg(40, -105, 1500, 82),
    PointDeg(-62, -60, -30),      PointDeg(12, 0, 4000),
};

const PolarVector kVectors[] = {
    {5000.0, 30.0 * kDegToRad, 1.5 * kDegToRad},
    {120.25, 271.0 * kDegToRad, -12.0 * kDegToRad},
    {30000.0, 180.0 * kDegToRad, 0.0},
    {750.0, 359.9 * kDegToRad, 45.0 * kDegToRad},
    {2.5, 90.0 * kDegToRad, -80.0 * kDegToRad},
};

TEST(ForwardPolar, ZeroRangeReturnsTheStation) {
  for (const GeoPoint& s : kStations) {
    const GeoPoint t = ForwardPolar({0.0, 1.0, 0.3}, s);
    EXPECT_EQ(t.datum, s.datum);
    EXPECT_NEAR(t.lat, s.lat, 1e-13);
    EXPECT_NEAR(t.lon, s.lon, 1e-13);
    EXPECT_NEAR(t.height, s.height, 1e-6);
  }
}

TEST(ForwardPolar, StraightUpRaisesAlongTheNormal) {
  for (const GeoPoint& s : kStations) {
    const GeoPoint t = ForwardPolar({850.0, 2.0, std::asin(1.0)}, s);
    EXPECT_NEAR(t.lat, s.lat, 1e-13);
    EXPECT_NEAR(t.lon, s.lon, 1e-13);
    EXPECT_NEAR(t.height, s.height + 850.0, 1e-6);
  }
}

TEST(ForwardPolar, ResultStaysOnTheStationDatum) {
  const GeoPoint t = ForwardPolar(kVectors[0], PointDeg(40, -105, 1500, 82));
  EXPECT_EQ(t.datum, 82);
}

TEST(ForwardPolar, NegativeAzimuthActsLikeItsTurn) {
  for (const GeoPoint& s : kStations) {
    const GeoPoint a = ForwardPolar({4000.0, -kQuarterTurn, 0.2}, s);
    const GeoPoint b = ForwardPolar({4000.0, 3.0 * kQuarterTurn, 0.2}, s);
    EXPECT_LT(DistanceMetres(a, b), 1e-6);
  }
}

TEST(InversePolar, PointToItselfIsTheZeroVector) {
  for (const GeoPoint& s : kStations) {
    const PolarVector v = InversePolar(s, s);
    EXPECT_EQ(v.range, 0.0);
    EXPECT_EQ(v.azimuth, 0.0);
    EXPECT_EQ(v.elevation, 0.0);
  }
}

TEST(InversePolar, DueNorthAndDueEast) {
  const GeoPoint from = PointDeg(40, 10, 200);
  const PolarVector north = InversePolar(from, PointDeg(40.05, 10, 200));
  // Azimuth zero to rounding: a hair below zero wraps to just under a turn.
  EXPECT_LT(std::fmin(north.azimuth, kFullTurn - north.azimuth), 1e-12);
  EXPECT_GE(north.azimuth, 0.0);
  EXPECT_LT(north.azimuth, kFullTurn);
  // The chord to a point at the same height dips below the horizon.
  EXPECT_LT(north.elevation, 0.0);
  EXPECT_GT(north.elevation, -1e-3);

  const PolarVector east = InversePolar(from, PointDeg(40, 10.05, 200));
  // A point on the same parallel lies a little north of due east.
  EXPECT_NEAR(east.azimuth, kQuarterTurn, 5e-4);
  EXPECT_LT(east.azimuth, kQuarterTurn);
  EXPECT_LT(east.elevation, 0.0);

  const PolarVector south = InversePolar(from, PointDeg(39.95, 10, 200));
  EXPECT_NEAR(south.azimuth, kHalfTurn, 1e-12);
  const PolarVector west = InversePolar(from, PointDeg(40, 9.95, 200));
  EXPECT_NEAR(west.azimuth, 3.0 * kQuarterTurn, 5e-4);
}

TEST(InversePolar, TargetOnAnotherDatumIsConvertedFirst) {
  const GeoPoint from = PointDeg(40, -105, 1500, 0);
  const GeoPoint to = PointDeg(40.02, -104.97, 1650, 82);
  const PolarVector direct = InversePolar(from, to);
  const PolarVector converted = InversePolar(from, ConvertDatum(0, to));
  EXPECT_EQ(direct.range, converted.range);
  EXPECT_EQ(direct.azimuth, converted.azimuth);
  EXPECT_EQ(direct.elevation, converted.elevation);
  // The shift between the datums is about a hundred metres: not ignored.
  const GeoPoint toAsIfWgs = {to.lat, to.lon, to.height, 0};
  EXPECT_GT(std::fabs(InversePolar(from, toAsIfWgs).range - direct.range), 1.0);
}

TEST(PolarRoundTrip, ForwardThenInverseGivesTheVectorBack) {
  for (const GeoPoint& s : kStations) {
    for (const PolarVector& v : kVectors) {
      const PolarVector back = InversePolar(s, ForwardPolar(v, s));
      // Angles are compared as the sideways miss they make, in metres: on a
      // short vector the rounding of earth-centred metres dominates them.
      EXPECT_NEAR(back.range, v.range, 1e-6);
      EXPECT_NEAR((back.elevation - v.elevation) * v.range, 0.0, 1e-6);
      const double horizontal = v.range * std::cos(v.elevation);
      EXPECT_NEAR(std::remainder(back.azimuth - v.azimuth, kFullTurn) * horizontal, 0.0, 1e-6);
      EXPECT_GE(back.azimuth, 0.0);
      EXPECT_LT(back.azimuth, kFullTurn);
    }
  }
}

TEST(PolarRoundTrip, InverseThenForwardReturnsTheTarget) {
  const GeoPoint targets[] = {PointDeg(41.03, -73.45, 310), PointDeg(-34.2, 151.0, -5),
                              PointDeg(70.1, -179.95, 800), PointDeg(0.01, 29.02, 90, 82)};
  for (const GeoPoint& a : kStations) {
    for (const GeoPoint& b : targets) {
      const GeoPoint reached = ForwardPolar(InversePolar(a, b), a);
      const GeoPoint expected = ConvertDatum(a.datum, b);
      EXPECT_EQ(reached.datum, DatumRowIndex(a.datum));
      EXPECT_LT(DistanceMetres(reached, expected), 1e-5);
    }
  }
}

TEST(BackPolar, FindsTheStationWhereThePlainReversalMisses) {
  const GeoPoint stations[] = {PointDeg(41, 29, 100), PointDeg(-45, -70, 2500),
                               PointDeg(52, 4.5, 0, 90)};
  const PolarVector vectors[] = {{5000.0, 30.0 * kDegToRad, 1.5 * kDegToRad},
                                 {5000.0, 250.0 * kDegToRad, -3.0 * kDegToRad},
                                 {5000.0, 90.0 * kDegToRad, 0.0}};
  for (const GeoPoint& s : stations) {
    for (const PolarVector& v : vectors) {
      const GeoPoint target = ForwardPolar(v, s);
      const GeoPoint station = BackPolar(v, target);
      EXPECT_EQ(station.datum, target.datum);
      EXPECT_LT(DistanceMetres(station, s), 1e-3);

      const PolarVector reversed = {v.range, v.azimuth + kHalfTurn, -v.elevation};
      EXPECT_GT(DistanceMetres(ForwardPolar(reversed, target), s), 1.0);
    }
  }
}

}  // namespace
}  // namespace trelvan
