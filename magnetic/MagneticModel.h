#pragma once

#include <cstdint>

#include "geodesy/Datum.h"
#include "magnetic/Calendar.h"

namespace trelvan {

// A calendar date and time of day as read from the local clock. The model
// reads day, month and year only.
struct DateStamp {
  double seconds;
  std::int16_t minute;
  std::int16_t hour;
  std::int16_t day;    // 1..31
  std::int16_t month;  // 1..12
  std::int16_t year;   // full year, e.g. 2004
};

// Number of time-adjusted coefficients (index 0 unused).
inline constexpr int kFieldCoefficientCount = 121;

// Cartesian field components in nT: north, east, down.
struct MagneticField {
  double x;
  double y;
  double z;
};

// Magnetic declination in degrees, east positive, at `position` (latitude
// and longitude on its own datum, height in metres) on `date`.
double MagneticVariance(const DateStamp& date, const GeoPoint& position);

// The coefficients for `dt` years after 2000.0, rounded to single precision:
// main field plus secular variation times dt for degrees 1..8.
void AdjustCoefficients(double dt, float gh[kFieldCoefficientCount]);

// Field synthesis at geodetic latitude and longitude (degrees) and height
// (km) from the adjusted coefficients.
MagneticField FieldSynthesis(double latitude, double longitude, double height,
                             const float gh[kFieldCoefficientCount]);

// Declination in radians from the field components; 57238.48373356924 where
// the horizontal or total field is weaker than 0.0001 nT.
double DeclinationFromField(double x, double y, double z);

}  // namespace trelvan
