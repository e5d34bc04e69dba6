// The IGRF-14 declination: published values of another model of the same
// field, an independent synthesis, continuity in time, and the undefined cases.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "magnetic/Igrf14.h"
#include "magnetic/Igrf14Coefficients.h"

namespace trelvan {
namespace {

constexpr double kPi = 3.141592653589793;

DateStamp Date(int year, int month, int day) {
  return DateStamp{0.0,
                   0,
                   0,
                   static_cast<std::int16_t>(day),
                   static_cast<std::int16_t>(month),
                   static_cast<std::int16_t>(year)};
}

GeoPoint Point(double latitudeDeg, double longitudeDeg, double heightM = 0.0) {
  return GeoPoint{latitudeDeg * kPi / 180.0, longitudeDeg * kPi / 180.0, heightM, 0};
}

// NOAA's test values of the World Magnetic Model 2025 (WMM2025 report):
// decimal year, height km, latitude, longitude, declination in degrees.
struct WmmCase {
  double t, height, lat, lon, declination;
};
// clang-format off
constexpr WmmCase kWmm2025[] = {
    {2025.0,   0.0,  80.0,   0.0,   1.28},
    {2025.0,   0.0,   0.0, 120.0,  -0.16},
    {2025.0,   0.0, -80.0, 240.0,  68.78},
    {2025.0, 100.0,  80.0,   0.0,   0.85},
    {2025.0, 100.0,   0.0, 120.0,  -0.15},
    {2025.0, 100.0, -80.0, 240.0,  68.21},
    {2027.5,   0.0,  80.0,   0.0,   2.59},
    {2027.5,   0.0,   0.0, 120.0,  -0.24},
    {2027.5,   0.0, -80.0, 240.0,  68.49},
    {2027.5, 100.0,  80.0,   0.0,   2.16},
    {2027.5, 100.0,   0.0, 120.0,  -0.23},
    {2027.5, 100.0, -80.0, 240.0,  67.93},
};
// clang-format on

TEST(Igrf14, AgreesWithTheWorldMagneticModelTestValues) {
  for (const WmmCase& c : kWmm2025) {
    EXPECT_NEAR(Igrf14Declination(c.t, c.lat, c.lon, c.height), c.declination, 0.05)
        << c.t << " " << c.height << " km " << c.lat << " " << c.lon;
  }
}

// The field by another road: earth-centred coordinates give the geocentric
// radius and latitude, unnormalised Legendre functions from their textbook
// recursion take Schmidt's factor per term, the time interpolation picks its
// epochs by search. Only the coefficient rows are shared with the model.
MagneticField Reference(double t, double latDeg, double lonDeg, double heightKm) {
  const double a = 6378.137;
  const double e2 = (2.0 - 1.0 / 298.257223563) / 298.257223563;
  const double phi = latDeg * kPi / 180.0;
  const double lambda = lonDeg * kPi / 180.0;
  const double nu = a / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
  const double axial = (nu + heightKm) * std::cos(phi);
  const double polar = (nu * (1.0 - e2) + heightKm) * std::sin(phi);
  const double r = std::hypot(axial, polar);
  const double psi = std::atan2(polar, axial);
  const double ct = std::sin(psi);
  const double st = std::cos(psi);

  int e = 0;
  while (e < kIgrf14EpochCount - 2 && t >= 1905.0 + 5.0 * e) ++e;
  const double f = (t - (1900.0 + 5.0 * e)) / 5.0;

  double p[14][14] = {};
  p[0][0] = 1.0;
  for (int m = 1; m <= 13; ++m) p[m][m] = p[m - 1][m - 1] * (2 * m - 1) * st;
  for (int m = 0; m < 13; ++m) p[m + 1][m] = ct * (2 * m + 1) * p[m][m];
  for (int m = 0; m <= 13; ++m) {
    for (int n = m + 2; n <= 13; ++n) {
      p[n][m] = ((2 * n - 1) * ct * p[n - 1][m] - (n + m - 1) * p[n - 2][m]) / (n - m);
    }
  }
  double bNorth = 0.0;
  double bEast = 0.0;
  double bDown = 0.0;
  int row = 0;
  for (int n = 1; n <= 13; ++n) {
    const double radial = std::pow(6371.2 / r, n + 2);
    for (int m = 0; m <= n; ++m) {
      double ratio = 1.0;  // (n-m)!/(n+m)!
      for (int i = n - m + 1; i <= n + m; ++i) ratio /= i;
      const double schmidt = std::sqrt((m == 0 ? 1.0 : 2.0) * ratio);
      const double pnm = schmidt * p[n][m];
      const double dpnm = schmidt * (n * ct * p[n][m] - (n + m) * (m < n ? p[n - 1][m] : 0.0)) / st;
      const auto at = [&](int k) {
        const double* c = kIgrf14Rows[k].gh;
        return c[e] * (1.0 - f) + c[e + 1] * f;
      };
      const double g = at(row);
      const double h = m == 0 ? 0.0 : at(row + 1);
      const double cosm = std::cos(m * lambda);
      const double sinm = std::sin(m * lambda);
      bNorth += radial * (g * cosm + h * sinm) * dpnm;
      bEast += radial * m * (g * sinm - h * cosm) * pnm / st;
      bDown -= radial * (n + 1) * (g * cosm + h * sinm) * pnm;
      row += m == 0 ? 1 : 2;
    }
  }
  const double tilt = phi - psi;
  return MagneticField{bNorth * std::cos(tilt) + bDown * std::sin(tilt), bEast,
                       bDown * std::cos(tilt) - bNorth * std::sin(tilt)};
}

TEST(Igrf14, MatchesAnIndependentSynthesis) {
  struct Case {
    double t, lat, lon, heightKm;
  };
  // Both hemispheres, high ground and orbit, near a pole, every era, and
  // years before and after the tables where the nearest rate carries on.
  for (const Case& c : {Case{1890.3, 51.5, -0.13, 0.0}, Case{1900.0, -33.9, 18.4, 0.1},
                        Case{1957.25, 61.2, -149.9, 0.0}, Case{2004.9, 40.0, -105.27, 1.65},
                        Case{2026.93, -54.8, -68.3, 0.0}, Case{2026.93, 89.99, 37.0, 2.8},
                        Case{2030.99, 0.0, 120.0, 400.0}, Case{2041.0, -78.5, 166.7, 0.0}}) {
    const MagneticField ours = Igrf14Field(c.t, c.lat, c.lon, c.heightKm);
    const MagneticField ref = Reference(c.t, c.lat, c.lon, c.heightKm);
    EXPECT_NEAR(ours.x, ref.x, 1e-6) << c.t << " " << c.lat << " " << c.lon;
    EXPECT_NEAR(ours.y, ref.y, 1e-6) << c.t << " " << c.lat << " " << c.lon;
    EXPECT_NEAR(ours.z, ref.z, 1e-6) << c.t << " " << c.lat << " " << c.lon;
    EXPECT_NEAR(Igrf14Declination(c.t, c.lat, c.lon, c.heightKm),
                std::atan2(ref.y, ref.x) * 180.0 / kPi, 1e-9);
  }
}

TEST(Igrf14, NoJumpAtAnyEpoch) {
  // 31 December of the year before an epoch is the epoch itself as a decimal
  // year. Its value must be what three days on either side extrapolate to.
  for (int epoch = 1905; epoch <= 2030; epoch += 5) {
    for (const GeoPoint& p : {Point(51.5, -0.13), Point(-33.9, 18.4, 1500.0)}) {
      const auto d = [&](int year, int month, int day) {
        return Igrf14Variance(Date(year, month, day), p);
      };
      const double at = d(epoch - 1, 12, 31);
      const double fromBefore =
          3 * d(epoch - 1, 12, 30) - 3 * d(epoch - 1, 12, 29) + d(epoch - 1, 12, 28);
      const double fromAfter = 3 * d(epoch, 1, 1) - 3 * d(epoch, 1, 2) + d(epoch, 1, 3);
      EXPECT_NEAR(fromBefore, at, 1e-9) << epoch;
      EXPECT_NEAR(fromAfter, at, 1e-9) << epoch;
    }
  }
}

TEST(Igrf14, UndefinedWhereNorthOrTheFieldHasNoDirection) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // The value the older model gives for a vanishing field.
  EXPECT_EQ(kUndefinedVariance, DeclinationFromField(0.0, 0.0, 0.0) * kRadToDeg);
  const DateStamp date = Date(2026, 12, 7);
  for (const GeoPoint& p :
       {GeoPoint{kPi / 2, 0.3, 0.0, 0}, GeoPoint{-kPi / 2, -2.0, 0.0, 0}, Point(89.9999999999, 0),
        GeoPoint{2.0, 0.3, 0.0, 0}, GeoPoint{nan, 0.3, 0.0, 0}, GeoPoint{0.5, inf, 0.0, 0},
        GeoPoint{0.5, 0.3, -inf, 0}, Point(10.0, 10.0, 1.0e300)}) {
    EXPECT_EQ(Igrf14Variance(date, p), kUndefinedVariance)
        << p.lat << " " << p.lon << " " << p.height;
  }
  EXPECT_EQ(Igrf14Variance(Date(2026, 13, 1), Point(10, 10)), kUndefinedVariance);
  EXPECT_EQ(Igrf14Declination(inf, 10.0, 10.0, 0.0), kUndefinedVariance);
  EXPECT_TRUE(std::isnan(Igrf14Field(nan, 10.0, 10.0, 0.0).x));
  // A metre from the pole north still has a direction, and far from the
  // tables' years the rate carries on to a finite answer.
  EXPECT_TRUE(std::isfinite(Igrf14Variance(date, Point(89.99999, 0))));
  EXPECT_LT(std::fabs(Igrf14Variance(Date(1, 1, 1), Point(45, 45))), 180.0);
  EXPECT_LT(std::fabs(Igrf14Variance(Date(9999, 12, 31), Point(45, 45))), 180.0);
}

TEST(Igrf14, CoversTheYears1900To2030) {
  EXPECT_FALSE(Igrf14CoversYear(1899));
  EXPECT_TRUE(Igrf14CoversYear(1900));
  EXPECT_TRUE(Igrf14CoversYear(2030));
  EXPECT_FALSE(Igrf14CoversYear(2031));
}

}  // namespace
}  // namespace trelvan
