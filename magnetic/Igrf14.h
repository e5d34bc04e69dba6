#pragma once

#include "geodesy/Angles.h"
#include "magnetic/MagneticModel.h"

// The program's magnetic variance: the International Geomagnetic Reference
// Field, 14th generation (IGRF-14), to degree 13 in double precision, for any
// date from 1900 to 2030. The older epoch-2000 model (MagneticModel.h) stays
// beside it, unchanged, for results that must be reproduced.

namespace trelvan {

// The calendar years the model covers; the last one extrapolates the
// 2025-2030 rate. Outside them the rate of the nearest five years carries on.
inline constexpr int kIgrf14FirstYear = 1900;
inline constexpr int kIgrf14LastYear = 2030;

// What every magnetic variance of the program reads where the declination is
// undefined: the fixed 57238.48373356924 radians that DeclinationFromField
// gives for a vanishing field, in degrees.
inline constexpr double kUndefinedVariance = 57238.48373356924 * kRadToDeg;

// Whether `year` lies in 1900..2030.
bool Igrf14CoversYear(int year);

// The field at decimal year `t`, geodetic latitude and longitude in degrees
// on WGS-84 and height in km above the ellipsoid: X north, Y east, Z down,
// in nT. Components are NaN for a non-finite input.
MagneticField Igrf14Field(double t, double latitude, double longitude, double height);

// The declination in degrees, east positive: the angle from geodetic north
// to the horizontal field at the place and decimal year of Igrf14Field.
// kUndefinedVariance within about a millimetre of a geographic pole, where
// the horizontal field is weaker than 1 nT, and for a non-finite input.
double Igrf14Declination(double t, double latitude, double longitude, double height);

// Magnetic variance in degrees, east positive, at `position` (latitude and
// longitude in radians on its own datum, height in metres) on `date`, read as
// the decimal year of DecimalYear; undefined cases as Igrf14Declination.
double Igrf14Variance(const DateStamp& date, const GeoPoint& position);

}  // namespace trelvan
