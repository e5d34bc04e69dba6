#include "geometry/Resection.h"

#include <cmath>

#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "geodesy/AngleWrap.h"

namespace trelvan {

namespace {

// The two reverse-elevation refinements; the third pass only fixes the
// azimuths for the final positions.
constexpr int kPasses = 3;
constexpr int kRefiningPasses = 2;

// From the station estimate reached along `reverse`, aims at the waypoint
// with the measured range and elevation and returns the exact vector from the
// point so reached back to the estimate: the reverse vector with an elevation
// that accounts for the tilt between the two local frames.
PolarVector RefineReverse(const PolarVector& reverse, const PolarVector& measured,
                          const GeoPoint& waypoint) {
  const GeoPoint estimate = ForwardPolar(reverse, waypoint);
  PolarVector aim = InversePolar(estimate, waypoint);
  aim.range = measured.range;
  aim.elevation = measured.elevation;
  const GeoPoint reached = ForwardPolar(aim, estimate);
  return InversePolar(reached, estimate);
}

// Mean of two longitudes in radians. Two estimates a whole turn apart in
// number but metres apart on the ground (either side of the 180th meridian)
// would otherwise average to the far side of the earth, so when they differ
// by more than half a turn one is moved by a turn first. The exact double pi
// keeps the result inside the (-pi, pi] of the longitudes themselves.
double MeanLongitude(double lon1, double lon2) {
  if (!(std::fabs(lon2 - lon1) > kPi)) {
    return (lon2 + lon1) * 0.5;
  }
  lon2 = lon2 < lon1 ? lon2 + kTwoPi : lon2 - kTwoPi;
  double mean = (lon2 + lon1) * 0.5;
  if (mean > kPi) {
    mean -= kTwoPi;
  } else if (mean <= -kPi) {
    mean += kTwoPi;
  }
  return mean;
}

// Whether the horizontal distance from `station` to `waypoint` matches the
// one measured along `measured`.
bool MeetsRange(const GeoPoint& station, const PolarVector& measured, const GeoPoint& waypoint) {
  const PolarVector v = InversePolar(station, waypoint);
  const double miss =
      std::cos(v.elevation) * v.range - std::cos(measured.elevation) * measured.range;
  return std::fabs(miss) <= kRangeMissMetres + kRangeMissShare * measured.range;
}

}  // namespace

SolveStatus RelativeFrame(const GeoPoint& w1, const GeoPoint& w2, Matrix3& m, Vector3& d) {
  const EcefPoint p1 = GeodeticToEcef(w1);
  const EcefPoint p2 = GeodeticToEcef(w2);
  const Vector3 offset = {p2.x - p1.x, p2.y - p1.y, p2.z - p1.z};
  Matrix3 frame1;
  Matrix3 frame2;
  LocalFrame(w1, frame1);
  LocalFrame(w2, frame2);
  Matrix3 inverse1;
  if (InvertMatrix3(frame1, inverse1) == SolveStatus::kSingular) {
    return SolveStatus::kSingular;
  }
  MultiplyMatrix3(inverse1, frame2, m);
  TransformVector3(inverse1, offset, d);
  return SolveStatus::kSolved;
}

SolveStatus SolveResection(double theta, const PolarVector& m1, const PolarVector& m2,
                   const GeoPoint& w1, const GeoPoint& w2, GeoPoint& station) {
  const GeoPoint w2here = ConvertDatum(w1.datum, w2);
  Matrix3 rel;
  Vector3 d;
  if (RelativeFrame(w1, w2here, rel, d) == SolveStatus::kSingular) {
    return SolveStatus::kNoSolution;
  }
  const double* const r = rel.m;

  // Reverse vectors from each waypoint to the station; the azimuths are the
  // unknowns, tied together by theta.
  PolarVector u1 = {m1.range, 0.0, -m1.elevation};
  PolarVector u2 = {m2.range, 0.0, -m2.elevation};
  const double sA = std::sin(theta);
  const double cA = std::cos(theta);

  for (int pass = 0; pass < kPasses; ++pass) {
    u1.range = m1.range;
    u2.range = m2.range;
    // Negated horizontal lengths of the reverse vectors, and the station's
    // height above waypoint 2 along its normal.
    const double a1 = -(std::cos(u1.elevation) * m1.range);
    const double a2 = -(std::cos(u2.elevation) * m2.range);
    const double z2 = std::sin(u2.elevation) * m2.range;

    // West and south components of u1 - M*u2 = d with sin and cos of the
    // azimuth at waypoint 2 as two independent unknowns; the third row only
    // makes the system square.
    const Matrix3 a = {{cA * a1 - r[0] * a2, -(r[1] * a2) - sA * a1, 0.0,  //
                        sA * a1 - r[3] * a2, cA * a1 - r[4] * a2, 0.0,     //
                        0.0, 0.0, 1.0}};
    const Vector3 b = {r[2] * z2 + d.x, r[5] * z2 + d.y, 0.0};
    Vector3 x;
    if (SolveLinear3(a, b, x) == SolveStatus::kSingular) {
      return SolveStatus::kNoSolution;
    }
    if (x.x == 0.0 && x.y == 0.0) {
      return SolveStatus::kNoSolution;
    }
    u2.azimuth = WrapRadians(std::atan2(x.x, x.y));
    u1.azimuth = WrapRadians(u2.azimuth - theta);

    if (pass < kRefiningPasses) {
      u1 = RefineReverse(u1, m1, w1);
      u2 = RefineReverse(u2, m2, w2here);
    }
  }

  const GeoPoint s1 = ForwardPolar(u1, w1);
  const GeoPoint s2 = ForwardPolar(u2, w2here);
  GeoPoint result{};
  result.lat = (s2.lat + s1.lat) * 0.5;
  result.lon = MeanLongitude(s1.lon, s2.lon);
  result.height = (s2.height + s1.height) * 0.5;
  result.datum = w1.datum;
  station = result;
  return SolveStatus::kSolved;
}

SolveStatus CheckResection(const GeoPoint& station, const PolarVector& m1, const PolarVector& m2,
                   const GeoPoint& w1, const GeoPoint& w2) {
  return MeetsRange(station, m1, w1) && MeetsRange(station, m2, w2) ? SolveStatus::kSolved : SolveStatus::kNoSolution;
}

}  // namespace trelvan
