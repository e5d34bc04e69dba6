#pragma once

#include <string>

#include "geodesy/Datum.h"

namespace trelvan::exchange {

// Appends the UTM zone, band, easting and northing of p (to the millimetre)
// on p's own datum, separated by `separator`, and returns true; off the grid
// (ToGrid: beyond 80 S..84 N, or a longitude that is not finite) appends
// nothing and returns false.
bool AppendGridPosition(std::string& out, const GeoPoint& p, char separator);

}  // namespace trelvan::exchange
