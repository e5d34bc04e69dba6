#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "geodesy/Utm.h"
#include "tests/geodesy/KruegerReference.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

using test::Grid;
using test::PointDeg;

constexpr double kMetreTolerance = 1e-4;  // 0.1 mm on the grid
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A position as the forms make it: whole degrees times kDegToRad.
UtmPoint Project(const GeoPoint& p) {
  UtmPoint u{};
  GeoToUtm(p, u);
  return u;
}

double CentralMeridianDeg(int zone) { return zone * 6.0 - 183.0; }

TEST(UtmTest, EquatorOnCentralMeridianIsTheGridOrigin) {
  const UtmPoint u = Project(PointDeg(0.0, 3.0));
  EXPECT_EQ(u.easting, 500000.0);
  EXPECT_EQ(u.northing, 0.0);
  EXPECT_EQ(u.zone, 31);
  EXPECT_EQ(u.band, 'N');
  EXPECT_EQ(u.datum, 0);
  EXPECT_EQ(u.form, kUtmForm);
}

struct ZoneCase {
  double lat;
  double lon;
  std::uint16_t datum;
  std::uint16_t zone;
  char band;
};

TEST(UtmTest, ZonesBandsAndExceptions) {
  const ZoneCase cases[] = {
      {40.0, -105.0, 0, 13, 'T'},  // 40 + 80 rounds to exactly 120: band T
      {-34.0, 151.0, 17, 56, 'H'},
      {60.0, 5.0, 1, 32, 'V'},  // southern Norway: 32 instead of 31
      {60.0, 3.0, 0, 32, 'V'},  // 3 deg E arrives as 2.9999999999999996: the edge
      {60.0, 3.5, 0, 32, 'V'},
      {63.9, 11.9, 0, 32, 'V'},
      {60.0, 12.5, 0, 33, 'V'},
      {56.0, 5.0, 0, 32, 'V'},  // 55.99999999999999: on the cell's southern edge
      {56.5, 5.0, 0, 32, 'V'},
      {64.5, 5.0, 0, 31, 'W'},
      {75.0, 25.0, 0, 35, 'X'},
      {75.0, 8.9, 0, 31, 'X'},  // Svalbard
      {75.0, 9.1, 0, 33, 'X'},
      {75.0, 20.9, 0, 33, 'X'},
      {75.0, 21.1, 0, 35, 'X'},
      {75.0, 32.9, 0, 35, 'X'},
      {75.0, 33.1, 0, 37, 'X'},
      {75.0, 41.9, 0, 37, 'X'},
      {75.0, 42.1, 0, 38, 'X'},
      {71.9, 8.0, 0, 32, 'W'},
      {90.0, 10.0, 0, 33, 'X'},    // clamped to 84 N, then Svalbard
      {-85.0, -60.0, 0, 21, 'C'},  // clamped to 80 S
      {0.0, -180.0, 0, 1, 'N'},
      {0.0, 180.0, 0, 1, 'N'},
      {0.0, 179.9, 0, 60, 'N'},
      {0.0, 541.0, 0, 1, 'N'},     // any longitude is folded into a zone
      {0.0, -1000.0, 0, 44, 'N'},  // 80 E
  };
  for (const ZoneCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
    const UtmPoint u = Project(PointDeg(c.lat, c.lon, 0, c.datum));
    EXPECT_EQ(u.zone, c.zone);
    EXPECT_EQ(u.band, c.band);
    EXPECT_EQ(u.datum, c.datum);
  }
}

// Round degrees on the edges of zones, bands and the Norway and Svalbard
// cells fall in the cell to their north and east, as the standard names it,
// whether the degrees came to radians through kDegToRad (the forms, people's
// lines) or a full-precision pi/180 (--raw lines made with math.radians).
TEST(UtmTest, RoundDegreesFallInTheCellTheStandardNames) {
  const struct {
    double lat, lon;
    int zone;
    char band;
  } cases[] = {
      {60, 3, 32, 'V'},   {72, 9, 33, 'X'},  {72, 10, 33, 'X'},   {56, 4, 32, 'V'},
      {64, 5, 31, 'W'},   {80, 9, 33, 'X'},  {40, 9, 32, 'T'},    {56, 3, 32, 'V'},
      {56, 0, 31, 'V'},   {56, 12, 33, 'V'}, {64, 3, 31, 'W'},    {72, 0, 31, 'X'},
      {72, 21, 35, 'X'},  {72, 33, 37, 'X'}, {72, 42, 38, 'X'},   {84, 9, 33, 'X'},
      {84, 42, 38, 'X'},  {0, 0, 31, 'N'},   {0, 6, 32, 'N'},     {8, -180, 1, 'P'},
      {-8, 174, 60, 'M'}, {-72, 6, 32, 'D'}, {-80, 3, 31, 'C'},   {-32, -72, 19, 'J'},
      {48, 18, 34, 'U'},  {16, 180, 1, 'Q'}, {-56, -36, 25, 'F'}, {24, 120, 51, 'R'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
    const double toRadians = std::numbers::pi / 180.0;
    for (const GeoPoint& p :
         {PointDeg(c.lat, c.lon), GeoPoint{c.lat * toRadians, c.lon * toRadians, 0, 0}}) {
      const UtmPoint u = Project(p);
      EXPECT_EQ(u.zone, c.zone);
      EXPECT_EQ(u.band, c.band);
    }
  }
}

// Away from boundaries the zone is 1 + floor((lon + 180) / 6) and the band
// is the eight-degree letter from 80 S, X stretched to 84 N.
TEST(UtmTest, PlainZonesAndBandsEverywhere) {
  const char* bands = "CDEFGHJKLMNPQRSTUVWXX";
  for (double lat = -79.5; lat < 84.0; lat += 1.0) {
    const UtmPoint u = Project(PointDeg(lat, -177.5));
    EXPECT_EQ(u.band, bands[static_cast<int>(std::floor((lat + 80.0) / 8.0))]) << lat;
    EXPECT_EQ(u.zone, 1);
  }
  for (double lon = -179.5; lon < 180.0; lon += 1.0) {
    const UtmPoint u = Project(PointDeg(-20.0, lon));
    EXPECT_EQ(u.zone, 1 + static_cast<int>(std::floor((lon + 180.0) / 6.0))) << lon;
    EXPECT_EQ(u.band, 'K');
  }
}

TEST(UtmTest, ClampedLatitudesProjectAsTheLimits) {
  const UtmPoint pole = Project(PointDeg(90.0, 10.0));
  const UtmPoint limit = Project(PointDeg(84.0, 10.0));
  EXPECT_EQ(pole.easting, limit.easting);
  EXPECT_EQ(pole.northing, limit.northing);
  const UtmPoint south = Project(PointDeg(-85.0, -60.0));
  const UtmPoint southLimit = Project(PointDeg(-80.0, -60.0));
  EXPECT_EQ(south.easting, southLimit.easting);
  EXPECT_EQ(south.northing, southLimit.northing);
  EXPECT_EQ(south.band, 'C');
}

TEST(UtmTest, EquatorAndJustSouthOfIt) {
  const UtmPoint equator = Project(PointDeg(0.0, 0.0));
  EXPECT_EQ(equator.band, 'N');
  EXPECT_EQ(equator.northing, 0.0);
  const UtmPoint south = Project(PointDeg(-1e-6, 0.0));
  EXPECT_EQ(south.zone, 31);
  EXPECT_EQ(south.band, 'M');
  EXPECT_LT(south.northing, 10000000.0);
  EXPECT_GT(south.northing, 10000000.0 - 1.0);
}

// Just below zero, latitude + 80 rounds to exactly 80, yet the northing
// carries the southern false northing: the band must say south too, or
// every later step reads the wrong hemisphere.
TEST(UtmTest, HairBelowEquatorGetsSouthernBand) {
  for (double lat :
       {-1e-17, -5e-15 * kDegToRad, -1e-300, -std::numeric_limits<double>::denorm_min()}) {
    SCOPED_TRACE(lat);
    ASSERT_EQ(lat * kRadToDeg + 80.0, 80.0);
    GeoPoint p = PointDeg(0.0, 1.0);
    p.lat = lat;
    const UtmPoint u = Project(p);
    EXPECT_EQ(u.band, 'M');
    EXPECT_NEAR(u.northing, 10000000.0, 1e-6);
    const GeoPoint back = UtmToGeo(u);
    EXPECT_NEAR(back.lat, 0.0, 1e-12);
    EXPECT_NEAR(back.lon, 1.0 * kDegToRad, 1e-12);
  }
  GeoPoint minusZero = PointDeg(0.0, 1.0);
  minusZero.lat = -0.0;
  EXPECT_EQ(Project(minusZero).band, 'N');  // -0 is not below zero
  EXPECT_EQ(Project(minusZero).northing, 0.0);
}

TEST(UtmTest, HeightCarriedAndGridSquareLettersKept) {
  UtmPoint u{};
  u.column = 'Q';
  u.row = 'R';
  GeoToUtm(PointDeg(51.5, -0.1, 1234.5, 0), u);
  EXPECT_EQ(u.column, 'Q');
  EXPECT_EQ(u.row, 'R');
  EXPECT_EQ(u.height, 1234.5);
  const UtmPoint low = Project(PointDeg(51.5, -0.1, -50.0, 0));
  EXPECT_EQ(low.easting, u.easting);
  EXPECT_EQ(low.northing, u.northing);
  EXPECT_EQ(UtmToGeo(u).height, 1234.5);
}

TEST(UtmTest, OutOfRangeDatumProjectsOnRowTwo) {
  const UtmPoint fallback = Project(PointDeg(48.0, 11.0, 0, 300));
  const UtmPoint ed50a = Project(PointDeg(48.0, 11.0, 0, 2));
  EXPECT_EQ(fallback.datum, 2);
  EXPECT_EQ(fallback.easting, ed50a.easting);
  EXPECT_EQ(fallback.northing, ed50a.northing);
  EXPECT_EQ(UtmToGeo(Grid(500000.0, 5000000.0, 32, 'U', 999)).datum, 2);
}

// Against the independent Kruger projection, inside the zone, on several
// ellipsoids: the series agree to well under 0.1 mm.
TEST(UtmTest, MatchesIndependentTransverseMercator) {
  for (std::uint16_t datum : {0, 1, 4, 7, 22, 57, 90, 122}) {
    const Datum& row = DatumRow(datum);
    for (double lat = -80.0; lat <= 84.0; lat += 4.0) {
      for (double offset = -2.9; offset <= 2.9; offset += 0.58) {
        const double lon = CentralMeridianDeg(20) + offset;
        const UtmPoint u = Project(PointDeg(lat, lon, 0, datum));
        ASSERT_EQ(u.zone, 20);
        const test::KruegerResult ref =
            test::KruegerProject(row.a, row.inv_f, lat * kDegToRad,
                                 lon * kDegToRad - CentralMeridianDeg(20) * kDegToRad);
        EXPECT_NEAR(u.easting, ref.easting, kMetreTolerance) << datum << " " << lat << " " << lon;
        EXPECT_NEAR(u.northing, ref.northing, kMetreTolerance) << datum << " " << lat << " " << lon;
      }
    }
  }
}

TEST(UtmTest, RoundTripGeoToGridToGeo) {
  for (std::uint16_t datum : {0, 2, 17, 22, 57, 59, 82, 97, 121}) {
    for (double lat = -79.0; lat <= 83.5; lat += 3.7) {
      for (double lon = -179.0; lon < 180.0; lon += 10.3) {
        const GeoPoint p = PointDeg(lat, lon, 100.0, datum);
        const UtmPoint u = Project(p);
        if (std::fabs(lon - CentralMeridianDeg(u.zone)) > 3.0) {
          continue;  // an exception zone stretches beyond 3 degrees
        }
        const GeoPoint back = UtmToGeo(u);
        EXPECT_NEAR(back.lat * kRadToDeg, lat, 1e-9) << datum << " " << lat << " " << lon;
        EXPECT_NEAR(back.lon * kRadToDeg, lon, 1e-9) << datum << " " << lat << " " << lon;
        EXPECT_EQ(back.datum, datum);
        EXPECT_EQ(back.height, 100.0);
      }
    }
  }
}

TEST(UtmTest, GridToGeoAtTheOriginAndAcrossTheEquator) {
  const GeoPoint origin = UtmToGeo(Grid(500000.0, 0.0, 31, 'N'));
  EXPECT_NEAR(origin.lat, 0.0, 1e-18);
  EXPECT_EQ(origin.lon, 3.0 * kDegToRad);  // easting 500000 is the central meridian
  const GeoPoint southOrigin = UtmToGeo(Grid(500000.0, 10000000.0, 31, 'M'));
  EXPECT_EQ(southOrigin.lon, origin.lon);
  EXPECT_NEAR(southOrigin.lat, -origin.lat, 1e-30);
}

TEST(UtmTest, OnlyTheSideOfNMattersForTheHemisphere) {
  const GeoPoint h = UtmToGeo(Grid(315000.0, 6236000.0, 56, 'H', 17));
  const GeoPoint c = UtmToGeo(Grid(315000.0, 6236000.0, 56, 'C', 17));
  EXPECT_EQ(h.lat, c.lat);
  EXPECT_EQ(h.lon, c.lon);
  EXPECT_LT(h.lat, 0.0);
  const GeoPoint n = UtmToGeo(Grid(315000.0, 6236000.0, 56, 'N', 17));
  EXPECT_GT(n.lat, 0.0);
}

TEST(UtmTest, EastingsMirrorAboutTheCentralMeridian) {
  const GeoPoint west = UtmToGeo(Grid(400000.0, 5000000.0, 31, 'T'));
  const GeoPoint east = UtmToGeo(Grid(600000.0, 5000000.0, 31, 'T'));
  EXPECT_EQ(west.lat, east.lat);
  EXPECT_NEAR(west.lat * kRadToDeg, 45.1, 0.05);
  EXPECT_NEAR(west.lon * kRadToDeg, 1.73, 0.01);
  EXPECT_NEAR(east.lon * kRadToDeg, 4.27, 0.01);
  EXPECT_NEAR(west.lon + east.lon, 6.0 * kDegToRad, 1e-15);
}

// 179 59 59 and 100 hundredths typed in a form make 180 degrees, a hair
// beyond pi once multiplied by the degree factor; more hundredths go further.
// Such a longitude projects as the same meridian within one turn does (180
// degrees as the western edge of zone 1), and its convergence is a few
// degrees, not thousands of radians.
TEST(UtmTest, LongitudesPastTheAntimeridianProjectAsTheSameMeridianWithinOneTurn) {
  ASSERT_GT(180.0 * kDegToRad, std::numbers::pi);
  for (double latDeg : {-79.0, -33.5, 0.0, 12.25, 50.0, 70.0, 83.5}) {
    for (double lonDeg : {180.0, 180.25, 182.5, 547.75, -545.5, 1000.0}) {
      SCOPED_TRACE(testing::Message() << latDeg << " deg, " << lonDeg << " deg");
      double withinOneTurn = std::remainder(lonDeg, 360.0);
      if (withinOneTurn == 180.0) withinOneTurn = -180.0;
      const UtmPoint far = Project(PointDeg(latDeg, lonDeg));
      const UtmPoint near = Project(PointDeg(latDeg, withinOneTurn));
      EXPECT_EQ(far.zone, near.zone);
      EXPECT_EQ(far.band, near.band);
      EXPECT_NEAR(far.easting, near.easting, kMetreTolerance);
      EXPECT_NEAR(far.northing, near.northing, kMetreTolerance);
      EXPECT_NEAR(UtmConvergence(far), UtmConvergence(near), 1e-12);
      EXPECT_LT(std::fabs(UtmConvergence(far)), 3.1 * kDegToRad);
    }
  }
  EXPECT_EQ(Project(PointDeg(0.0, 180.0)).zone, 1);
}

TEST(UtmTest, FootpointLatitude) {
  const Datum& wgs84 = DatumRow(0);
  const MeridianArc arc = MeridianArcCoefficients(wgs84.a, wgs84.inv_f);
  // The quarter meridian of WGS-84 is 10001965.7293 m.
  EXPECT_NEAR(arc.A * std::numbers::pi / 2.0, 10001965.7293, 1e-3);
  // From the start just below pi/2 a zero northing settles on the equator.
  const double equator = FootpointLatitude(0.0, arc);
  EXPECT_NEAR(equator, 0.0, 1e-18);
  // On the central meridian the northing is the scaled meridian arc, so the
  // footpoint is the latitude itself.
  for (double lat = 0.0; lat <= 84.0; lat += 2.0) {
    const UtmPoint u = Project(PointDeg(lat, -3.0));
    EXPECT_NEAR(FootpointLatitude(u.northing, arc), lat * kDegToRad, 1e-13) << lat;
  }
}

TEST(UtmTest, NonFiniteInputsReturn) {
  const MeridianArc arc = MeridianArcCoefficients(DatumRow(0).a, DatumRow(0).inv_f);
  EXPECT_TRUE(std::isnan(FootpointLatitude(kNaN, arc)));
  EXPECT_TRUE(std::isnan(FootpointLatitude(kInf, arc)));
  EXPECT_TRUE(std::isnan(FootpointLatitude(-kInf, arc)));
  FootpointLatitude(1e300, arc);  // far beyond the earth: returns, whatever it gives

  for (const GeoPoint& p : {PointDeg(kNaN, 3.0), PointDeg(45.0, kNaN), PointDeg(45.0, kInf), PointDeg(kInf, -kInf)}) {
    const UtmPoint u = Project(p);
    EXPECT_FALSE(std::isfinite(u.easting));
    EXPECT_GE(u.band, 'C');
    EXPECT_LE(u.band, 'X');
    EXPECT_LE(u.zone, 60);
  }
  EXPECT_EQ(Project(PointDeg(kInf, 3.0)).band, 'X');  // clamped like any latitude beyond 84 N
  EXPECT_TRUE(std::isnan(UtmToGeo(Grid(kNaN, 5000000.0, 31, 'T')).lon));
  EXPECT_TRUE(std::isnan(UtmToGeo(Grid(500000.0, kNaN, 31, 'T')).lat));
  EXPECT_TRUE(std::isnan(UtmToGeo(Grid(500000.0, kInf, 31, 'T')).lat));
}

}  // namespace
}  // namespace trelvan
