#include "magnetic/MagneticModel.h"

#include <cmath>
#include <limits>

#include "geodesy/AngleWrap.h"
#include "geodesy/Angles.h"
#include "magnetic/Coefficients.h"

namespace trelvan {
namespace {

// Epoch of the coefficient tables, decimal years.
constexpr double kEpoch = 2000.0;

// Degrees to radians in the synthesis: a shorter decimal than kDegToRad,
// and the field values depend on this one (tests/properties/
// PinnedResultsTest.cpp pins a declination to the last bit).
constexpr double kSynthesisDegToRad = 0.01745329;

// Latitudes closer to a pole than this (degrees) take the replacement
// latitude for their cosine, so that the east component never divides by a
// vanishing cosine.
constexpr double kPoleGuard = 0.001;
constexpr double kPoleLatitude = 89.999;

// Reference ellipsoid of the model in km^2: squares of the equatorial and
// polar radii and their difference.
constexpr double kEquatorialRadius2 = 40680925.0;
constexpr double kPolarRadius2 = 40408588.0;
constexpr double kRadius2Difference = 272337.0;

// Reference radius of the harmonic expansion, km.
constexpr double kReferenceRadius = 6371.2;

// Below this intensity (nT) the horizontal direction is undefined, and the
// declination takes the fixed value kUndefinedDeclination (radians).
constexpr double kWeakestField = 0.0001;
constexpr double kUndefinedDeclination = 57238.48373356924;

// Number of terms (n, m) with 1 <= n <= 10, 0 <= m <= n.
constexpr int kTermCount = kMainFieldDegree * (kMainFieldDegree + 3) / 2;

}  // namespace

void AdjustCoefficients(double dt, float gh[kFieldCoefficientCount]) {
  gh[0] = 0.0f;
  for (int i = 1; i < kSecularVariationCount; ++i) {
    gh[i] = static_cast<float>(kSecularVariationCoefficients[i] * dt + kMainFieldCoefficients[i]);
  }
  for (int i = kSecularVariationCount; i < kFieldCoefficientCount; ++i) {
    gh[i] = static_cast<float>(kMainFieldCoefficients[i]);
  }
}

// The Legendre values p[k] (times n + 1) and their latitude derivatives q[k]
// are kept in single precision, as is gh: every stored value is rounded to
// float and widened again when it is read. Results depend on this to the
// last digit.
MagneticField FieldSynthesis(double latitude, double longitude, double height,
                             const float gh[kFieldCoefficientCount]) {
  float p[kTermCount + 1];
  float q[kTermCount + 1];
  double sl[kMainFieldDegree + 1];
  double cl[kMainFieldDegree + 1];

  double slat = std::sin(latitude * kSynthesisDegToRad);
  double guarded = latitude;
  if (90.0 - latitude < kPoleGuard) {
    guarded = kPoleLatitude;
  } else if (90.0 + latitude < kPoleGuard) {
    guarded = -kPoleLatitude;
  }
  double clat = std::cos(guarded * kSynthesisDegToRad);
  sl[1] = std::sin(longitude * kSynthesisDegToRad);
  cl[1] = std::cos(longitude * kSynthesisDegToRad);

  // Geodetic to geocentric: r is the geocentric radius in km, cd and sd the
  // cosine and sine of the angle between the two verticals.
  const double ca = kEquatorialRadius2 * (clat * clat);
  const double sb = kPolarRadius2 * (slat * slat);
  const double cs = sb + ca;
  const double rd = std::sqrt(cs);
  const double r =
      std::sqrt((kPolarRadius2 * sb + kEquatorialRadius2 * ca) / cs + (2.0 * rd + height) * height);
  const double cd = (rd + height) * (1.0 / r);
  const double sd = ((((1.0 / r) / rd) * clat) * slat) * kRadius2Difference;
  const double geodeticSlat = slat;
  slat = slat * cd - clat * sd;
  clat = clat * cd + geodeticSlat * sd;

  const double ratio = (1.0 / r) * kReferenceRadius;

  const double sqrt3 = std::sqrt(3.0);
  p[1] = static_cast<float>(2.0 * slat);
  p[2] = static_cast<float>(2.0 * clat);
  p[3] = static_cast<float>(4.5 * (slat * slat) - 1.5);
  p[4] = static_cast<float>(((clat * sqrt3) * slat) * 3.0);
  q[1] = static_cast<float>(-clat);
  q[2] = static_cast<float>(slat);
  q[3] = static_cast<float>((clat * slat) * -3.0);
  q[4] = static_cast<float>(((slat * slat) - (clat * clat)) * sqrt3);

  // The terms run (n, m) = (1,0), (1,1), (2,0) ... (10,10), the order of the
  // coefficient table, so gh[l] is g(n,m) and gh[l + 1] is h(n,m).
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  int l = 1;
  int n = 0;
  int m = 1;
  double rr = 0.0;
  double fn = 0.0;
  for (int k = 1; k <= kTermCount; ++k) {
    if (n < m) {
      m = 0;
      n = n + 1;
      rr = std::pow(ratio, n + 2);
      fn = n;
    }
    const double fm = m;
    if (k >= 5) {
      if (m == n) {
        // Sectoral term from (n-1, n-1); the multiple-angle sines and cosines
        // of the longitude advance with it.
        const double s = std::sqrt(1.0 - (1.0 / fm) * 0.5);
        const int j = k - n - 1;
        p[k] = static_cast<float>((((1.0 + 1.0 / fm) * p[j]) * clat) * s);
        q[k] = static_cast<float>((q[j] * clat + (p[j] * (1.0 / fm)) * slat) * s);
        sl[m] = sl[m - 1] * cl[1] + cl[m - 1] * sl[1];
        cl[m] = cl[m - 1] * cl[1] - sl[m - 1] * sl[1];
      } else {
        // Recursion in degree from (n-1, m) and (n-2, m); for m = n - 1 the
        // second term carries u = 0.
        const double s = std::sqrt(fn * fn - fm * fm);
        const double u = std::sqrt((fn - 1.0) * (fn - 1.0) - fm * fm) * (1.0 / s);
        const double w = (2.0 * fn - 1.0) * (1.0 / s);
        const int i = k - n;
        const int j = k - 2 * n + 1;
        p[k] = static_cast<float>(((((p[i] * (1.0 / fn)) * w) * slat) - (p[j] / (fn - 1.0)) * u) *
                                  (fn + 1.0));
        q[k] = static_cast<float>((q[i] * slat - (p[i] * (1.0 / fn)) * clat) * w - q[j] * u);
      }
    }
    const double e = gh[l] * rr;
    if (m == 0) {
      x = x + e * q[k];
      z = z - e * p[k];
      l = l + 1;
    } else {
      const double f = gh[l + 1] * rr;
      const double c = e * cl[m] + f * sl[m];
      x = x + c * q[k];
      z = z - c * p[k];
      if (clat > 0.0) {
        y = y + (((e * sl[m] - f * cl[m]) * p[k]) * fm) / ((fn + 1.0) * clat);
      } else {
        y = y + ((e * sl[m] - f * cl[m]) * q[k]) * slat;
      }
      l = l + 2;
    }
    m = m + 1;
  }

  // Back from the geocentric to the geodetic vertical.
  return MagneticField{x * cd + z * sd, y, z * cd - x * sd};
}

double DeclinationFromField(double x, double y, double z) {
  const double horizontal = std::sqrt(y * y + x * x);
  const double total = std::sqrt(z * z + (y * y + x * x));
  if (total < kWeakestField || horizontal < kWeakestField) {
    return kUndefinedDeclination;
  }
  if (x + horizontal < kWeakestField) {
    return kPi;
  }
  // Half-angle form of atan2(y, x): well conditioned everywhere except due
  // south, which the test above handles.
  return 2.0 * std::atan2(y, x + horizontal);
}

double MagneticVariance(const DateStamp& date, const GeoPoint& position) {
  const double t = DecimalYear(date.month, date.day, date.year);
  const double latitude = SignedDegrees(position.lat);
  const double longitude = SignedDegrees(position.lon);
  const double height = position.height * 0.001;
  float gh[kFieldCoefficientCount];
  AdjustCoefficients(t - kEpoch, gh);
  const MagneticField field = FieldSynthesis(latitude, longitude, height, gh);
  return DeclinationFromField(field.x, field.y, field.z) * kRadToDeg;
}

}  // namespace trelvan
