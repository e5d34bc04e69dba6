#include "geometry/Resection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

using test::DistanceMetres;
using test::PointDeg;

// The field example: from the station, waypoint 1 at 3000 m, azimuth 30 deg,
// elevation 1.5 deg; waypoint 2 at 4000 m, azimuth 110 deg, elevation -0.5 deg;
// so the angle from waypoint 1 to waypoint 2 is 80 deg clockwise.
struct Survey {
  GeoPoint station;
  PolarVector m1;
  PolarVector m2;
  GeoPoint w1;
  GeoPoint w2;
  double theta;
};

Survey FieldExample(const GeoPoint& station) {
  Survey s;
  s.station = station;
  s.m1 = {3000.0, 30.0 * kDegToRad, 1.5 * kDegToRad};
  s.m2 = {4000.0, 110.0 * kDegToRad, -0.5 * kDegToRad};
  s.w1 = ForwardPolar(s.m1, station);
  s.w2 = ForwardPolar(s.m2, station);
  s.theta = 80.0 * kDegToRad;
  return s;
}

// Solves the survey with the azimuths withheld, as the solver never reads them.
SolveStatus Solve(const Survey& s, GeoPoint& out) {
  const PolarVector m1 = {s.m1.range, 0.0, s.m1.elevation};
  const PolarVector m2 = {s.m2.range, 0.0, s.m2.elevation};
  return SolveResection(s.theta, m1, m2, s.w1, s.w2, out);
}

double ResectionError(const GeoPoint& station) {
  const Survey s = FieldExample(station);
  GeoPoint out{};
  EXPECT_EQ(Solve(s, out), SolveStatus::kSolved);
  EXPECT_EQ(CheckResection(out, s.m1, s.m2, s.w1, s.w2), SolveStatus::kSolved);
  return DistanceMetres(out, station);
}

bool SameBytes(const GeoPoint& a, const GeoPoint& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(RelativeFrame, ExpressesTheSecondPointInTheFirstFrame) {
  const GeoPoint w1 = PointDeg(41, 29, 100);
  const GeoPoint w2 = ForwardPolar({4000.0, 110.0 * kDegToRad, -0.5 * kDegToRad}, w1);
  Matrix3 m;
  Vector3 d;
  ASSERT_EQ(RelativeFrame(w1, w2, m, d), SolveStatus::kSolved);
  // d is the polar vector in west, south, up components.
  const double h = 4000.0 * std::cos(-0.5 * kDegToRad);
  EXPECT_NEAR(d.x, -h * std::sin(110.0 * kDegToRad), 1e-6);
  EXPECT_NEAR(d.y, -h * std::cos(110.0 * kDegToRad), 1e-6);
  EXPECT_NEAR(d.z, 4000.0 * std::sin(-0.5 * kDegToRad), 1e-6);
  // Two nearby frames differ by a small rotation.
  for (int i = 0; i < 9; ++i) {
    EXPECT_NEAR(m.m[i], i % 4 == 0 ? 1.0 : 0.0, 1e-3) << i;
  }
  ASSERT_EQ(RelativeFrame(w1, w1, m, d), SolveStatus::kSolved);
  EXPECT_EQ(d.x, 0.0);
  EXPECT_EQ(d.y, 0.0);
  EXPECT_EQ(d.z, 0.0);
}

TEST(SolveResection, FieldExampleAccuracyByLatitude) {
  // On the equator the two meridians are parallel and the solution is exact;
  // further north their convergence, which the solver does not model, grows.
  EXPECT_LT(ResectionError(PointDeg(0, 29, 100)), 0.001);
  EXPECT_NEAR(ResectionError(PointDeg(41, 29, 100)), 0.34, 0.02);
  EXPECT_NEAR(ResectionError(PointDeg(70, 29, 100)), 1.06, 0.03);
}

TEST(SolveResection, AccuracyDoesNotDependOnLongitudeOrHemisphere) {
  const double reference = ResectionError(PointDeg(41, 29, 100));
  for (double lon : {-179.0, -90.0, 0.0, 135.0, 179.999}) {
    EXPECT_NEAR(ResectionError(PointDeg(41, lon, 100)), reference, 1e-3) << lon;
  }
  EXPECT_NEAR(ResectionError(PointDeg(-41, 29, 100)), ResectionError(PointDeg(41, 29, 100)),
              0.02);
}

TEST(SolveResection, ResultIsOnTheFirstWaypointDatum) {
  // Everything on NAD27_mean (82), then the second waypoint stored on WGS-84.
  Survey s = FieldExample(PointDeg(0, 29, 100, 82));
  GeoPoint out{};
  ASSERT_EQ(Solve(s, out), SolveStatus::kSolved);
  EXPECT_EQ(out.datum, 82);
  EXPECT_LT(DistanceMetres(out, s.station), 0.001);

  s.w2 = ConvertDatum(0, s.w2);
  GeoPoint mixed{};
  ASSERT_EQ(Solve(s, mixed), SolveStatus::kSolved);
  EXPECT_EQ(CheckResection(mixed, s.m1, s.m2, s.w1, s.w2), SolveStatus::kSolved);
  EXPECT_EQ(mixed.datum, 82);
  EXPECT_LT(DistanceMetres(mixed, s.station), 0.001);
}

TEST(SolveResection, ExchangedWaypointsGiveTheMirrorStation) {
  const Survey s = FieldExample(PointDeg(0, 29, 100));
  Survey swapped = s;
  swapped.m1 = s.m2;
  swapped.m2 = s.m1;
  swapped.w1 = s.w2;
  swapped.w2 = s.w1;
  GeoPoint mirror{};
  ASSERT_EQ(Solve(swapped, mirror), SolveStatus::kSolved);
  EXPECT_NEAR(DistanceMetres(mirror, s.station), 5200.0, 100.0);
  // The mirror image keeps the measured ranges to both waypoints.
  EXPECT_NEAR(DistanceMetres(mirror, s.w1), 3000.0, 1.0);
  EXPECT_NEAR(DistanceMetres(mirror, s.w2), 4000.0, 1.0);
}

TEST(SolveResection, FailuresLeaveTheStationUntouched) {
  const Survey s = FieldExample(PointDeg(41, 29, 100));
  GeoPoint station = PointDeg(1, 2, 3, 7);
  station.unused[0] = 0xAB;
  const GeoPoint before = station;

  // Two zero ranges leave the system without a solution.
  EXPECT_EQ(SolveResection(s.theta, {0, 0, 0.1}, {0, 0, -0.1}, s.w1, s.w2, station), SolveStatus::kNoSolution);
  EXPECT_TRUE(SameBytes(station, before));

  // A first waypoint without a frame.
  GeoPoint broken = s.w1;
  broken.lat = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(SolveResection(s.theta, s.m1, s.m2, broken, s.w2, station), SolveStatus::kNoSolution);
  EXPECT_TRUE(SameBytes(station, before));

  // An angle without a sine.
  EXPECT_EQ(SolveResection(std::numeric_limits<double>::infinity(), s.m1, s.m2, s.w1, s.w2,
                           station),
            SolveStatus::kNoSolution);
  EXPECT_TRUE(SameBytes(station, before));
}

TEST(SolveResection, NonFiniteOrHugeInputsEnd) {
  const Survey s = FieldExample(PointDeg(41, 29, 100));
  GeoPoint station{};
  GeoPoint w2 = s.w2;
  w2.height = std::numeric_limits<double>::quiet_NaN();
  SolveResection(s.theta, s.m1, s.m2, s.w1, w2, station);
  PolarVector m1 = s.m1;
  m1.elevation = std::numeric_limits<double>::quiet_NaN();
  SolveResection(s.theta, m1, s.m2, s.w1, s.w2, station);
  // Angles a great many turns away still act through sine, cosine and wrap.
  EXPECT_EQ(SolveResection(1e300, s.m1, s.m2, s.w1, s.w2, station), SolveStatus::kSolved);
  GeoPoint turned{};
  ASSERT_EQ(SolveResection(s.theta + 3.0 * kFullTurn, s.m1, s.m2, s.w1, s.w2, turned), SolveStatus::kSolved);
  EXPECT_LT(DistanceMetres(turned, s.station), 0.5);
}

TEST(SolveResection, EstimatesAcrossTheDateLineAverageBetweenThem) {
  // The two estimates lie about 0.8 m apart east-west at 41 deg; moving the
  // station across the 180th meridian in 0.1 m steps puts them on either side
  // of it for some positions. Their mean must stay next to the station.
  constexpr double kPi = std::numbers::pi;
  const double reference = ResectionError(PointDeg(41, 29, 100));
  const double step = 0.1 / (6378137.0 * std::cos(41.0 * kDegToRad));
  for (int i = -30; i <= 30; ++i) {
    double lon = kPi + i * step;
    if (lon > kPi) {
      lon -= 2.0 * kPi;
    }
    const GeoPoint truth = {41.0 * kDegToRad, lon, 100.0, 0};
    const Survey s = FieldExample(truth);
    GeoPoint out{};
    ASSERT_EQ(Solve(s, out), SolveStatus::kSolved);
    EXPECT_NEAR(DistanceMetres(out, truth), reference, 1e-3) << i;
    EXPECT_GT(out.lon, -kPi);
    EXPECT_LE(out.lon, kPi);
  }
}

TEST(CheckResection, RefusesAStationMissingARangeByMoreThanOneMetrePlusOnePercent) {
  // 100 ft and 16218 ft to two waypoints 760 m apart: the solver still
  // places a station.
  const GeoPoint w1 = PointDeg(47, 8, 500);
  const GeoPoint w2 = ForwardPolar({760.0, 60.0 * kDegToRad, 0.0}, w1);
  const PolarVector near = {30.48, 0.0, 0.0};
  const PolarVector far = {4943.2464, 0.0, 0.0};
  GeoPoint station{};
  ASSERT_EQ(SolveResection(90.0 * kDegToRad, near, far, w1, w2, station), SolveStatus::kSolved);
  EXPECT_EQ(CheckResection(station, near, far, w1, w2), SolveStatus::kNoSolution);
  // On the equator the solver is exact: a range typed wrong by just under
  // the allowance passes, just over it fails.
  const Survey s = FieldExample(PointDeg(0, 29, 100));
  ASSERT_EQ(Solve(s, station), SolveStatus::kSolved);
  for (const double share : {-1.02, -0.98, 0.98, 1.02}) {
    PolarVector m2 = s.m2;
    m2.range += share * (kRangeMissMetres + kRangeMissShare * s.m2.range);
    EXPECT_EQ(CheckResection(station, s.m1, m2, s.w1, s.w2),
              std::fabs(share) < 1 ? SolveStatus::kSolved : SolveStatus::kNoSolution)
        << share;
  }
}

}  // namespace
}  // namespace trelvan
