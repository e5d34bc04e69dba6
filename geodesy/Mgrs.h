#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "geodesy/Datum.h"
#include "geodesy/Utm.h"

// Military Grid Reference System references on the UTM grid of a datum:
// zone and band, the 100 km square (a column and a row letter), then the
// easting and northing inside the square with the same number of digits
// each. "30U YC 08213 07224" names a 1 m cell; "30U YC 0807" a 1 km cell.
//
// Column letters run A..Z without I and O across three zones (A..H in zones
// 1, 4, 7, ..., J..R in 2, 5, 8, ..., S..Z in 3, 6, 9, ...), the first
// letter of the set for eastings 100000..199999 m. Row letters run A..V
// without I and O and repeat every 2000 km of northing, from A at northing 0
// in odd zones and F in even ones. Datums on the Clarke 1866, Clarke 1880,
// Bessel 1841 and Bessel Namibia ellipsoids print the older row lettering,
// ten letters further on (L in odd zones, R in even ones).
//
// Only the UTM part of the system exists here (80 S to 84 N); the polar
// bands A, B, Y and Z are refused.

namespace trelvan {

// Why a reference could not be written or read; only kOk carries a result.
enum class MgrsStatus {
  kOk,
  kOutsideGrid,        // latitude beyond 80 S..84 N, or not a number: no UTM there
  kNotFinite,          // an easting or northing that is not a number
  kBadPrecision,       // precision not 0..5
  kBufferTooSmall,     // the text buffer cannot hold the reference
  kMalformed,          // not zone, band, two square letters and digits
  kBadZone,            // zone not 1..60
  kBadBand,            // not a band letter C..X without I and O
  kBadSquareLetter,    // a column letter I or O, or a row letter I, O or W..Z
  kUnevenDigits,       // easting and northing of different lengths, or above 5 digits
  kZoneNotInBand,      // 32X, 34X and 36X: Svalbard has zones 31, 33, 35 and 37 only
  kColumnNotInZone,    // a column letter of another zone's set
  kSquareOutsideZone,  // the square lies beyond the zone's edges within the band
  kSquareOutsideBand,  // no 2000 km cycle of rows puts the square in the band
};

// Digits of easting (and of northing) at 1 m, the finest precision.
inline constexpr int kMgrsMaxPrecision = 5;

// Room for the longest reference, "60X AB 12345 12345", and its NUL.
inline constexpr std::size_t kMgrsTextSize = 19;

// How a reference is written: "30UYC0821307224" or "30U YC 08213 07224".
enum class MgrsStyle { kCompact, kSpaced };

// True when the ellipsoid of datum `index` (by its a and 1/f) prints the
// older row lettering.
bool UsesOlderLettering(std::uint16_t datum);

// Writes the reference of the cell of `grid` (a UTM position as GeoToUtm
// gives it, lettered for grid.datum) with `precision` digits each of easting
// and northing, truncated so that the cell holds the position. The square
// must meet the zone's part of the band, which is found by projecting its
// corners (GeoToMgrs, whose position GeoToUtm put in its zone and band, has
// no need to). Writes an empty text on any refusal when `size` allows; never
// writes beyond `size`.
MgrsStatus UtmToMgrs(const UtmPoint& grid, int precision, MgrsStyle style, char* text,
                     std::size_t size);

// The reference of `point` on its own datum: refused beyond 80 S..84 N
// (ToGrid, geodesy/GridDomain.h), else the reference of the cell GeoToUtm
// puts it in. Every position between 80 S and 84 N has one.
MgrsStatus GeoToMgrs(const GeoPoint& point, int precision, MgrsStyle style, char* text,
                     std::size_t size);

// A reference held by value, so that a list column or a field is one call:
// the text is empty unless status is kOk.
struct MgrsText {
  MgrsStatus status;
  char text[kMgrsTextSize];
};

// The spaced reference of `point` (a stored waypoint's position) on its own
// datum, at 1 m unless `precision` says otherwise.
MgrsText MgrsOf(const GeoPoint& point, int precision = kMgrsMaxPrecision);

// Reads a reference lettered for `datum`: spaces optional between zone,
// band, square, easting and northing; letters in either case; 0 to 5 digits
// each of easting and northing. On kOk, `corner` is the south-west corner of
// the cell named (height 0, column and row set to the square's letters) and
// `precision` the digits of each; on a refusal both are left as they were.
// The northing's 2000 km cycle is the one that puts the square in the band.
// Near 84 N the corner of a coarse cell at a zone's edge may lie farther out
// than FromGrid (geodesy/GridDomain.h) reads a grid position back.
MgrsStatus MgrsToUtm(std::string_view text, std::uint16_t datum, UtmPoint& corner, int& precision);

}  // namespace trelvan
