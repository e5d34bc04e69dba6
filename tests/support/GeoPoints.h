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

// Positions on the edges and corners of zones and bands, degrees: the
// Svalbard zones 31X to 37X at 72 and 84 N and just inside their eastern
// edges, 32V of southern Norway, and plain zones at 80 S, at a southern band
// edge and either side of the equator.
struct LatLonDeg {
  double lat, lon;
};
inline constexpr double kJustInside = 1e-7;
inline constexpr LatLonDeg kGridEdges[] = {
    {72, 0},
    {72, 9},
    {72, 21},
    {72, 33},
    {72, 42},
    {84, 0},
    {84, 9},
    {84, 21},
    {84, 33},
    {84, 42},
    {72, 9 - kJustInside},
    {72, 21 - kJustInside},
    {72, 33 - kJustInside},
    {72, 42 - kJustInside},
    {84, 9 - kJustInside},
    {84, 21 - kJustInside},
    {84, 33 - kJustInside},
    {84, 42 - kJustInside},
    {56, 3},
    {56, 12 - kJustInside},
    {64 - kJustInside, 3},
    {64 - kJustInside, 12 - kJustInside},
    {-80, -180},
    {-80, 180 - kJustInside},
    {-80, 3},
    {-72, 6 - kJustInside},
    {-kJustInside, 0},
    {0, 0},
};

// The datums the edges are tried on: WGS-84, ED-50 (International 1924)
// and NAD27 (Clarke 1866).
inline constexpr std::uint16_t kEdgeDatums[] = {0, 1, 82};

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
