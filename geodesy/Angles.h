#pragma once

#include <numbers>

// Every angle constant of the program, in one place.
//
// The conversion factors and turns are short decimals, not pi-based
// expressions: displayed values at whole-degree boundaries (and the zone and
// band a whole-degree position falls in) depend on these particular doubles,
// as the exact-equality rows of tests/geodesy/UtmTest.cpp and
// tests/measures/DisplaySplitTest.cpp show.

namespace trelvan {

inline constexpr double kRadToDeg = 57.2957795130823;       // radians to degrees
inline constexpr double kDegToRad = 0.0174532925199433;     // degrees to radians
inline constexpr double kRadToMils = 1018.59163578813;      // radians to mils (6400 to the circle)
inline constexpr double kMilsToRad = 0.00098174770424681;   // mils to radians

// Quarter, half and whole turn as used by the survey geometry and the wrap
// helper. The whole turn is a few units in the last place above 2*pi.
inline constexpr double kQuarterTurn = 1.5707963267949;
inline constexpr double kHalfTurn = 3.14159265358979;
inline constexpr double kFullTurn = 6.28318530717959;

// Pi and two pi to full double precision, for the few steps that must stay
// inside the (-pi, pi] of atan2 (the field model's signed degrees, the mean
// of two longitudes): kHalfTurn is slightly below pi and would let a value
// between the two slip past.
inline constexpr double kPi = std::numbers::pi;
inline constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Seconds, minutes and hundredths of a second per radian in the display
// splits: each part of a degrees-minutes-seconds display is taken from the
// angle with its own factor, not from the remainder of the part before.
inline constexpr double kRadToMinutes = 3437.7467707849382;
inline constexpr double kRadToSeconds = 206264.80624709628;
inline constexpr double kRadToHundredths = 20626480.62470963;

// Degrees per minute, second and hundredth of a second, for typed angles
// (measures/DmsEntry.h).
inline constexpr double kMinutesToDeg = 0.016666666666666666;
inline constexpr double kSecondsToDeg = 0.0002777777777777778;
inline constexpr double kHundredthsToDeg = 2.777777777777778e-06;

}  // namespace trelvan
