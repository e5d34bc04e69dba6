// Every core operation ends and answers for any input: NaN, both
// infinities, both zeros, subnormals and values far beyond the earth, alone
// and mixed with ordinary values. NaN may come out; what must hold is what
// each operation promises whatever it is given (integer fields in their
// ranges, statuses, results left untouched on failure, datum indices), and
// ordinary inputs still give finite answers. Under the sanitizer build the
// same runs show any undefined conversion or out-of-range read.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "geodesy/AngleWrap.h"
#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "geodesy/Datum.h"
#include "geodesy/DatumShift.h"
#include "geodesy/Mgrs.h"
#include "geodesy/Rounding.h"
#include "geodesy/Utm.h"
#include "geometry/Linear3.h"
#include "geometry/Polar.h"
#include "geometry/Resection.h"
#include "magnetic/MagneticModel.h"
#include "measures/AngleEntry.h"
#include "measures/DisplaySplit.h"
#include "measures/FieldNumber.h"
#include "tests/properties/PropertyValues.h"

namespace trelvan::properties {
namespace {

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::uint16_t kSomeDatums[] = {0, 17, 124, 125, 65535};
const DateStamp kDate = {0.0, 0, 12, 1, 6, 2004};

// A record filled with a marker, to see whether an operation wrote it.
template <typename T>
T Marked() {
  T t;
  std::memset(static_cast<void*>(&t), 0x5a, sizeof t);
  return t;
}
template <typename T>
bool StillMarked(const T& t) {
  const T marked = Marked<T>();
  return std::memcmp(&t, &marked, sizeof t) == 0;
}

TEST(AnyInput, RoundingAndWrapHelpers) {
  std::vector<double> values = AllValues();
  values.insert(values.end(), {0.5, -0.5, 2147483646.5, 2147483647.5, -2147483648.5, 1e10, -1e10,
                               719.9999999999999, -1e-20});
  for (double v : values) {
    const std::int32_t r = RoundHalfAway(v);
    if (std::isnan(v)) {
      EXPECT_EQ(r, 0);
    }
    if (v >= 2147483647.5) {
      EXPECT_EQ(r, kIntMax) << v;
    }
    if (v <= -2147483648.5) {
      EXPECT_EQ(r, kIntMin) << v;
    }
    if (std::fabs(v) < 1e9) {
      EXPECT_LE(std::fabs(r - v), 0.5) << v;
    }

    for (const double turn : {360.0, kFullTurn}) {
      const double w = turn == 360.0 ? WrapDegrees(v) : WrapRadians(v);
      if (std::isfinite(v)) {
        EXPECT_TRUE(w >= 0.0 && w < turn) << v << " -> " << w;
      } else {
        EXPECT_TRUE(std::isnan(w)) << v;
      }
    }
  }
}

TEST(AnyInput, GeographicOperationsOnEveryMixOfValues) {
  const std::vector<double> values = AllValues();
  for (double lat : values) {
    for (double lon : values) {
      for (double height : values) {
        for (std::uint16_t datum : kSomeDatums) {
          const GeoPoint p = {lat, lon, height, datum};
          const std::uint16_t row = DatumRowIndex(datum);
          const std::string where = std::to_string(lat) + " " + std::to_string(lon) + " " +
                                    std::to_string(height) + " datum " + std::to_string(datum);

          UtmPoint g = Marked<UtmPoint>();
          GeoToUtm(p, g);
          ASSERT_LE(g.zone, 60) << where;
          ASSERT_EQ(g.zone == 0, !std::isfinite(lon * kRadToDeg)) << where;
          ASSERT_TRUE(IsBand(g.band)) << where;
          ASSERT_EQ(g.column, Marked<UtmPoint>().column) << where;
          ASSERT_EQ(g.row, Marked<UtmPoint>().row) << where;
          ASSERT_EQ(g.datum, row) << where;
          ASSERT_EQ(g.form, kUtmForm) << where;
          const GeoPoint back = UtmToGeo(g);
          ASSERT_EQ(back.datum, row) << where;
          ASSERT_TRUE(Same(GridConvergence(p), UtmConvergence(g))) << where;
          const MgrsText reference = MgrsOf(p);
          ASSERT_EQ(reference.status == MgrsStatus::kOk, reference.text[0] != '\0') << where;

          const EcefPoint e = GeodeticToEcef(p);
          ASSERT_EQ(e.datum, row) << where;
          ASSERT_EQ(EcefToGeodetic(e).datum, row) << where;
          ASSERT_EQ(DatumToWgs84(e).datum, 0) << where;
          ASSERT_EQ(DatumFromWgs84(datum, e).datum, datum) << where;

          const GeoPoint same = ConvertDatum(datum, p);
          ASSERT_EQ(std::memcmp(&same, &p, sizeof p), 0) << where;
          const GeoPoint other = ConvertDatum(1, p);
          ASSERT_EQ(other.datum, datum == 1 ? 1 : DatumRowIndex(1)) << where;

          const double variance = MagneticVariance(kDate, p);
          Matrix3 frame;
          LocalFrame(p, frame);

          if (Ordinary(p)) {
            ASSERT_TRUE(std::isfinite(g.easting) && std::isfinite(g.northing)) << where;
            ASSERT_TRUE(Finite(back)) << where;
            ASSERT_TRUE(std::isfinite(GridConvergence(p))) << where;
            ASSERT_TRUE(Finite(EcefToGeodetic(e))) << where;
            ASSERT_TRUE(Finite(other)) << where;
            ASSERT_TRUE(std::isfinite(variance)) << where;
            for (double m : frame.m) ASSERT_TRUE(std::fabs(m) <= 1.0) << where;
          }
        }
      }
    }
  }
}

TEST(AnyInput, GridPositionsBackToGeographic) {
  std::vector<double> values = AllValues();
  values.insert(values.end(), {500000.0, 5709698.9});
  const std::uint16_t zones[] = {0, 1, 31, 60, 61, 65535};
  const signed char bands[] = {'C', 'M', 'N', 'X', 'I', 0, -128, 127};
  for (double easting : values) {
    for (double northing : values) {
      for (std::uint16_t zone : zones) {
        for (signed char band : bands) {
          for (std::uint16_t datum : kSomeDatums) {
            const UtmPoint g = {easting, northing, 45.0, zone, band, 0, 0, datum, kUtmForm};
            const GeoPoint p = UtmToGeo(g);
            ASSERT_EQ(p.datum, DatumRowIndex(datum));
            const double gamma = UtmConvergence(g);
            char text[kMgrsTextSize];
            const MgrsStatus status = UtmToMgrs(g, 5, MgrsStyle::kCompact, text, sizeof text);
            ASSERT_EQ(status == MgrsStatus::kOk, text[0] != '\0');
            const bool plain = std::fabs(easting - 500000.0) < 4e5 && northing >= 0.0 &&
                               northing < 9.3e6 && zone >= 1 && zone <= 60;
            if (plain) {
              ASSERT_TRUE(Finite(p)) << easting << " " << northing << " zone " << zone;
              ASSERT_TRUE(std::isfinite(gamma)) << easting << " " << northing << " zone " << zone;
            }
          }
        }
      }
    }
  }
}

TEST(AnyInput, FootpointLatitudeStopsOnAnyNorthingAndEllipsoid) {
  std::vector<MeridianArc> arcs;
  for (std::uint16_t i = 0; i < kDatumCount; ++i) {
    arcs.push_back(MeridianArcCoefficients(DatumRow(i).a, DatumRow(i).inv_f));
  }
  for (double a : AllValues()) {
    for (double inv_f : AllValues()) arcs.push_back(MeridianArcCoefficients(a, inv_f));
  }
  for (std::size_t k = 0; k < arcs.size(); ++k) {
    for (double northing : AllValues()) {
      const double phi = FootpointLatitude(northing, arcs[k]);
      if (!std::isfinite(northing)) {
        ASSERT_TRUE(std::isnan(phi)) << northing;
      }
      if (k < kDatumCount && std::isfinite(northing) && std::fabs(northing) < 1e7) {
        ASSERT_TRUE(std::fabs(phi) < 1.6) << "row " << k << " northing " << northing;
      }
    }
  }
}

TEST(AnyInput, PolarSolutions) {
  const std::vector<double> values = AllValues();
  std::vector<GeoPoint> stations = {{0.7, -1.2, 250.0, 0}, {0.7, -1.2, 250.0, 65535}};
  for (double v : kOddValues) {
    stations.push_back({v, -1.2, 250.0, 3});
    stations.push_back({0.7, v, 250.0, 3});
    stations.push_back({0.7, -1.2, v, 3});
  }
  for (const GeoPoint& station : stations) {
    const bool plainStation = Ordinary(station);
    for (double range : values) {
      for (double azimuth : values) {
        for (double elevation : values) {
          const PolarVector v = {range, azimuth, elevation};
          const bool plainVector = std::isfinite(range) && std::fabs(range) < 1e6 &&
                                   std::isfinite(azimuth) && std::isfinite(elevation) &&
                                   std::fabs(azimuth) < 1e3 && std::fabs(elevation) < 1e3;
          const GeoPoint target = ForwardPolar(v, station);
          ASSERT_EQ(target.datum, DatumRowIndex(station.datum));
          const PolarVector inverse = InversePolar(station, target);
          ASSERT_TRUE(std::isnan(inverse.azimuth) ||
                      (inverse.azimuth >= 0.0 && inverse.azimuth < kFullTurn));
          // The back solution is the costly one; the plain station is
          // enough to reach all of its branches.
          if (&station == &stations[0] || !plainVector) {
            ASSERT_EQ(BackPolar(v, station).datum, DatumRowIndex(station.datum));
          }
          if (plainStation && plainVector) {
            ASSERT_TRUE(Finite(target)) << range << " " << azimuth << " " << elevation;
            ASSERT_TRUE(std::isfinite(inverse.range) && std::isfinite(inverse.elevation));
            ASSERT_NEAR(inverse.range, std::fabs(range), 1e-6 * (1.0 + std::fabs(range)));
          }
        }
      }
    }
    const PolarVector none = InversePolar(station, station);
    if (Finite(station)) {
      EXPECT_EQ(none.range, 0.0);
      EXPECT_EQ(none.azimuth, 0.0);
      EXPECT_EQ(none.elevation, 0.0);
    }
  }
}

TEST(AnyInput, ResectionAnswersOrSaysNoSolution) {
  // A solvable setup (the calculator's example), then each input in turn
  // replaced by every value, on several datum pairs.
  struct Setup {
    double in[13];
  };
  const Setup solvable = {{1.3962634015954638, 3000, 0.02617993877991495, 4000,
                           -0.00872664625997165, 0.71599313209787241, 0.50645664289181946,
                           179.23688631970435, 0.71536984417598326, 0.50692503244044052,
                           66.346789435483515}};
  const std::uint16_t datumPairs[][2] = {{0, 0}, {0, 1}, {124, 125}, {65535, 65535}};
  for (int k = -1; k < 11; ++k) {
    for (double v : AllValues()) {
      Setup s = solvable;
      if (k >= 0) s.in[k] = v;
      for (const auto& datums : datumPairs) {
        const PolarVector m1 = {s.in[1], 0.0, s.in[2]};
        const PolarVector m2 = {s.in[3], 0.0, s.in[4]};
        const GeoPoint w1 = {s.in[5], s.in[6], s.in[7], datums[0]};
        const GeoPoint w2 = {s.in[8], s.in[9], s.in[10], datums[1]};
        GeoPoint station = Marked<GeoPoint>();
        const SolveStatus status = SolveResection(s.in[0], m1, m2, w1, w2, station);
        ASSERT_TRUE(status == SolveStatus::kSolved || status == SolveStatus::kNoSolution) << k << " " << v;
        if (status == SolveStatus::kNoSolution) {
          ASSERT_TRUE(StillMarked(station)) << k << " " << v;
        } else {
          ASSERT_EQ(station.datum, w1.datum);
        }
        if (k < 0) {
          ASSERT_EQ(status, SolveStatus::kSolved);
          ASSERT_TRUE(Finite(station));
        }
        Matrix3 m = Marked<Matrix3>();
        Vector3 d = Marked<Vector3>();
        const SolveStatus frameStatus = RelativeFrame(w1, w2, m, d);
        ASSERT_TRUE(frameStatus == SolveStatus::kSolved || frameStatus == SolveStatus::kSingular);
        if (frameStatus == SolveStatus::kSingular) {
          ASSERT_TRUE(StillMarked(m) && StillMarked(d));
        }
      }
    }
  }
}

TEST(AnyInput, MatrixHelpers) {
  const std::vector<double> values = AllValues();
  std::vector<Matrix3> matrices;
  for (double v : values) {
    Matrix3 all;
    for (double& m : all.m) m = v;
    matrices.push_back(all);
    for (int k = 0; k < 9; ++k) {
      Matrix3 one = {{1, 0, 0, 0, 1, 0, 0, 0, 1}};
      one.m[k] = v;
      matrices.push_back(one);
    }
  }
  for (const Matrix3& a : matrices) {
    Matrix3 inverse = Marked<Matrix3>();
    const SolveStatus status = InvertMatrix3(a, inverse);
    ASSERT_TRUE(status == SolveStatus::kSolved || status == SolveStatus::kSingular);
    if (status == SolveStatus::kSingular) {
      ASSERT_TRUE(StillMarked(inverse));
    }
    for (double v : values) {
      const Vector3 b = {v, 1.0, -v};
      Vector3 x = Marked<Vector3>();
      const SolveStatus solved = SolveLinear3(a, b, x);
      ASSERT_EQ(solved, status);
      if (solved == SolveStatus::kSingular) {
        ASSERT_TRUE(StillMarked(x));
      }
      Vector3 out;
      TransformVector3(a, b, out);
      const double length = VectorLength(b);
      ASSERT_TRUE(std::isnan(length) || length >= 0.0);
    }
    for (const Matrix3& b : matrices) {
      Matrix3 product;
      MultiplyMatrix3(a, b, product);
    }
  }
  for (double a1 : values) {
    for (double a2 : values) {
      for (double a3 : values) {
        Matrix3 r;
        RotationMatrix3(a1, a2, a3, r);
        const bool finite = std::isfinite(a1) && std::isfinite(a2) && std::isfinite(a3);
        for (double m : r.m) ASSERT_TRUE(finite ? std::fabs(m) <= 1.0 : true);
      }
    }
  }
}

TEST(AnyInput, MagneticModelOnOddDatesAndPositions) {
  const std::int16_t parts[] = {-32768, -1, 0, 1, 2, 12, 13, 28, 29, 31, 32, 1900, 2004, 32767};
  const GeoPoint positions[] = {{0.7, -1.2, 250.0, 0},
                                {kNaN, 0.0, 0.0, 0},
                                {1.5707963267948966, kInf, 0.0, 0},
                                {-0.0, 4.9e-324, 1e300, 9},
                                {-1.5707963267948966, 0.1, -1e300, 65535}};
  for (std::int16_t day : parts) {
    for (std::int16_t month : parts) {
      for (std::int16_t year : parts) {
        const DateStamp date = {0.0, 0, 0, day, month, year};
        for (const GeoPoint& p : positions) {
          const double variance = MagneticVariance(date, p);
          if (month < 1 || month > 12) {
            ASSERT_TRUE(std::isnan(variance)) << month;
          }
          if (month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
              (year == 1900 || year == 2004) && Ordinary(p)) {
            ASSERT_TRUE(std::isfinite(variance)) << year << "-" << month << "-" << day;
            ASSERT_LE(std::fabs(variance), 180.0);
          }
        }
      }
    }
  }

  const std::vector<double> values = AllValues();
  for (double v : values) {
    const double d = SignedDegrees(v);
    ASSERT_TRUE(std::isfinite(v) ? std::fabs(d) <= 180.0 : std::isnan(d)) << v;
    float gh[kFieldCoefficientCount];
    AdjustCoefficients(v, gh);
  }
  float gh[kFieldCoefficientCount];
  AdjustCoefficients(4.4, gh);
  for (double a : values) {
    for (double b : values) {
      for (double c : values) {
        const MagneticField field = FieldSynthesis(a, b, c, gh);
        const double declination = DeclinationFromField(a, b, c);
        ASSERT_TRUE(std::isnan(declination) || std::isfinite(declination));
        if (std::fabs(a) <= 90.0 && std::fabs(b) <= 360.0 && std::fabs(c) <= 100.0) {
          ASSERT_TRUE(std::isfinite(field.x) && std::isfinite(field.y) && std::isfinite(field.z))
              << a << " " << b << " " << c;
        }
      }
    }
  }
}

TEST(AnyInput, AngleEntryAndReferences) {
  const std::int32_t wholes[] = {kIntMin, -1, 0, 1, 359, 360, 6399, 6400, kIntMax};
  for (std::int32_t whole : wholes) {
    for (std::int32_t hundredths : wholes) {
      EXPECT_TRUE(std::isfinite(EntryValue(whole, hundredths)));
    }
    for (std::int32_t unit : wholes) {
      AzimuthWholeRejected(whole, unit);
      ElevationWholeRejected(whole, unit);
    }
  }
  for (std::string_view caption : {kTrueNorth, kGridNorth, kMagneticNorth, std::string_view()}) {
    for (double a : AllValues()) {
      for (double b : AllValues()) {
        const double t = ReferToTrue(caption, a, b, -b);
        const double f = ReferFromTrue(caption, a, b, -b);
        if (caption != kTrueNorth && std::isfinite(a) && std::isfinite(b)) {
          EXPECT_TRUE(std::isnan(t) || (t >= 0.0 && t < kFullTurn)) << caption << a << " " << b;
          EXPECT_TRUE(std::isnan(f) || (f >= 0.0 && f < kFullTurn)) << caption << a << " " << b;
        }
      }
    }
  }
}

TEST(AnyInput, DisplaySplitsSaturateAndNaNGivesZero) {
  std::vector<double> values = AllValues();
  values.insert(values.end(), {32767.996, 32768.0, 2147483647.996, 4294967295.96, 4294967296.0,
                               1e10, -32769.0, 6.283185307179586});
  for (double v : values) {
    const DmsParts dms = SplitDms(v);
    const DecimetreParts dm = SplitDecimetres(v);
    const HundredthParts h16 = SplitHundredths(v);
    const HundredthParts h32 = SplitHundredths32(v);
    if (std::isnan(v)) {
      EXPECT_TRUE(dms.deg == 0 && dms.min == 0 && dms.sec == 0 && dms.hun == 0);
      EXPECT_TRUE(dm.whole == 0 && dm.dm == 0);
      EXPECT_TRUE(h16.whole == 0 && h16.hun == 0);
      EXPECT_TRUE(h32.whole == 0 && h32.hun == 0);
    }
    if (v >= 32768.0) {
      // Saturated at 32767, plus the carry of hundredths that round up.
      EXPECT_TRUE(h16.whole == 32767 || h16.whole == 32768) << v;
    }
    if (v <= -32769.0) {
      EXPECT_EQ(h16.whole, -32768) << v;
    }
    if (v >= 2147483648.0) {
      EXPECT_EQ(h32.whole, kIntMax) << v;
    }
    if (v <= -2147483649.0) {
      EXPECT_EQ(h32.whole, kIntMin) << v;
    }
    if (v >= 4294967296.0) {
      EXPECT_EQ(dm.whole, 4294967295u) << v;
    }
    if (v <= -1.0) {
      EXPECT_EQ(dm.whole, 0u) << v;
    }
    if (v >= 0.0 && v < 32767.0) {
      EXPECT_TRUE(h16.hun >= 0 && h16.hun <= 99) << v;
      EXPECT_TRUE(h32.hun >= 0 && h32.hun <= 99) << v;
    }
    if (v >= 0.0 && v <= kFullTurn) {
      EXPECT_TRUE(dms.deg >= 0 && dms.deg <= 360 && dms.min >= 0 && dms.min < 60 && dms.sec >= 0 &&
                  dms.sec < 60 && dms.hun >= 0 && dms.hun < 100)
          << v;
    }
  }
}

TEST(AnyInput, FieldNumbersSaturateAndStopAtTheFirstOtherCharacter) {
  const struct {
    std::string_view text;
    std::int32_t value;
  } cases[] = {
      {"", 0},
      {"-", 0},
      {"+", 0},
      {"+-1", 0},
      {" \t\n\v\f\r-12", -12},
      {std::string_view("7\0"
                        "9",
                        3),
       7},
      {"\xff"
       "5",
       0},
      {"5\xff"
       "5",
       5},
      {"2147483647", kIntMax},
      {"2147483648", kIntMax},
      {"-2147483648", kIntMin},
      {"-2147483649", kIntMin},
      {"000000000000000000000000000042", 42},
      {"99999999999999999999999999999999999999999", kIntMax},
      {"-99999999999999999999999999999999999999999", kIntMin},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadFieldNumber(c.text), c.value) << c.text;
  }
  // A field as long as any paste.
  EXPECT_EQ(ReadFieldNumber(std::string(1 << 20, '9')), kIntMax);
  EXPECT_EQ(ReadFieldNumber(std::string(1 << 20, ' ')), 0);
}

}  // namespace
}  // namespace trelvan::properties
