// The IGRF-14 declination: published values of another model of the same
// field, an independent synthesis, continuity in time, the undefined cases.
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

TEST(Igrf14, AgreesWithTheWorldMagneticModelTestValues) {
  // NOAA's WMM2025 test values: declination in degrees by year, height (0 or
  // 100 km) and place (80N 0E, 0N 120E, 80S 240E).
  const double places[3][2] = {{80.0, 0.0}, {0.0, 120.0}, {-80.0, 240.0}};
  const double declination[2][2][3] = {{{1.28, -0.16, 68.78}, {0.85, -0.15, 68.21}},
                                       {{2.59, -0.24, 68.49}, {2.16, -0.23, 67.93}}};
  for (int t = 0; t < 2; ++t) {
    for (int h = 0; h < 2; ++h) {
      for (int p = 0; p < 3; ++p) {
        EXPECT_NEAR(Igrf14Declination(2025.0 + 2.5 * t, places[p][0], places[p][1], 100.0 * h),
                    declination[t][h][p], 0.05);
      }
    }
  }
}

// The field by another road: earth-centred coordinates for the geocentric
// radius and latitude, unnormalised Legendre functions with Schmidt's factor
// per term, epochs found by search. Only the coefficient rows are shared.
MagneticField Reference(double t, double latDeg, double lonDeg, double heightKm) {
  const double e2 = (2.0 - 1.0 / 298.257223563) / 298.257223563;
  const double phi = latDeg * kPi / 180.0;
  const double nu = 6378.137 / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
  const double axial = (nu + heightKm) * std::cos(phi);
  const double polar = (nu * (1.0 - e2) + heightKm) * std::sin(phi);
  const double psi = std::atan2(polar, axial);
  const double ct = std::sin(psi);
  const double st = std::cos(psi);
  int e = 0;
  while (e < kIgrf14EpochCount - 2 && t >= 1905.0 + 5.0 * e) ++e;
  const double f = (t - (1900.0 + 5.0 * e)) / 5.0;
  double p[14][14] = {{1.0}};
  for (int m = 1; m <= 13; ++m) p[m][m] = p[m - 1][m - 1] * (2 * m - 1) * st;
  for (int m = 0; m <= 13; ++m) {
    for (int n = m + 1; n <= 13; ++n) {
      p[n][m] =
          ((2 * n - 1) * ct * p[n - 1][m] - (n + m - 1) * (n > m + 1 ? p[n - 2][m] : 0)) / (n - m);
    }
  }
  double x = 0.0, y = 0.0, z = 0.0;
  for (int n = 1, row = 0; n <= 13; ++n) {
    const double radial = std::pow(6371.2 / std::hypot(axial, polar), n + 2);
    for (int m = 0; m <= n; ++m, row += m == 1 ? 1 : 2) {
      double ratio = m == 0 ? 1.0 : 2.0;  // and (n-m)!/(n+m)!
      for (int i = n - m + 1; i <= n + m; ++i) ratio /= i;
      const double pnm = std::sqrt(ratio) * p[n][m];
      const double dpnm = std::sqrt(ratio) * (n * ct * p[n][m] - (n + m) * p[n - 1][m]) / st;
      const auto at = [&](int k) {
        return kIgrf14Rows[k].gh[e] * (1 - f) + kIgrf14Rows[k].gh[e + 1] * f;
      };
      const double g = at(row);
      const double h = m == 0 ? 0.0 : at(row + 1);
      const double c = std::cos(m * lonDeg * kPi / 180.0);
      const double s = std::sin(m * lonDeg * kPi / 180.0);
      x += radial * (g * c + h * s) * dpnm;
      y += radial * m * (g * s - h * c) * pnm / st;
      z -= radial * (n + 1) * (g * c + h * s) * pnm;
    }
  }
  const double tilt = phi - psi;
  return {x * std::cos(tilt) + z * std::sin(tilt), y, z * std::cos(tilt) - x * std::sin(tilt)};
}

TEST(Igrf14, MatchesAnIndependentSynthesis) {
  // Both hemispheres, high ground and orbit, near a pole, every era, and
  // years beyond the tables where the nearest rate carries on.
  const double cases[][4] = {{1890.3, 51.5, -0.13, 0.0},   {1900.0, -33.9, 18.4, 0.1},
                             {1957.25, 61.2, -149.9, 0.0}, {2004.9, 40.0, -105.27, 1.65},
                             {2026.93, -54.8, -68.3, 0.0}, {2026.93, 89.99, 37.0, 2.8},
                             {2030.99, 0.0, 120.0, 400.0}, {2041.0, -78.5, 166.7, 0.0}};
  for (const auto& c : cases) {
    const MagneticField ours = Igrf14Field(c[0], c[1], c[2], c[3]);
    const MagneticField ref = Reference(c[0], c[1], c[2], c[3]);
    EXPECT_NEAR(ours.x, ref.x, 1e-6) << c[0] << " " << c[1];
    EXPECT_NEAR(ours.y, ref.y, 1e-6) << c[0] << " " << c[1];
    EXPECT_NEAR(ours.z, ref.z, 1e-6) << c[0] << " " << c[1];
    EXPECT_NEAR(Igrf14Declination(c[0], c[1], c[2], c[3]), std::atan2(ref.y, ref.x) * 180 / kPi,
                1e-9);
  }
}

TEST(Igrf14, NoJumpAtAnyEpoch) {
  // 31 December before an epoch is the epoch itself as a decimal year; three
  // days on either side must extrapolate to its value.
  for (int epoch = 1905; epoch <= 2030; epoch += 5) {
    for (const GeoPoint& p : {GeoPoint{0.9, -0.002, 0.0, 0}, GeoPoint{-0.6, 0.32, 1500.0, 0}}) {
      const auto d = [&](int year, int day) {
        return Igrf14Variance(Date(year, year < epoch ? 12 : 1, day), p);
      };
      const double at = d(epoch - 1, 31);
      EXPECT_NEAR(3 * d(epoch - 1, 30) - 3 * d(epoch - 1, 29) + d(epoch - 1, 28), at, 1e-9);
      EXPECT_NEAR(3 * d(epoch, 1) - 3 * d(epoch, 2) + d(epoch, 3), at, 1e-9) << epoch;
    }
  }
}

TEST(Igrf14, UndefinedAtThePolesForAWeakFieldAndForNonFiniteInput) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(kUndefinedVariance, DeclinationFromField(0.0, 0.0, 0.0) * kRadToDeg);  // as before
  const DateStamp date = Date(2026, 12, 7);
  for (const GeoPoint& p : {GeoPoint{kPi / 2, 0.3, 0.0, 0}, GeoPoint{-kPi / 2, -2.0, 0.0, 0},
                            GeoPoint{kPi / 2 - 1e-12, 0.0, 0.0, 0}, GeoPoint{2.0, 0.3, 0.0, 0},
                            GeoPoint{std::nan(""), 0.3, 0.0, 0}, GeoPoint{0.5, inf, 0.0, 0},
                            GeoPoint{0.5, 0.3, -inf, 0}, GeoPoint{0.5, 0.3, 1.0e300, 0}}) {
    EXPECT_EQ(Igrf14Variance(date, p), kUndefinedVariance) << p.lat << " " << p.lon;
  }
  EXPECT_EQ(Igrf14Variance(Date(2026, 13, 1), GeoPoint{0.5, 0.3, 0.0, 0}), kUndefinedVariance);
  // A metre from the pole north still has a direction.
  EXPECT_TRUE(std::isfinite(Igrf14Variance(date, GeoPoint{kPi / 2 - 2e-7, 0.0, 0.0, 0})));
}

}  // namespace
}  // namespace trelvan
