#pragma once

#include "geodesy/Datum.h"
#include "geodesy/Utm.h"

// Where the UTM grid is: the one rule that every door of the program asks
// before it projects a position onto the grid or reads a grid position back
// (the forms, trelvan-calc, the CSV importer and exporter, MGRS, the
// waypoint list).
//
// Geographic positions. A position is projected between 80 S and 84 N (its
// latitude rounded by EdgeDegrees, so that 84 N typed in degrees is on the
// grid) when its longitude is finite. Beyond, grid north and the grid
// position are not defined: GeoToUtm would give the position of the limit.
//
// Grid positions. A grid position is read back when
//   - its zone is 1 to 60;
//   - its easting lies from 0 to 1000000 m and its northing on its side of
//     the equator (from 0 m in the north, up to 10000000 m in the south; the
//     band letter tells the side, below 'N' southern);
//   - UtmToGeo gives a latitude from 80 30' S to 84 30' N (the grid's
//     latitudes and the half degree by which neighbouring grids overlap) and
//     a longitude within 6.5 degrees of the zone's central meridian.
// Accuracy: in that region UtmToGeo agrees with an exact transverse
// Mercator projection within 0.75 mm on every ellipsoid of the datum table;
// beyond 6.5 degrees the error grows with about the ninth power of the
// distance and at middle latitudes passes 1 mm before 7 degrees (1.4 mm at
// 60 N). The region holds every
// zone's own area between 80 S and 84 N, the widened Norway and Svalbard
// zones (up to 6 degrees from their meridians) included, so that whatever
// GeoToUtm writes there is read back. The easting bound keeps out the far
// eastings where the series' longitude turns back towards the meridian.
// tests/geodesy/GridDomainTest.cpp checks all of it against Krueger's series.

namespace trelvan {

// Why a position has no place on the grid; only kOnGrid carries a result.
enum class GridStatus {
  kOnGrid,
  kBeyondLatitudes,  // beyond 80 S..84 N (a grid position: 80 30' S..84 30' N), or NaN
  kNoZone,           // a zone number outside 1..60
  kOutsideZone,      // an easting or northing beyond the region above, or not finite
  kBandMismatch,     // the band letter names latitudes the position does not lie in
};

// The latitudes a grid position may give, degrees: the grid's and the half
// degree of overlap with the polar grids beyond.
inline constexpr double kGridOverlapDeg = 0.5;

// The farthest a grid position may lie from its zone's central meridian,
// degrees of longitude, and its easting's offset from the false easting.
inline constexpr double kGridReachDeg = 6.5;
inline constexpr double kGridReachEasting = 500000.0;

// How a grid position's band letter is read.
enum class BandRule {
  kHemisphere,  // only its side of 'N' counts (the Waypoints form, MGRS)
  kLetter,      // the position must lie in the band, give or take about a
                // kilometre (an edge put elsewhere by another datum or program)
};

// Projects p (on its own datum) onto the grid when it lies between 80 S and
// 84 N; otherwise leaves `out` as it was.
GridStatus ToGrid(const GeoPoint& p, UtmPoint& out);

// Reads a grid position back into a geographic one on the same datum when
// it lies in the region above, the band taken as `rule` says; otherwise
// leaves `out` as it was. A longitude beyond 180 degrees (west of zone 1, east
// of zone 60) is brought into one turn about Greenwich; every other keeps
// the bits UtmToGeo gives.
GridStatus FromGrid(const UtmPoint& grid, BandRule rule, GeoPoint& out);

}  // namespace trelvan
