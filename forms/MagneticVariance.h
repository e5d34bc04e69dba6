#pragma once

#include <QDateTime>

#include "geodesy/Datum.h"

namespace trelvan {

// The magnetic declination the forms show at `position` (any datum) on the
// date of `clock`: IGRF-14, degrees, east positive; the model's undefined
// value where the horizontal field vanishes.
double MagneticVarianceAt(const QDateTime& clock, const GeoPoint& position);

}  // namespace trelvan
