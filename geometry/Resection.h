#pragma once

#include "geodesy/Datum.h"
#include "geometry/Linear3.h"
#include "geometry/Polar.h"

namespace trelvan {

// The local frame of w2 and the position of w2, both in the local frame of
// w1 (x west, y south, z up). Both points must be on one datum. Returns
// kSolved, or kSingular when w1's frame cannot be inverted.
SolveStatus RelativeFrame(const GeoPoint& w1, const GeoPoint& w2, Matrix3& m, Vector3& d);

// The station from two known waypoints, the slant range and elevation
// measured at the station to each (m1, m2; azimuths ignored) and the angle
// theta (radians) clockwise at the station from waypoint 1 to waypoint 2.
// Returns kSolved and writes `station` on w1's datum, or kNoSolution and
// leaves `station` untouched.
SolveStatus SolveResection(double theta, const PolarVector& m1, const PolarVector& m2,
                   const GeoPoint& w1, const GeoPoint& w2, GeoPoint& station);

// How far a station may miss a measured horizontal distance: 1 m plus 1% of
// the slant range. The solver's own error stays far below it (about 1 m at
// 70 degrees of latitude for ranges of kilometres).
inline constexpr double kRangeMissMetres = 1.0;
inline constexpr double kRangeMissShare = 0.01;

// Whether `station` (a result of SolveResection) meets what was measured:
// the solver returns a station for any two ranges, even ranges no position
// can have. Returns kSolved when the horizontal distance from the station to
// each waypoint matches the measured one (range times the cosine of the
// elevation) within kRangeMissMetres + kRangeMissShare * range, else
// kNoSolution; non-finite values never match.
SolveStatus CheckResection(const GeoPoint& station, const PolarVector& m1, const PolarVector& m2,
                   const GeoPoint& w1, const GeoPoint& w2);

}  // namespace trelvan
