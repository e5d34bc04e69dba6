#pragma once

#include <cstdint>
#include <string_view>

namespace trelvan {

// Captions of the azimuth reference button; the caption is the state.
inline constexpr std::string_view kTrueNorth = "TRUE";
inline constexpr std::string_view kGridNorth = "GRID";
inline constexpr std::string_view kMagneticNorth = "MAG";
inline constexpr std::string_view kReferenceCaptions[] = {kTrueNorth, kGridNorth, kMagneticNorth};

// The reference a caption stands for, as one of the constants above that
// outlive any button: kTrueNorth and kMagneticNorth for themselves,
// kGridNorth for any other caption, as ReferToTrue reads it.
std::string_view ReferenceOf(std::string_view caption);

// Captions of the sign buttons.
inline constexpr std::string_view kPlus = "+";
inline constexpr std::string_view kMinus = "-";

// Value of an entry pair: whole + hundredths * 0.01 (the hundredths field is
// not limited to two digits: 150 adds 1.5).
double EntryValue(std::int32_t whole, std::int32_t hundredths);

// The caption after a press of the reference button: TRUE, GRID, MAG, TRUE;
// any other caption is left alone.
std::string_view NextReference(std::string_view caption);

// The caption after a press of a sign button: "-" after "+", "+" otherwise.
std::string_view ToggledSign(std::string_view caption);

// A typed azimuth (radians) referred to true north: unchanged under "TRUE",
// WrapRadians(a + variance) under "MAG", WrapRadians(a + convergence) under
// any other caption.
double ReferToTrue(std::string_view caption, double azimuth, double variance,
                   double convergence);

// A true azimuth (radians) referred to the button's reference for display.
double ReferFromTrue(std::string_view caption, double trueAzimuth, double variance,
                     double convergence);

// Range checks of the whole-units fields: true when the value is rejected.
// Azimuth: 360 and above in degrees, above 6399 in mils. Elevation: 90 and
// above in degrees, 1600 and above in mils.
bool AzimuthWholeRejected(std::int32_t value, std::int32_t angleUnit);
bool ElevationWholeRejected(std::int32_t value, std::int32_t angleUnit);

}  // namespace trelvan
