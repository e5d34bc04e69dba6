#pragma once

#include "geodesy/Angles.h"

namespace trelvan {

// An angle in degrees from the parts a person types, into the position
// fields of the forms or on a line of the calculator: degrees, minutes,
// seconds and hundredths of a second, summed smallest part first with the
// decimals of geodesy/Angles.h. A typed position's bits, and so a stored
// waypoint's, depend on this order and these decimals
// (tests/properties/PinnedResultsTest.cpp pins one).
constexpr double DmsDegrees(double degrees, double minutes, double seconds, double hundredths) {
  return ((hundredths * kHundredthsToDeg + seconds * kSecondsToDeg) + minutes * kMinutesToDeg) +
         degrees;
}

// The same angle in radians: DmsDegrees times kDegToRad.
constexpr double DmsRadians(double degrees, double minutes, double seconds, double hundredths) {
  return DmsDegrees(degrees, minutes, seconds, hundredths) * kDegToRad;
}

}  // namespace trelvan
