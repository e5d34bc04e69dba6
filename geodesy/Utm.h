#pragma once

#include <cstdint>

#include "geodesy/Datum.h"

namespace trelvan {

// A position on the Universal Transverse Mercator grid of a datum.
struct UtmPoint {
  double easting;      // metres, including the false easting 500000
  double northing;     // metres; southern hemisphere includes 10000000
  double height;       // metres above the ellipsoid, carried through
  std::uint16_t zone;  // 1..60; 0 from GeoToUtm when the longitude is not finite
  signed char band;    // latitude band letter 'C'..'X' without 'I' and 'O'
  char column;         // 100 km square column letter; never set here
  char row;            // 100 km square row letter; never set here
  std::uint16_t datum; // datum index of the ellipsoid used
  std::uint16_t form;  // grid form flag; kUtmForm for full easting/northing
};

inline constexpr std::uint16_t kUtmForm = 0;

// The latitudes the grid covers, degrees; beyond them positions project as
// the limit (GeoToUtm clamps) and have no grid position of their own
// (geodesy/GridDomain.h says where the grid is).
inline constexpr double kGridSouthDeg = -80.0;
inline constexpr double kGridNorthDeg = 84.0;

// An angle in radians as degrees rounded to 1e-9 (about 0.1 mm), the value
// the zone, the band and the grid's latitude limits are decided on. A whole
// degree that came to radians through kDegToRad or a full-precision pi/180
// comes back a hair off the whole number (3 E as 2.9999999999999996); the
// rounding puts it back on the edge, which belongs to the cell to its north
// and east. Angles of a million degrees and more are left unrounded.
double EdgeDegrees(double radians);

// The false origin of every zone, metres.
inline constexpr double kFalseEasting = 500000.0;
inline constexpr double kFalseNorthing = 10000000.0;  // southern hemisphere only

// Coefficients of the meridian arc S(phi) = A phi - B sin 2phi + C sin 4phi
// - D sin 6phi + E sin 8phi, as a series in the third flattening, metres.
struct MeridianArc {
  double A;
  double B;
  double C;
  double D;
  double E;
};

MeridianArc MeridianArcCoefficients(double a, double inv_f);

// Longitude of the central meridian of `zone`, radians (zone 31: 3 E).
double CentralMeridian(std::uint16_t zone);

// Accuracy: the series stop at the eighth power of the longitude difference
// and of the easting offset. Within 3 degrees of the central meridian,
// between 80 S and 84 N, they agree with an exact transverse Mercator
// projection (Krueger's series in n, tests/geodesy/KruegerReference.h) to
// better than 0.1 mm in easting and northing, and a grid position maps back
// to its latitude and longitude within 1e-9 degrees; tests/geodesy/UtmTest.cpp
// checks both. Farther out, in the widened Norway and Svalbard zones, the
// error grows with the eighth power of the distance from the meridian.

// Projects `point` on its own datum's ellipsoid. Writes every field of `out`
// except `column` and `row`, which keep what the caller left there.
// Latitudes are clamped to -80..84 degrees; the Norway and Svalbard zone
// exceptions apply. The zone and band are decided on EdgeDegrees of the
// latitude and longitude, so that a position on a zone or band edge falls in
// the cell the standard names (60 N 3 E in 32V, 40 N in band T); the series
// themselves take the position as it is. A NaN or infinite longitude falls in no zone: zone 0,
// NaN easting and northing. A NaN latitude gives band 'N' and NaN
// northing.
void GeoToUtm(const GeoPoint& point, UtmPoint& out);

// The footpoint latitude (radians) whose meridian arc equals northing/k0,
// by fixed-point iteration from just below pi/2. A non-finite northing gives
// NaN instead of iterating forever.
double FootpointLatitude(double northing, const MeridianArc& arc);

// Grid position in UTM form back to a geographic position on the same datum.
// The hemisphere comes from the band letter alone (below 'N' is southern).
GeoPoint UtmToGeo(const UtmPoint& grid);

}  // namespace trelvan
