// The time adjustment of the coefficients, the field synthesis and the whole
// declination at a position and date.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/AngleWrap.h"
#include "magnetic/Coefficients.h"
#include "magnetic/MagneticModel.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

using test::PointDeg;

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kPi = 3.141592653589793;

DateStamp Date(int year, int month, int day) {
  return DateStamp{30.5,
                   15,
                   12,
                   static_cast<std::int16_t>(day),
                   static_cast<std::int16_t>(month),
                   static_cast<std::int16_t>(year)};
}

double Intensity(const MagneticField& f) { return std::sqrt(f.x * f.x + f.y * f.y + f.z * f.z); }

// Half a unit in the last place of a float of this size: the rounding that
// storing a coefficient in single precision may add.
double HalfFloatUlp(double value) { return std::ldexp(std::fabs(value), -24) + 1e-30; }

// Independent double-precision synthesis in the textbook form: Schmidt
// semi-normalised Legendre functions from the unnormalised recursion, summed
// per term, with the same geocentric conversion and constants as the model.
// Away from the poles it must agree with the model to single precision.
MagneticField DoubleSynthesis(double latitude, double longitude, double height,
                              const double gh[kFieldCoefficientCount]) {
  const double k = 0.01745329;
  const double a2 = 40680925.0;
  const double b2 = 40408588.0;
  const double geodeticSin = std::sin(latitude * k);
  const double geodeticCos = std::cos(latitude * k);
  const double rho2 = a2 * geodeticCos * geodeticCos + b2 * geodeticSin * geodeticSin;
  const double rho = std::sqrt(rho2);
  const double r =
      std::sqrt((b2 * b2 * geodeticSin * geodeticSin + a2 * a2 * geodeticCos * geodeticCos) / rho2 +
                (2.0 * rho + height) * height);
  const double cd = (rho + height) / r;
  const double sd = (a2 - b2) * geodeticCos * geodeticSin / (rho * r);
  const double ct = geodeticSin * cd - geodeticCos * sd;  // cosine of the colatitude
  const double st = geodeticCos * cd + geodeticSin * sd;  // sine of the colatitude

  double p[11][11] = {};
  p[0][0] = 1.0;
  for (int m = 1; m <= 10; ++m) p[m][m] = p[m - 1][m - 1] * (2 * m - 1) * st;
  for (int m = 0; m < 10; ++m) p[m + 1][m] = ct * (2 * m + 1) * p[m][m];
  for (int m = 0; m <= 10; ++m) {
    for (int n = m + 2; n <= 10; ++n) {
      p[n][m] = ((2 * n - 1) * ct * p[n - 1][m] - (n + m - 1) * p[n - 2][m]) / (n - m);
    }
  }

  double north = 0.0;
  double east = 0.0;
  double down = 0.0;
  int l = 1;
  for (int n = 1; n <= 10; ++n) {
    const double radial = std::pow(6371.2 / r, n + 2);
    for (int m = 0; m <= n; ++m) {
      double factorialRatio = 1.0;  // (n-m)!/(n+m)!
      for (int i = n - m + 1; i <= n + m; ++i) factorialRatio /= i;
      const double schmidt = std::sqrt((m == 0 ? 1.0 : 2.0) * factorialRatio);
      const double pnm = schmidt * p[n][m];
      const double dpnm = schmidt * (n * ct * p[n][m] - (n + m) * (m < n ? p[n - 1][m] : 0.0)) / st;
      const double g = gh[l];
      const double h = m == 0 ? 0.0 : gh[l + 1];
      const double cosm = std::cos(m * longitude * k);
      const double sinm = std::sin(m * longitude * k);
      north += radial * (g * cosm + h * sinm) * dpnm;
      east += radial * m * (g * sinm - h * cosm) * pnm / st;
      down -= radial * (n + 1) * (g * cosm + h * sinm) * pnm;
      l += m == 0 ? 1 : 2;
    }
  }
  return MagneticField{north * cd + down * sd, east, down * cd - north * sd};
}

TEST(AdjustCoefficients, OneDayAfterTheEpochAddsOneDayOfSecularVariation) {
  const double dt = DecimalYear(1, 1, 2000) - 2000.0;
  ASSERT_NEAR(dt, 1.0 / 365.0, 1e-12);
  float gh[kFieldCoefficientCount];
  AdjustCoefficients(dt, gh);
  for (int i = 1; i < kSecularVariationCount; ++i) {
    const double expected = kMainFieldCoefficients[i] + kSecularVariationCoefficients[i] / 365.0;
    EXPECT_NEAR(gh[i], expected, HalfFloatUlp(expected)) << "index " << i;
  }
}

TEST(AdjustCoefficients, VariationIsLinearInTimeForDegreesOneToEight) {
  for (double dt : {-50.0, -0.5, 0.0, 5.0, 26.0, 300.0}) {
    SCOPED_TRACE(dt);
    float gh[kFieldCoefficientCount];
    AdjustCoefficients(dt, gh);
    for (int i = 1; i < kSecularVariationCount; ++i) {
      const double expected = kMainFieldCoefficients[i] + kSecularVariationCoefficients[i] * dt;
      EXPECT_NEAR(gh[i], expected, HalfFloatUlp(expected) + 1e-9 * std::fabs(expected))
          << "index " << i;
    }
  }
}

TEST(AdjustCoefficients, DegreesNineAndTenNeverChange) {
  for (double dt : {-1000.0, -1.0 / 365.0, 0.0, 26.0, 1.0e6}) {
    float gh[kFieldCoefficientCount];
    AdjustCoefficients(dt, gh);
    for (int i = kSecularVariationCount; i < kFieldCoefficientCount; ++i) {
      EXPECT_EQ(gh[i], kMainFieldCoefficients[i]) << "dt " << dt << " index " << i;
    }
  }
}

TEST(CoefficientTables, DipoleTermsSitWhereTheirDegreeSays) {
  // g(n,0) lies at index n*n; g(1,0) is the axial dipole, the largest term.
  EXPECT_EQ(kMainFieldCoefficients[0], 0.0);
  EXPECT_EQ(kSecularVariationCoefficients[0], 0.0);
  EXPECT_EQ(kMainFieldCoefficients[1 * 1], -29615.0);
  EXPECT_EQ(kMainFieldCoefficients[8 * 8], 25.0);
  EXPECT_EQ(kMainFieldCoefficients[10 * 10], -2.0);
  EXPECT_EQ(kMainFieldCoefficients[120], -8.0);       // h(10,10)
  EXPECT_EQ(kSecularVariationCoefficients[80], 0.7);  // h(8,8) rate
}

TEST(FieldSynthesis, AgreesWithADoubleEvaluationToSinglePrecisionOnly) {
  // Same float-rounded coefficients in both: what remains is the single
  // precision of the Legendre values. A double evaluation agrees to about
  // seven digits but not to the last bit, far beyond double rounding.
  float gh[kFieldCoefficientCount];
  AdjustCoefficients(4.5, gh);
  double widened[kFieldCoefficientCount];
  for (int i = 0; i < kFieldCoefficientCount; ++i) widened[i] = gh[i];

  double largestRelative = 0.0;
  for (double latitude : {-75.3, -33.87, -0.4, 12.9, 40.0, 51.5, 81.2}) {
    for (double longitude : {-151.0, -105.27, -0.13, 19.2, 151.2, 179.0}) {
      for (double height : {0.0, 3.2, 400.0}) {
        const MagneticField model = FieldSynthesis(latitude, longitude, height, gh);
        const MagneticField exact = DoubleSynthesis(latitude, longitude, height, widened);
        const double scale = Intensity(exact);
        const double relative =
            std::fmax(std::fabs(model.x - exact.x),
                      std::fmax(std::fabs(model.y - exact.y), std::fabs(model.z - exact.z))) /
            scale;
        EXPECT_LT(relative, 1e-6) << latitude << " " << longitude << " " << height;
        largestRelative = std::fmax(largestRelative, relative);
      }
    }
  }
  EXPECT_GT(largestRelative, 1e-10);
}

TEST(FieldSynthesis, PoleUsesTheGuardedCosine) {
  float gh[kFieldCoefficientCount];
  AdjustCoefficients(2.0, gh);
  for (double longitude : {-180.0, -90.0, 0.0, 45.0, 180.0}) {
    SCOPED_TRACE(longitude);
    for (double pole : {90.0, -90.0}) {
      const MagneticField atPole = FieldSynthesis(pole, longitude, 0.0, gh);
      ASSERT_TRUE(std::isfinite(atPole.x) && std::isfinite(atPole.y) && std::isfinite(atPole.z));
      // Only the sine differs from 89.999 degrees, by about 1.5e-10.
      const MagneticField guarded = FieldSynthesis(std::copysign(89.999, pole), longitude, 0.0, gh);
      EXPECT_NEAR(atPole.x, guarded.x, 1e-3);
      EXPECT_NEAR(atPole.y, guarded.y, 1e-3);
      EXPECT_NEAR(atPole.z, guarded.z, 1e-3);
    }
  }
  EXPECT_TRUE(std::isfinite(MagneticVariance(Date(2004, 6, 1), GeoPoint{kPi / 2.0, 0.3, 0.0, 0})));
  EXPECT_TRUE(std::isfinite(MagneticVariance(Date(2004, 6, 1), GeoPoint{-kPi / 2.0, 0.3, 0.0, 0})));
}

TEST(FieldSynthesis, FieldWeakensWithHeightAsADipole) {
  float gh[kFieldCoefficientCount];
  AdjustCoefficients(3.0, gh);
  const double ground = Intensity(FieldSynthesis(47.0, 8.0, 0.0, gh));
  const double orbit = Intensity(FieldSynthesis(47.0, 8.0, 400.0, gh));
  const double dipoleRatio = std::pow(6367.0 / (6367.0 + 400.0), 3.0);
  EXPECT_NEAR(orbit / ground, dipoleRatio, 0.02);
}

TEST(FieldSynthesis, VerticalComponentPointsDownInTheNorthAndUpInTheSouth) {
  float gh[kFieldCoefficientCount];
  AdjustCoefficients(0.0, gh);
  EXPECT_GT(FieldSynthesis(60.0, 10.0, 0.0, gh).z, 40000.0);
  EXPECT_LT(FieldSynthesis(-60.0, 140.0, 0.0, gh).z, -40000.0);
  EXPECT_GT(FieldSynthesis(0.0, -60.0, 0.0, gh).x, 15000.0);
}

// The declination assembled from the public steps, with the height in km.
double Assembled(const DateStamp& date, double latitude, double longitude, double heightKm) {
  float gh[kFieldCoefficientCount];
  AdjustCoefficients(DecimalYear(date.month, date.day, date.year) - 2000.0, gh);
  const MagneticField f =
      FieldSynthesis(SignedDegrees(latitude), SignedDegrees(longitude), heightKm, gh);
  return DeclinationFromField(f.x, f.y, f.z) * 57.2957795130823;
}

TEST(MagneticVariance, IsTheStepsInTurnWithTheHeightInKilometres) {
  const GeoPoint p = PointDeg(46.2, 7.4, 1000.0);
  for (const DateStamp& date : {Date(2000, 1, 1), Date(2004, 3, 1), Date(2026, 7, 15)}) {
    EXPECT_EQ(MagneticVariance(date, p), Assembled(date, p.lat, p.lon, 1.0));
  }
  // 1000 km up is a different place from 1000 m up.
  EXPECT_NE(MagneticVariance(Date(2004, 3, 1), PointDeg(46.2, 7.4, 1.0e6)),
            MagneticVariance(Date(2004, 3, 1), p));
}

TEST(MagneticVariance, LongitudeOf270DegreesIsMinus90) {
  const DateStamp date = Date(2003, 5, 20);
  const double west = MagneticVariance(date, GeoPoint{0.7, -kPi / 2.0, 0.0, 0});
  const double wrapped = MagneticVariance(date, GeoPoint{0.7, 3.0 * kPi / 2.0, 0.0, 0});
  EXPECT_NEAR(wrapped, west, 1e-9);
}

TEST(MagneticVariance, TimeOfDayHasNoEffect) {
  DateStamp morning = Date(2005, 9, 9);
  DateStamp evening = morning;
  evening.hour = 23;
  evening.minute = 59;
  evening.seconds = 59.99;
  EXPECT_EQ(MagneticVariance(morning, PointDeg(-12.0, 130.0)),
            MagneticVariance(evening, PointDeg(-12.0, 130.0)));
}

TEST(MagneticVariance, MatchesPublishedDeclinationsOfItsEra) {
  // Declinations read from the world magnetic charts of epoch 2000-2005:
  // London about 3 degrees west, Boulder (Colorado) about 10 degrees east,
  // Sydney about 12.5 degrees east. A degree and a half covers chart reading.
  const DateStamp date = Date(2002, 7, 1);
  EXPECT_NEAR(MagneticVariance(date, PointDeg(51.5, -0.13, 20.0)), -3.0, 1.5);
  EXPECT_NEAR(MagneticVariance(date, PointDeg(40.0, -105.27, 1650.0)), 10.0, 1.5);
  EXPECT_NEAR(MagneticVariance(date, PointDeg(-33.87, 151.2, 50.0)), 12.5, 1.5);
}

TEST(MagneticVariance, NonFiniteInputsReturn) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const DateStamp date = Date(2004, 3, 1);
  EXPECT_TRUE(std::isnan(MagneticVariance(date, GeoPoint{0.5, inf, 0.0, 0})));
  EXPECT_TRUE(std::isnan(MagneticVariance(date, GeoPoint{-inf, 0.5, 0.0, 0})));
  EXPECT_TRUE(std::isnan(MagneticVariance(date, GeoPoint{nan, 0.5, 0.0, 0})));
  EXPECT_TRUE(std::isnan(MagneticVariance(date, GeoPoint{0.5, 0.5, inf, 0})));
  // A huge but finite longitude is reduced to some longitude, not looped on.
  EXPECT_TRUE(std::isfinite(MagneticVariance(date, GeoPoint{0.5, 1.0e300, 0.0, 0})));
}

TEST(MagneticVariance, MonthOutsideTheYearIsNotANumber) {
  EXPECT_TRUE(std::isnan(MagneticVariance(Date(2004, 13, 1), PointDeg(10.0, 10.0))));
  EXPECT_TRUE(std::isnan(MagneticVariance(Date(2004, 0, 1), PointDeg(10.0, 10.0))));
}

}  // namespace
}  // namespace trelvan
