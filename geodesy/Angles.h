#pragma once

// Angle conversion constants shared by the whole program.
//
// These are the exact decimals the program has always used, not pi-based
// expressions: displayed values at whole-degree boundaries (and the zone and
// band a whole-degree position falls in) depend on these particular doubles.

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

}  // namespace trelvan
