#pragma once

#include "geodesy/Datum.h"
#include "geodesy/Utm.h"

namespace trelvan {

// Grid convergence of a grid position in UTM form: the angle from true north
// to grid north, radians, positive clockwise (east of the central meridian
// in the north). A grid azimuth plus the convergence is the true azimuth.
double UtmConvergence(const UtmPoint& g);

// Grid convergence at p on p's own datum: UtmConvergence of GeoToUtm(p), so
// the latitude clamp and the zone exceptions of the projection apply.
double GridConvergence(const GeoPoint& p);

}  // namespace trelvan
