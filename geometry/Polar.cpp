#include "geometry/Polar.h"

#include <cmath>

#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "geodesy/AngleWrap.h"
#include "geometry/Linear3.h"

namespace trelvan {

GeoPoint ForwardPolar(const PolarVector& v, const GeoPoint& station) {
  // West, south and up components of the measured vector.
  const double horizontal = v.range * std::cos(v.elevation);
  const Vector3 local = {-(horizontal * std::sin(v.azimuth)), -(horizontal * std::cos(v.azimuth)),
                         v.range * std::sin(v.elevation)};
  Matrix3 frame;
  LocalFrame(station, frame);
  Vector3 offset;
  TransformVector3(frame, local, offset);
  EcefPoint p = GeodeticToEcef(station);
  p.x = p.x + offset.x;
  p.y = p.y + offset.y;
  p.z = p.z + offset.z;
  return EcefToGeodetic(p);
}

PolarVector InversePolar(const GeoPoint& from, const GeoPoint& to) {
  const GeoPoint target = ConvertDatum(from.datum, to);
  const EcefPoint p1 = GeodeticToEcef(from);
  const EcefPoint p2 = GeodeticToEcef(target);
  const Vector3 offset = {p2.x - p1.x, p2.y - p1.y, p2.z - p1.z};
  Matrix3 frame;
  LocalFrame(from, frame);
  Vector3 local;
  if (SolveLinear3(frame, offset, local) == SolveStatus::kSingular) {
    return {0.0, 0.0, 0.0};
  }
  // West and south become east and north.
  local.x = -local.x;
  local.y = -local.y;
  const double range = VectorLength(local);
  if (std::fabs(range) < 1e-12) {
    return {0.0, 0.0, 0.0};
  }
  PolarVector out;
  out.range = range;
  out.elevation = std::asin(local.z / range);
  out.azimuth = WrapRadians(std::atan2(local.x, local.y));
  return out;
}

GeoPoint BackPolar(const PolarVector& v, const GeoPoint& target) {
  // Reversing the vector in the target's frame ignores that the station's
  // frame is tilted against it; over a few kilometres that misses by metres.
  // Measuring from the predicted target back to the first estimate gives the
  // reverse vector in a frame close to the true target's, which is enough.
  const PolarVector reversed = {v.range, v.azimuth + kHalfTurn, -v.elevation};
  const GeoPoint first = ForwardPolar(reversed, target);
  const GeoPoint predicted = ForwardPolar(v, first);
  const PolarVector corrected = InversePolar(predicted, first);
  return ForwardPolar(corrected, target);
}

}  // namespace trelvan
