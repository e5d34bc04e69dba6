#pragma once

#include <QDateTime>

#include "geodesy/Datum.h"

namespace trelvan {

// The declinations at a point: the magnetic variance from the clock and the
// grid convergence, signed radians, positive east (clockwise from true
// north). The convergence is NaN beyond the grid (ToGrid: 80 S..84 N),
// where grid north is not defined.
struct Declinations {
  double magneticVariance;
  double gridConvergence;
};

// The magnetic declination the program shows at `position` (any datum) on
// the date of `clock`: IGRF-14, degrees, east positive; the model's
// undefined value where the horizontal field vanishes.
double MagneticVarianceAt(const QDateTime& clock, const GeoPoint& position);

// The declinations at p on the date of `clock`, for every view that refers
// an azimuth to grid or magnetic north or draws those norths.
Declinations DeclinationsAt(const QDateTime& clock, const GeoPoint& p);

}  // namespace trelvan
