// Every datum index a record can hold, 0..65535, through every operation
// that reads the datum table. Indices beyond the table read row 2, so their
// answers must be those of index 2 to the last bit; every index gives
// finite answers for an ordinary position and sound round trips, and a
// position that is not a number still ends every operation.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "geodesy/Convergence.h"
#include "geodesy/Datum.h"
#include "geodesy/DatumShift.h"
#include "geodesy/Utm.h"
#include "geometry/Linear3.h"
#include "geometry/Polar.h"
#include "geometry/Resection.h"
#include "magnetic/MagneticModel.h"
#include "tests/properties/PropertyValues.h"

namespace trelvan::properties {
namespace {

constexpr std::uint16_t kFallBackRow = 2;
const DateStamp kDate = {0.0, 0, 12, 1, 6, 2004};
const PolarVector kVector = {1500.0, 0.9, 0.02};

// Every double the operations answer for one position, in a fixed order,
// and every datum index they write.
struct Answers {
  std::vector<double> values;
  std::vector<std::uint16_t> datums;
  SolveStatus resection = SolveStatus::kNoSolution;

  void Add(const GeoPoint& p) {
    values.insert(values.end(), {p.lat, p.lon, p.height});
    datums.push_back(p.datum);
  }
  void Add(const EcefPoint& q) {
    values.insert(values.end(), {q.x, q.y, q.z});
    datums.push_back(q.datum);
  }
  void Add(const PolarVector& v) { values.insert(values.end(), {v.range, v.azimuth, v.elevation}); }
};

// Runs every operation that reads the datum table on `p` (whose datum is
// the index under test) and checks what holds for any position.
Answers AnswersAt(const GeoPoint& p) {
  Answers a;
  UtmPoint g{};
  GeoToUtm(p, g);
  a.values.insert(a.values.end(), {g.easting, g.northing, g.height});
  a.datums.push_back(g.datum);
  a.values.push_back(static_cast<double>(g.zone) * 256.0 + g.band);
  a.Add(UtmToGeo(g));
  a.values.push_back(UtmConvergence(g));
  a.values.push_back(GridConvergence(p));

  const EcefPoint e = GeodeticToEcef(p);
  a.Add(e);
  a.Add(EcefToGeodetic(e));
  const EcefPoint w = DatumToWgs84(e);
  a.Add(w);
  a.Add(DatumFromWgs84(p.datum, w));
  a.Add(ConvertDatum(0, p));
  a.Add(ConvertDatum(p.datum, GeoPoint{p.lat, p.lon, p.height, 0}));
  a.values.push_back(MagneticVariance(kDate, p));

  Matrix3 frame;
  LocalFrame(p, frame);
  a.values.insert(a.values.end(), std::begin(frame.m), std::end(frame.m));
  const GeoPoint target = ForwardPolar(kVector, p);
  a.Add(target);
  // Measured back to the target given on the station's own index: an index
  // beyond the table and index 2 read one row, but as different indices they
  // would send the target through a datum shift and back.
  GeoPoint targetOnIndex = target;
  targetOnIndex.datum = p.datum;
  a.Add(InversePolar(p, targetOnIndex));
  a.Add(BackPolar(kVector, target));

  // The station p seen from two waypoints 3 and 4 km away, 80 degrees apart.
  const PolarVector to1 = {3000.0, 0.3, 0.02};
  const PolarVector to2 = {4000.0, 0.3 + 1.3962634015954638, -0.01};
  const GeoPoint w1 = ForwardPolar(to1, p);
  const GeoPoint w2 = ForwardPolar(to2, p);
  GeoPoint station{};
  a.resection = SolveResection(1.3962634015954638, to1, to2, w1, w2, station);
  a.Add(station);
  return a;
}

bool SameValues(const Answers& x, const Answers& y) {
  if (x.values.size() != y.values.size() || x.resection != y.resection) return false;
  for (std::size_t k = 0; k < x.values.size(); ++k) {
    if (!Same(x.values[k], y.values[k])) return false;
  }
  return true;
}

// What every index must give for the ordinary position p.
void CheckOrdinary(const GeoPoint& p, const Answers& a) {
  const int i = p.datum;
  for (double v : a.values) ASSERT_TRUE(std::isfinite(v)) << "datum " << i;
  ASSERT_EQ(a.resection, SolveStatus::kSolved) << "datum " << i;

  UtmPoint g{};
  GeoToUtm(p, g);
  const GeoPoint back = UtmToGeo(g);
  ASSERT_NEAR(back.lat, p.lat, 1e-9) << "datum " << i;
  ASSERT_NEAR(back.lon, p.lon, 1e-9) << "datum " << i;

  const GeoPoint shifted = ConvertDatum(0, p);
  const GeoPoint home = ConvertDatum(p.datum, shifted);
  ASSERT_NEAR(home.lat, p.lat, 1e-9) << "datum " << i;
  ASSERT_NEAR(home.lon, p.lon, 1e-9) << "datum " << i;
  ASSERT_NEAR(home.height, p.height, 1e-3) << "datum " << i;

  const PolarVector v = InversePolar(p, ForwardPolar(kVector, p));
  ASSERT_NEAR(v.range, kVector.range, 1e-6) << "datum " << i;
  ASSERT_NEAR(v.azimuth, kVector.azimuth, 1e-9) << "datum " << i;
  ASSERT_NEAR(v.elevation, kVector.elevation, 1e-9) << "datum " << i;
}

// The datum fields the answers carry: the replaced index everywhere, except
// the shift to WGS-84 (0), the shift back (the target as given) and the
// result of the resection (the first waypoint's, which is the replaced one).
void CheckDatums(std::uint16_t i, const Answers& a) {
  const std::uint16_t row = DatumRowIndex(i);
  ASSERT_EQ(row, i < kDatumCount ? i : kFallBackRow);
  const std::vector<std::uint16_t> expected = {row, row, row, row, 0, i, 0, row, row, row};
  if (a.resection == SolveStatus::kSolved) {
    std::vector<std::uint16_t> withStation = expected;
    withStation.push_back(row);
    ASSERT_EQ(a.datums, withStation) << "datum " << i;
  } else {
    ASSERT_EQ(std::vector<std::uint16_t>(a.datums.begin(), a.datums.end() - 1), expected)
        << "datum " << i;
  }
}

TEST(EveryDatumIndex, OrdinaryPositionGivesFiniteSoundAnswers) {
  const GeoPoint base = {0.7, -1.2, 250.0, 0};
  const Answers fallBack = AnswersAt(GeoPoint{base.lat, base.lon, base.height, kFallBackRow});
  for (int i = 0; i <= 65535; ++i) {
    const GeoPoint p = {base.lat, base.lon, base.height, static_cast<std::uint16_t>(i)};
    const Answers a = AnswersAt(p);
    ASSERT_NO_FATAL_FAILURE(CheckDatums(p.datum, a));
    if (i < kDatumCount) {
      ASSERT_NO_FATAL_FAILURE(CheckOrdinary(p, a));
    } else {
      ASSERT_TRUE(SameValues(a, fallBack)) << "datum " << i << " differs from row 2";
    }
  }
}

TEST(EveryDatumIndex, OddPositionsEndEveryOperation) {
  const GeoPoint odd[] = {
      {kNaN, -1.2, 250.0, 0}, {0.7, kInf, -0.0, 0}, {-kInf, 4.9e-324, 1e300, 0}};
  for (const GeoPoint& base : odd) {
    const Answers fallBack = AnswersAt(GeoPoint{base.lat, base.lon, base.height, kFallBackRow});
    for (int i = 0; i <= 65535; ++i) {
      const GeoPoint p = {base.lat, base.lon, base.height, static_cast<std::uint16_t>(i)};
      const Answers a = AnswersAt(p);
      ASSERT_TRUE(a.resection == SolveStatus::kSolved || a.resection == SolveStatus::kNoSolution);
      if (i >= kDatumCount) {
        ASSERT_TRUE(SameValues(a, fallBack)) << "datum " << i;
      }
    }
  }
}

}  // namespace
}  // namespace trelvan::properties
