// Where the grid ends (geodesy/GridDomain.h): every grid position FromGrid
// reads agrees with an independent exact transverse Mercator within 1 mm,
// whatever GeoToUtm writes between 80 S and 84 N is read back, and what lies
// beyond is refused with its reason.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>

#include "geodesy/Angles.h"
#include "geodesy/GridDomain.h"
#include "tests/geodesy/KruegerReference.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

using test::Grid;
using test::PointDeg;

// WGS-84, International 1924 (ED-50), Clarke 1866 (NAD27), Clarke 1880
// (Adindan), Bessel 1841 (DHDN) and Airy (OSGB 36).
constexpr std::uint16_t kEllipsoids[] = {0, 1, 82, 4, 93, 90};

// Distance on the grid, metres, from `grid` to the exact projection of p
// about the zone's meridian.
double ExactGridError(const UtmPoint& grid, const GeoPoint& p) {
  const Datum& row = DatumRow(grid.datum);
  const double dlon = std::remainder(p.lon - CentralMeridian(grid.zone), 2.0 * std::numbers::pi);
  const test::KruegerResult exact = test::KruegerProject(row.a, row.inv_f, p.lat, dlon);
  const double falseNorthing =
      (grid.band < 'N' ? kFalseNorthing : 0.0) - (p.lat < 0.0 ? kFalseNorthing : 0.0);
  return std::hypot(exact.easting - grid.easting, exact.northing + falseNorthing - grid.northing);
}

TEST(GridDomainTest, EveryGridPositionReadIsWithinAMillimetreOfTheExactProjection) {
  std::mt19937_64 random(21);
  std::uniform_real_distribution<double> easting(-50000.0, 1050000.0);
  std::uniform_real_distribution<double> northing(-100000.0, 10100000.0);
  int read = 0;
  int refused = 0;
  for (const std::uint16_t datum : kEllipsoids) {
    for (int i = 0; i < 20000; ++i) {
      const UtmPoint g =
          Grid(easting(random), northing(random), static_cast<std::uint16_t>(1 + random() % 60),
               random() % 2 == 0 ? 'N' : 'M', datum);
      GeoPoint p{};
      if (FromGrid(g, BandRule::kHemisphere, p) != GridStatus::kOnGrid) {
        ++refused;
        continue;
      }
      ++read;
      ASSERT_LE(ExactGridError(g, p), 1e-3)
          << datum << " zone " << g.zone << g.band << " " << g.easting << " " << g.northing;
      ASSERT_LE(std::fabs(p.lon), std::numbers::pi);
    }
  }
  // Both sides of the edge are well sampled.
  EXPECT_GT(read, 30000);
  EXPECT_GT(refused, 30000);
}

// Random positions in every zone's own area, the widened ones included, on
// every datum, and the zones' corners: GeoToUtm's grid position reads back
// to the position, whatever band rule.
TEST(GridDomainTest, WhatGeoToUtmWritesOnTheGridIsReadBack) {
  std::mt19937_64 random(84);
  std::uniform_real_distribution<double> latitude(-80.0, 84.0);
  std::uniform_real_distribution<double> longitude(-180.0, 180.0);
  const auto readsBack = [](const GeoPoint& p) {
    UtmPoint g{};
    ASSERT_EQ(ToGrid(p, g), GridStatus::kOnGrid);
    for (const BandRule rule : {BandRule::kHemisphere, BandRule::kLetter}) {
      GeoPoint back{};
      ASSERT_EQ(FromGrid(g, rule, back), GridStatus::kOnGrid)
          << g.zone << g.band << " " << g.easting << " " << g.northing;
      ASSERT_LT(test::DistanceMetres(back, p), 1e-3);
    }
  };
  for (std::uint16_t datum = 0; datum < kDatumCount; ++datum) {
    SCOPED_TRACE(datum);
    for (int i = 0; i < 200; ++i)
      readsBack(PointDeg(latitude(random), longitude(random), 0, datum));
  }
  for (const std::uint16_t datum : test::kEdgeDatums) {
    for (const test::LatLonDeg& e : test::kGridEdges) {
      SCOPED_TRACE(testing::Message() << datum << ": " << e.lat << " " << e.lon);
      readsBack(PointDeg(e.lat, e.lon, 0, datum));
    }
  }
}

TEST(GridDomainTest, GeographicPositionsBeyondTheGridAreNotProjected) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  UtmPoint g{};
  g.easting = 1.0;
  for (const GeoPoint& p : {PointDeg(84.0000001, 10), PointDeg(-80.0000001, 10), PointDeg(90, 0),
                            GeoPoint{kNaN, 0, 0, 0}, GeoPoint{0.5, kNaN, 0, 0},
                            GeoPoint{0.5, std::numeric_limits<double>::infinity(), 0, 0}}) {
    EXPECT_EQ(ToGrid(p, g), GridStatus::kBeyondLatitudes) << p.lat << " " << p.lon;
    EXPECT_EQ(g.easting, 1.0);
  }
  // The limits themselves, typed in degrees or as full-precision radians.
  for (const double lat : {84.0, -80.0}) {
    EXPECT_EQ(ToGrid(PointDeg(lat, 10), g), GridStatus::kOnGrid);
    EXPECT_EQ(ToGrid(GeoPoint{lat * std::numbers::pi / 180, 0.2, 0, 0}, g), GridStatus::kOnGrid);
  }
}

TEST(GridDomainTest, GridPositionsOffTheGridAreRefusedWithTheirReason) {
  const struct {
    UtmPoint grid;
    BandRule rule;
    GridStatus status;
  } cases[] = {
      {Grid(500000, 5000000, 0, 'T'), BandRule::kHemisphere, GridStatus::kNoZone},
      {Grid(500000, 5000000, 61, 'T'), BandRule::kHemisphere, GridStatus::kNoZone},
      {Grid(-0.001, 0, 31, 'N'), BandRule::kHemisphere, GridStatus::kOutsideZone},
      {Grid(1000000.001, 0, 31, 'N'), BandRule::kHemisphere, GridStatus::kOutsideZone},
      {Grid(500000, -0.001, 31, 'N'), BandRule::kHemisphere, GridStatus::kOutsideZone},
      {Grid(500000, 10000000.001, 31, 'M'), BandRule::kHemisphere, GridStatus::kOutsideZone},
      {Grid(std::nan(""), 0, 31, 'N'), BandRule::kHemisphere, GridStatus::kOutsideZone},
      {Grid(500000, std::nan(""), 31, 'N'), BandRule::kHemisphere, GridStatus::kOutsideZone},
      // 7 degrees from the meridian at 60 N; 9.1 km off the exact position at
      // 84 30' N (the calculator once answered it).
      {Grid(109000, 6660000, 31, 'V'), BandRule::kHemisphere, GridStatus::kOutsideZone},
      {Grid(0, 9383913, 31, 'X'), BandRule::kHemisphere, GridStatus::kOutsideZone},
      {Grid(1000000, 1062605, 60, 'C'), BandRule::kHemisphere, GridStatus::kOutsideZone},
      // Beyond 84 30' N and 80 30' S on the meridian.
      {Grid(500000, 9390000, 31, 'X'), BandRule::kHemisphere, GridStatus::kBeyondLatitudes},
      {Grid(500000, 1060000, 31, 'C'), BandRule::kHemisphere, GridStatus::kBeyondLatitudes},
      // A band letter for other latitudes: 6 S named C (72 to 80 S).
      {Grid(500000, 9329006, 31, 'C'), BandRule::kLetter, GridStatus::kBandMismatch},
      {Grid(500000, 4427757, 32, 'R'), BandRule::kLetter, GridStatus::kBandMismatch},
      {Grid(500000, 4600000, 32, 'S'), BandRule::kLetter, GridStatus::kBandMismatch},
  };
  for (const auto& c : cases) {
    GeoPoint p{1.0, 2.0, 3.0, 4};
    EXPECT_EQ(FromGrid(c.grid, c.rule, p), c.status)
        << c.grid.zone << c.grid.band << " " << c.grid.easting << " " << c.grid.northing;
    EXPECT_TRUE(p.lat == 1.0 && p.lon == 2.0 && p.height == 3.0 && p.datum == 4);
  }
  // The band's edges are taken within about a kilometre, and the polar bands
  // on to the overlap: 40 N is band T, and a hair below it still S.
  GeoPoint p{};
  EXPECT_EQ(FromGrid(Grid(500000, 4427757, 32, 'T'), BandRule::kLetter, p), GridStatus::kOnGrid);
  EXPECT_EQ(FromGrid(Grid(500000, 4427000, 32, 'T'), BandRule::kLetter, p), GridStatus::kOnGrid);
  EXPECT_EQ(FromGrid(Grid(500000, 4427000, 32, 'S'), BandRule::kLetter, p), GridStatus::kOnGrid);
  EXPECT_EQ(FromGrid(Grid(500000, 9380000, 31, 'X'), BandRule::kLetter, p), GridStatus::kOnGrid);
  EXPECT_EQ(FromGrid(Grid(500000, 1063000, 31, 'C'), BandRule::kLetter, p), GridStatus::kOnGrid);
}

}  // namespace
}  // namespace trelvan
