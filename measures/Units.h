#pragma once

#include <cstdint>

#include "geodesy/Angles.h"

namespace trelvan {

// Angle unit codes as stored in the settings. Every test asks only whether
// the code is zero: zero is mils, any other value degrees.
enum AngleUnit : std::int32_t {
  kMils = 0,
  kDegrees = 1,
};

// Distance unit codes as stored in the settings.
enum DistanceUnit : std::int32_t {
  kMeters = 0,
  kKilometers = 1,
  kFeet = 2,
  kNauticalMiles = 3,
  kStatuteMiles = 4,
  kYards = 5,
};

inline constexpr int kDistanceUnitCount = 6;

// One distance unit: the Units form caption, the short label of the task
// forms, the factor from metres to the unit (display) and from the unit to
// metres (entry). The display factors are stored quotients, not computed.
struct DistanceUnitSpec {
  const char* caption;
  const char* label;
  double fromMetres;
  double toMetres;
};

inline constexpr DistanceUnitSpec kDistanceUnits[kDistanceUnitCount] = {
    {"meters",         "m",   1.0,                   1.0},
    {"kilometers",     "km",  0.001,                 1000.0},
    {"feet",           "ft",  3.280839895013123,     0.3048},
    {"nautical miles", "nmi", 0.0005399568034557236, 1852.0},
    {"statute miles",  "smi", 0.0006213711922373339, 1609.344},
    {"yards",          "yd",  1.0936132983377078,    0.9144},
};

inline constexpr const char* kMilsCaption = "Mils";
inline constexpr const char* kDegreesCaption = "Degrees";
inline constexpr const char* kMilsLabel = "mils";
inline constexpr const char* kDegreesLabel = "Deg";

// Heights beyond this many metres above or below the ellipsoid are refused
// where they are read from text (an import, a grid reference's height):
// they are typing or unit errors, and the datum shift is only exact near
// the earth's surface.
inline constexpr double kMaxHeight = 100000.0;

inline constexpr double kFeetPerMetre = 3.280839895013123;
inline constexpr double kMetresPerFoot = 0.3048;

inline constexpr bool IsMils(std::int32_t angleUnit) { return angleUnit == kMils; }

// "mils" for code 0, "Deg" for any other code.
inline constexpr const char* AngleUnitLabel(std::int32_t angleUnit) {
  return IsMils(angleUnit) ? kMilsLabel : kDegreesLabel;
}

// Factor from radians to the display angle unit, and from it to radians.
inline constexpr double RadiansToAngleUnit(std::int32_t angleUnit) {
  return IsMils(angleUnit) ? kRadToMils : kRadToDeg;
}
inline constexpr double AngleUnitToRadians(std::int32_t angleUnit) {
  return IsMils(angleUnit) ? kMilsToRad : kDegToRad;
}

inline constexpr bool IsDistanceUnit(std::int32_t code) {
  return code >= 0 && code < kDistanceUnitCount;
}

// Label of a range in the distance unit; nullptr for a code outside 0..5,
// where a form leaves its label as it stands.
inline constexpr const char* DistanceLabel(std::int32_t code) {
  return IsDistanceUnit(code) ? kDistanceUnits[code].label : nullptr;
}

// Metres to the display unit; a code outside 0..5 shows metres.
inline constexpr double DistanceDisplayFactor(std::int32_t code) {
  return IsDistanceUnit(code) ? kDistanceUnits[code].fromMetres : 1.0;
}

// Typed unit to metres; a code outside 0..5 leaves the value unconverted.
inline constexpr double DistanceEntryFactor(std::int32_t code) {
  return IsDistanceUnit(code) ? kDistanceUnits[code].toMetres : 1.0;
}

// Altitudes are shown only in feet (for feet, statute miles and yards) or
// metres (for everything else).
inline constexpr bool AltitudeInFeet(std::int32_t code) {
  return code == kFeet || code == kStatuteMiles || code == kYards;
}
inline constexpr double AltitudeDisplayFactor(std::int32_t code) {
  return AltitudeInFeet(code) ? kFeetPerMetre : 1.0;
}
inline constexpr double AltitudeEntryFactor(std::int32_t code) {
  return AltitudeInFeet(code) ? kMetresPerFoot : 1.0;
}

// "ft" or "m"; nullptr for a code outside 0..5, where the label stays.
inline constexpr const char* AltitudeLabel(std::int32_t code) {
  if (!IsDistanceUnit(code)) return nullptr;
  return AltitudeInFeet(code) ? "ft" : "m";
}

}  // namespace trelvan
