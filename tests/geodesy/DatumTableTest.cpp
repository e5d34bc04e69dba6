#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "geodesy/Datum.h"

namespace trelvan {
namespace {

TEST(DatumTableTest, RecordLayouts) {
  // A GeoPoint is the image of bytes 24..55 of a waypoint record.
  EXPECT_EQ(sizeof(GeoPoint), 32u);
  EXPECT_EQ(offsetof(GeoPoint, lat), 0u);
  EXPECT_EQ(offsetof(GeoPoint, lon), 8u);
  EXPECT_EQ(offsetof(GeoPoint, height), 16u);
  EXPECT_EQ(offsetof(GeoPoint, datum), 24u);
  EXPECT_EQ(sizeof(Datum), 12 * sizeof(double));
  EXPECT_EQ(offsetof(Datum, scale_ppm), 11 * sizeof(double));
}

TEST(DatumTableTest, OutOfRangeIndicesFallBackToDifferentRows) {
  EXPECT_STREQ(DatumName(124), "Zanderij");
  EXPECT_EQ(DatumRow(124).dx, -265.0);
  for (std::uint16_t index : {125, 200, 65535}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(DatumRowIndex(index), 2);
    EXPECT_EQ(&DatumRow(index), &DatumRow(2));  // "ED-50A" for parameters
    EXPECT_STREQ(DatumName(index), "WGS-84");   // but "WGS-84" for names
  }
  const Datum& ed50a = DatumRow(65535);
  EXPECT_EQ(ed50a.a, 6378388.0);
  EXPECT_EQ(ed50a.inv_f, 297.0);
  EXPECT_EQ(ed50a.dx, -87.0);
  EXPECT_EQ(ed50a.dy, -96.0);
  EXPECT_EQ(ed50a.dz, -120.0);
  for (std::uint16_t index = 0; index < kDatumCount; ++index) {
    EXPECT_EQ(DatumRowIndex(index), index);
  }
}

TEST(DatumTableTest, NamesAreDistinctAndInOrder) {
  std::set<std::string> names;
  for (std::uint16_t index = 0; index < kDatumCount; ++index) {
    ASSERT_NE(DatumName(index), nullptr);
    EXPECT_GT(std::strlen(DatumName(index)), 0u);
    names.insert(DatumName(index));
  }
  EXPECT_EQ(names.size(), kDatumCount);
  EXPECT_STREQ(DatumName(0), "WGS-84");
  EXPECT_STREQ(DatumName(1), "ED-50 MEAN");
  EXPECT_STREQ(DatumName(90), "Ordnance_Survey_of_Great_Britain_'36");
  EXPECT_STREQ(DatumName(122), "WGS-72");
}

// Counts over the whole table catch a mistyped axis, flattening or shift.
TEST(DatumTableTest, EllipsoidAndShiftCensus) {
  std::set<std::pair<double, double>> ellipsoids;
  int international = 0;
  int clarke1866 = 0;
  std::set<int> unshifted;
  double sumShift = 0.0;
  for (std::uint16_t index = 0; index < kDatumCount; ++index) {
    const Datum& row = DatumRow(index);
    ellipsoids.insert({row.a, row.inv_f});
    international += row.a == 6378388.0 && row.inv_f == 297.0;
    clarke1866 += row.a == 6378206.4 && row.inv_f == 294.9786982;
    if (row.dx == 0.0 && row.dy == 0.0 && row.dz == 0.0) {
      unshifted.insert(index);
    }
    sumShift += row.dx + row.dy + row.dz;
    EXPECT_EQ(row.rx, 0.0);
    EXPECT_EQ(row.ry, 0.0);
    EXPECT_EQ(row.rz, 0.0);
    EXPECT_EQ(row.scale_ppm, 0.0);
  }
  EXPECT_EQ(ellipsoids.size(), 18u);
  EXPECT_EQ(international, 56);
  EXPECT_EQ(clarke1866, 22);
  EXPECT_EQ(unshifted, (std::set<int>{0, 3, 47, 51, 78, 81, 109}));
  EXPECT_EQ(sumShift, 433.0);  // sum of dx + dy + dz over the published table

  EXPECT_EQ(DatumRow(122).dx, 0.0);
  EXPECT_EQ(DatumRow(122).dz, 5.0);  // WGS-72 shifts along z only
  EXPECT_EQ(std::memcmp(&DatumRow(35), &DatumRow(36), sizeof(Datum)), 0);
  EXPECT_EQ(DatumRow(1).a, DatumRow(2).a);
  EXPECT_EQ(DatumRow(1).dy, -98.0);
  EXPECT_EQ(DatumRow(2).dy, -96.0);
}

// The derived fields agree with the defining a and 1/f through other
// identities, and with published values for two ellipsoids.
TEST(DatumTableTest, DerivedEllipsoidFields) {
  for (std::uint16_t index = 0; index < kDatumCount; ++index) {
    SCOPED_TRACE(index);
    const Datum& row = DatumRow(index);
    const double ratio = row.b / row.a;
    EXPECT_NEAR(1.0 / (1.0 - ratio), row.inv_f, 1e-9);
    EXPECT_NEAR(row.e2, 1.0 - ratio * ratio, 1e-15);
    EXPECT_NEAR(row.ep2, (row.a * row.a - row.b * row.b) / (row.b * row.b), 1e-15);
  }
  EXPECT_NEAR(DatumRow(0).b, 6356752.314245, 1e-6);  // WGS-84
  EXPECT_NEAR(DatumRow(0).e2, 0.00669437999014, 1e-14);
  EXPECT_NEAR(DatumRow(82).b, 6356583.8, 0.05);  // Clarke 1866
}

}  // namespace
}  // namespace trelvan
