#include "magnetic/Igrf14.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "geodesy/AngleWrap.h"
#include "magnetic/Igrf14Coefficients.h"

namespace trelvan {
namespace {

// WGS-84, km: the equatorial radius and the flattening give the polar one.
constexpr double kEquatorialRadius = 6378.137;
constexpr double kInverseFlattening = 298.257223563;
constexpr double kPolarRadius = kEquatorialRadius * (1.0 - 1.0 / kInverseFlattening);
constexpr double kEquatorialRadius2 = kEquatorialRadius * kEquatorialRadius;
constexpr double kPolarRadius2 = kPolarRadius * kPolarRadius;

// Reference radius of the expansion, km.
constexpr double kReferenceRadius = 6371.2;

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Geodetic north has no direction at a pole; this close (degrees of
// latitude, about a millimetre) the declination is called undefined.
constexpr double kPoleGuard = 1e-8;

// Below this horizontal intensity (nT) its direction means nothing.
constexpr double kWeakestHorizontal = 1.0;

constexpr int kLastInterval = kIgrf14EpochCount - 2;

// The coefficients at decimal year t (finite): linear between the two epochs
// around it; before the first and after the last epoch the rate of the
// nearest interval carries on.
void CoefficientsAt(double t, double gh[kIgrf14CoefficientCount]) {
  const double u = (t - kIgrf14FirstEpoch) / kIgrf14EpochStep;
  double interval = std::floor(u);
  if (interval < 0.0) interval = 0.0;
  if (interval > kLastInterval) interval = kLastInterval;
  const int e = static_cast<int>(interval);
  const double f = u - interval;
  for (int i = 0; i < kIgrf14CoefficientCount; ++i) {
    const double* c = kIgrf14Rows[i].gh;
    gh[i] = c[e] + f * (c[e + 1] - c[e]);
  }
}

}  // namespace

bool Igrf14CoversYear(int year) { return year >= kIgrf14FirstYear && year <= kIgrf14LastYear; }

MagneticField Igrf14Field(double t, double latitude, double longitude, double height) {
  if (!(std::isfinite(t) && std::isfinite(latitude) && std::isfinite(longitude) &&
        std::isfinite(height))) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return MagneticField{nan, nan, nan};
  }
  double gh[kIgrf14CoefficientCount];
  CoefficientsAt(t, gh);

  // Geodetic to geocentric: r the geocentric radius (km), ct and st the
  // cosine and sine of the geocentric colatitude, cd and sd those of the
  // angle between the geodetic and the geocentric vertical.
  const double sinLat = std::sin(latitude * kRadiansPerDegree);
  const double cosLat = std::cos(latitude * kRadiansPerDegree);
  const double a2c2 = kEquatorialRadius2 * cosLat * cosLat;
  const double b2s2 = kPolarRadius2 * sinLat * sinLat;
  const double rho2 = a2c2 + b2s2;
  const double rho = std::sqrt(rho2);
  const double r = std::sqrt(height * (height + 2.0 * rho) +
                             (kEquatorialRadius2 * a2c2 + kPolarRadius2 * b2s2) / rho2);
  const double cd = (height + rho) / r;
  const double sd = (kEquatorialRadius2 - kPolarRadius2) / rho * sinLat * cosLat / r;
  const double ct = sinLat * cd - cosLat * sd;
  const double st = cosLat * cd + sinLat * sd;

  // (a/r)^(n+2) for each degree.
  double radial[kIgrf14Degree + 1];
  const double ratio = kReferenceRadius / r;
  radial[0] = ratio * ratio;
  for (int n = 1; n <= kIgrf14Degree; ++n) radial[n] = radial[n - 1] * ratio;

  // Schmidt semi-normalised P(n,m)(cos theta) and dP/dtheta, order by order:
  // the sectoral term from the one before, then upwards in degree by the
  // three-term recursion. The longitude's multiple angles advance with m.
  const double cosLon = std::cos(longitude * kRadiansPerDegree);
  const double sinLon = std::sin(longitude * kRadiansPerDegree);
  double cosM = 1.0;
  double sinM = 0.0;
  double pmm = 1.0;
  double dpmm = 0.0;
  double north = 0.0;
  double east = 0.0;
  double down = 0.0;
  for (int m = 0; m <= kIgrf14Degree; ++m) {
    if (m == 1) {
      pmm = st;
      dpmm = ct;
    } else if (m > 1) {
      const double k = std::sqrt((2.0 * m - 1.0) / (2.0 * m));
      dpmm = k * (ct * pmm + st * dpmm);
      pmm = k * st * pmm;
    }
    if (m > 0) {
      const double c = cosM * cosLon - sinM * sinLon;
      sinM = sinM * cosLon + cosM * sinLon;
      cosM = c;
    }
    double p = pmm;
    double dp = dpmm;
    double pBefore = 0.0;
    double dpBefore = 0.0;
    for (int n = m; n <= kIgrf14Degree; ++n) {
      if (n > m) {
        const double w = std::sqrt(static_cast<double>(n * n - m * m));
        const double v = std::sqrt(static_cast<double>((n - 1) * (n - 1) - m * m));
        const double pNext = ((2.0 * n - 1.0) * ct * p - v * pBefore) / w;
        const double dpNext = ((2.0 * n - 1.0) * (ct * dp - st * p) - v * dpBefore) / w;
        pBefore = p;
        dpBefore = dp;
        p = pNext;
        dp = dpNext;
      }
      if (n == 0) continue;
      const int row = n * n - 1 + (m == 0 ? 0 : 2 * m - 1);
      const double g = gh[row];
      const double h = m == 0 ? 0.0 : gh[row + 1];
      const double along = g * cosM + h * sinM;
      north += radial[n] * along * dp;
      east += radial[n] * m * (g * sinM - h * cosM) * p;
      down -= radial[n] * (n + 1) * along * p;
    }
  }
  // Away from the poles st > 0; at them the east sum is 0 / 0 and the
  // declination undefined anyway.
  east /= st;

  // Back from the geocentric to the geodetic vertical.
  return MagneticField{north * cd + down * sd, east, down * cd - north * sd};
}

double Igrf14Declination(double t, double latitude, double longitude, double height) {
  if (!(std::isfinite(latitude) && std::fabs(latitude) <= 90.0 - kPoleGuard)) {
    return kUndefinedVariance;
  }
  const MagneticField field = Igrf14Field(t, latitude, longitude, height);
  const double horizontal = std::hypot(field.x, field.y);
  if (!(std::isfinite(horizontal) && horizontal >= kWeakestHorizontal)) {
    return kUndefinedVariance;
  }
  return std::atan2(field.y, field.x) * kDegreesPerRadian;
}

double Igrf14Variance(const DateStamp& date, const GeoPoint& position) {
  return Igrf14Declination(DecimalYear(date.month, date.day, date.year),
                           SignedDegrees(position.lat), SignedDegrees(position.lon),
                           position.height * 0.001);
}

}  // namespace trelvan
