#pragma once

#include "geodesy/Datum.h"

namespace trelvan {

// A polar measurement from a station to a target.
struct PolarVector {
  double range;      // slant range, metres
  double azimuth;    // radians clockwise from true north at the station
  double elevation;  // radians above the station's local horizontal plane
};

// The target reached from `station` along v, on the station's datum.
GeoPoint ForwardPolar(const PolarVector& v, const GeoPoint& station);

// The polar vector measured at `from` towards `to` (converted to the datum
// of `from` first). Azimuth in [0, kFullTurn). Returns the zero vector when
// the points are closer than 1e-12 m or the local frame is singular.
PolarVector InversePolar(const GeoPoint& from, const GeoPoint& to);

// The station from which v was measured towards the known `target`: a plain
// reversal of v corrected once through the target's predicted position.
// Result on the target's datum.
GeoPoint BackPolar(const PolarVector& v, const GeoPoint& target);

}  // namespace trelvan
