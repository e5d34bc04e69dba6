#pragma once

// Points for the tests of every layer: made from degrees and metres, compared
// bit for bit and measured apart in metres.

#include <cmath>
#include <cstdint>

#include "geodesy/Angles.h"
#include "geodesy/Datum.h"
#include "geodesy/DatumShift.h"
#include "geodesy/Utm.h"

namespace trelvan::test {

// A point from degrees, metres and a datum index.
inline GeoPoint PointDeg(double latDeg, double lonDeg, double height = 0, std::uint16_t datum = 0) {
  return GeoPoint{latDeg * kDegToRad, lonDeg * kDegToRad, height, datum};
}

// A grid position in UTM form, metres, on datum `datum`.
inline UtmPoint Grid(double easting, double northing, std::uint16_t zone, char band,
                     std::uint16_t datum = 0) {
  UtmPoint g{};
  g.easting = easting;
  g.northing = northing;
  g.zone = zone;
  g.band = band;
  g.datum = datum;
  return g;
}

// Straight-line distance in metres between two points, each taken to
// earth-centred coordinates on its own datum (the callers compare points on
// one datum).
inline double DistanceMetres(const GeoPoint& a, const GeoPoint& b) {
  const EcefPoint p = GeodeticToEcef(a);
  const EcefPoint q = GeodeticToEcef(b);
  return std::hypot(q.x - p.x, q.y - p.y, q.z - p.z);
}

// The same latitude, longitude, height and datum (so -0 equals 0).
inline bool SamePoint(const GeoPoint& a, const GeoPoint& b) {
  return a.lat == b.lat && a.lon == b.lon && a.height == b.height && a.datum == b.datum;
}

}  // namespace trelvan::test
