#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

constexpr double kArcSecond = 4.84813681109536e-06;  // radians

using test::PointDeg;

TEST(DatumShiftTest, CartesianAxesOfTheEllipsoid) {
  const Datum& wgs84 = DatumRow(0);
  const EcefPoint origin = GeodeticToEcef(PointDeg(0.0, 0.0, 0.0, 0));
  EXPECT_EQ(origin.x, wgs84.a);
  EXPECT_EQ(origin.y, 0.0);
  EXPECT_EQ(origin.z, 0.0);
  GeoPoint east = PointDeg(0.0, 0.0, 100.0, 0);
  east.lon = std::numbers::pi / 2.0;
  EXPECT_NEAR(GeodeticToEcef(east).y, wgs84.a + 100.0, 1e-9);
  GeoPoint pole = PointDeg(0.0, 0.0, 0.0, 0);
  pole.lat = std::numbers::pi / 2.0;
  EXPECT_NEAR(GeodeticToEcef(pole).z, wgs84.b, 1e-6);
  EXPECT_EQ(GeodeticToEcef(PointDeg(10.0, 10.0, 0.0, 400)).datum, 2);
}

// Bowring's single step is exact to a few 1e-8 arc-seconds (a micrometre)
// up to 10 km above the ellipsoid.
TEST(DatumShiftTest, CartesianRoundTrip) {
  for (std::uint16_t datum : {0, 4, 22, 57, 90}) {
    for (double lat = -89.0; lat <= 89.0; lat += 7.0) {
      for (double height : {-500.0, 0.0, 1500.0, 10000.0}) {
        const GeoPoint p = PointDeg(lat, 123.4, height, datum);
        const GeoPoint back = EcefToGeodetic(GeodeticToEcef(p));
        EXPECT_NEAR(back.lat, p.lat, 5e-8 * kArcSecond) << lat << " " << height;
        EXPECT_NEAR(back.lon, p.lon, 1e-15);
        EXPECT_NEAR(back.height, height, 2e-6);
        EXPECT_EQ(back.datum, datum);
      }
    }
  }
}

// On the polar axis the one-step formula divides by zero; the poles come
// out as poles, on their own side, with the height along the axis.
TEST(DatumShiftTest, PolarAxisKeepsItsHemisphere) {
  const double b = DatumRow(0).b;
  const GeoPoint north = EcefToGeodetic(EcefPoint{0.0, 0.0, b + 25.0, 0});
  EXPECT_EQ(north.lat, std::numbers::pi / 2.0);
  EXPECT_NEAR(north.height, 25.0, 1e-9);
  const GeoPoint south = EcefToGeodetic(EcefPoint{0.0, 0.0, -b, 0});
  EXPECT_EQ(south.lat, -std::numbers::pi / 2.0);
  EXPECT_NEAR(south.height, 0.0, 1e-9);
}

TEST(DatumShiftTest, ShiftExamples) {
  // OSGB36 to WGS-84 in London: a little north and west, about 45 m up.
  const GeoPoint london = ConvertDatum(0, PointDeg(51.5, -0.1, 0.0, 90));
  EXPECT_EQ(london.datum, 0);
  EXPECT_GT(london.lat, 51.5 * kDegToRad);
  EXPECT_LT(london.lon, -0.1 * kDegToRad);
  EXPECT_NEAR(london.height, 45.1, 0.1);
  EXPECT_NEAR(london.lat * kRadToDeg, 51.5004577, 1e-6);
  EXPECT_NEAR(london.lon * kRadToDeg, -0.1015891, 1e-6);

  // WGS-84 to NAD27 in Colorado: a little north and east, about 32 m up.
  const GeoPoint colorado = ConvertDatum(82, PointDeg(40.0, -105.0, 1500.0, 0));
  EXPECT_EQ(colorado.datum, 82);
  EXPECT_GT(colorado.lat, 40.0 * kDegToRad);
  EXPECT_GT(colorado.lon, -105.0 * kDegToRad);
  EXPECT_NEAR(colorado.height, 1532.4, 0.1);

  // WGS-84 to ED-50A at the origin: a little north and east, about -164 m.
  const GeoPoint origin = ConvertDatum(2, PointDeg(0.0, 0.0, 0.0, 0));
  EXPECT_GT(origin.lat, 0.0);
  EXPECT_GT(origin.lon, 0.0);
  EXPECT_NEAR(origin.height, -164.0, 0.1);
}

// With the table's pure translations, the earth-centred position moves by
// exactly the difference of the two datums' shifts.
TEST(DatumShiftTest, ShiftMovesTheCartesianPositionByTheTranslation) {
  for (std::uint16_t source : {1, 7, 57, 90, 117}) {
    for (std::uint16_t target : {0, 2, 82, 122}) {
      const GeoPoint p = PointDeg(33.3, 44.4, 250.0, source);
      const EcefPoint before = GeodeticToEcef(p);
      const EcefPoint after = GeodeticToEcef(ConvertDatum(target, p));
      const Datum& s = DatumRow(source);
      const Datum& t = DatumRow(target);
      EXPECT_NEAR(after.x - before.x, s.dx - t.dx, 1e-6) << source << " " << target;
      EXPECT_NEAR(after.y - before.y, s.dy - t.dy, 1e-6) << source << " " << target;
      EXPECT_NEAR(after.z - before.z, s.dz - t.dz, 1e-6) << source << " " << target;
    }
  }
}

TEST(DatumShiftTest, EveryDatumRoundTripsThroughWgs84) {
  for (std::uint16_t datum = 0; datum < kDatumCount; ++datum) {
    for (double lat : {-60.0, -12.5, 0.0, 37.0, 71.0}) {
      const GeoPoint p = PointDeg(lat, lat * 2.0 - 20.0, 300.0, datum);
      const GeoPoint back = ConvertDatum(datum, ConvertDatum(0, p));
      EXPECT_NEAR(back.lat, p.lat, 1e-9 * kArcSecond) << datum << " " << lat;
      EXPECT_NEAR(back.lon, p.lon, 1e-9 * kArcSecond) << datum << " " << lat;
      EXPECT_NEAR(back.height, p.height, 1e-7) << datum << " " << lat;
      EXPECT_EQ(back.datum, datum);
    }
  }
}

TEST(DatumShiftTest, SameDatumIsReturnedBitForBit) {
  for (std::uint16_t datum : {0, 90, 124, 125, 65535}) {
    GeoPoint p = PointDeg(12.345678901234, -98.7654321, 1e-3, datum);
    p.unused[0] = 0xAB;
    p.unused[5] = 0xCD;
    const GeoPoint same = ConvertDatum(datum, p);
    EXPECT_EQ(std::memcmp(&same, &p, sizeof(GeoPoint)), 0) << datum;
  }
}

TEST(DatumShiftTest, WgsLikeDatumsConvertWithoutChange) {
  const GeoPoint ghana = PointDeg(7.9, -1.0, 200.0, 47);
  const GeoPoint sierraLeone = ConvertDatum(109, ghana);
  EXPECT_EQ(sierraLeone.datum, 109);
  EXPECT_NEAR(sierraLeone.lat, ghana.lat, 1e-15);
  EXPECT_NEAR(sierraLeone.lon, ghana.lon, 1e-15);
  EXPECT_NEAR(sierraLeone.height, ghana.height, 1e-8);
}

TEST(DatumShiftTest, IndicesBeyondTheTableUseRowTwo) {
  const EcefPoint q = GeodeticToEcef(PointDeg(45.0, 7.0, 0.0, 0));
  const EcefPoint unchanged = DatumToWgs84(q);
  EXPECT_EQ(unchanged.x, q.x);
  EXPECT_EQ(unchanged.datum, 0);
  const EcefPoint shifted = DatumFromWgs84(300, q);
  EXPECT_EQ(shifted.datum, 300);  // the target index is kept as passed
  EXPECT_EQ(shifted.x, DatumFromWgs84(2, q).x);
  EXPECT_NEAR(DatumToWgs84(shifted).x, q.x, 1e-9);  // row 2's shift taken back
  const GeoPoint converted = ConvertDatum(300, PointDeg(45.0, 7.0, 0.0, 0));
  EXPECT_EQ(converted.datum, 2);
  EXPECT_EQ(converted.lat, ConvertDatum(2, PointDeg(45.0, 7.0, 0.0, 0)).lat);
}

// No row of the table rotates, so the rotation branch is tried on rows made
// here. The published example of the position-vector shift from WGS 72 to
// WGS 84 (IOGP guidance note 7-2): tz 4.5 m, rz +0.554", scale +0.219 ppm.
TEST(DatumShiftTest, RotatingShiftFollowsThePositionVectorConvention) {
  Datum wgs72{};
  wgs72.dz = 4.5;
  wgs72.rz = 0.554;
  wgs72.scale_ppm = 0.219;
  const EcefPoint w = HelmertToWgs84(wgs72, EcefPoint{3657660.66, 255768.55, 5201382.11, 3});
  // Published to the centimetre.
  EXPECT_NEAR(w.x, 3657660.78, 0.01);
  EXPECT_NEAR(w.y, 255778.43, 0.01);
  EXPECT_NEAR(w.z, 5201387.75, 0.01);
  EXPECT_EQ(w.datum, 0);
}

TEST(DatumShiftTest, RotatingShiftThereAndBackReturnsThePoint) {
  Datum row{};
  row.dx = -120.5;
  row.dy = 74.25;
  row.dz = 300.0;
  row.rx = 1.5;
  row.ry = -2.25;
  row.rz = 0.75;
  row.scale_ppm = -8.0;
  for (const EcefPoint q : {EcefPoint{4e6, -3e6, 3.5e6, 5}, EcefPoint{-6e6, 1e5, -1e6, 5},
                            EcefPoint{0.0, 0.0, 6.35e6, 5}}) {
    const EcefPoint back = HelmertFromWgs84(row, HelmertToWgs84(row, q));
    EXPECT_NEAR(back.x, q.x, 1e-6);
    EXPECT_NEAR(back.y, q.y, 1e-6);
    EXPECT_NEAR(back.z, q.z, 1e-6);
  }
}

}  // namespace
}  // namespace trelvan
