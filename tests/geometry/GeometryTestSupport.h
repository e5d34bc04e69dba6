#pragma once

#include "geodesy/Angles.h"
#include "geodesy/Datum.h"
#include "geodesy/DatumShift.h"
#include "geometry/Linear3.h"

namespace trelvan::testing {

// Straight-line distance in metres between two points, each taken to
// earth-centred coordinates on its own datum (the callers compare points on
// one datum).
inline double DistanceMetres(const GeoPoint& a, const GeoPoint& b) {
  const EcefPoint p = GeodeticToEcef(a);
  const EcefPoint q = GeodeticToEcef(b);
  return VectorLength({q.x - p.x, q.y - p.y, q.z - p.z});
}

// A point from degrees and metres.
inline GeoPoint PointDeg(double latDeg, double lonDeg, double height, std::uint16_t datum = 0) {
  return GeoPoint{latDeg * kDegToRad, lonDeg * kDegToRad, height, datum};
}

}  // namespace trelvan::testing
