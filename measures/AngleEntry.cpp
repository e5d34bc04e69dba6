#include "measures/AngleEntry.h"

#include "geodesy/AngleWrap.h"
#include "measures/Units.h"

namespace trelvan {

double EntryValue(std::int32_t whole, std::int32_t hundredths) {
  return static_cast<double>(whole) + static_cast<double>(hundredths) * 0.01;
}

std::string_view NextReference(std::string_view caption) {
  if (caption == kTrueNorth) return kGridNorth;
  if (caption == kGridNorth) return kMagneticNorth;
  if (caption == kMagneticNorth) return kTrueNorth;
  return caption;
}

std::string_view ReferenceOf(std::string_view caption) {
  if (caption == kTrueNorth) return kTrueNorth;
  if (caption == kMagneticNorth) return kMagneticNorth;
  return kGridNorth;
}

std::string_view ToggledSign(std::string_view caption) {
  return caption == kPlus ? kMinus : kPlus;
}

double ReferToTrue(std::string_view caption, double azimuth, double variance,
                   double convergence) {
  // A true azimuth passes as typed, without reduction into one turn.
  if (caption == kTrueNorth) return azimuth;
  if (caption == kMagneticNorth) return WrapRadians(azimuth + variance);
  return WrapRadians(azimuth + convergence);
}

double ReferFromTrue(std::string_view caption, double trueAzimuth, double variance,
                     double convergence) {
  if (caption == kTrueNorth) return trueAzimuth;
  if (caption == kMagneticNorth) return WrapRadians(trueAzimuth - variance);
  return WrapRadians(trueAzimuth - convergence);
}

bool AzimuthWholeRejected(std::int32_t value, std::int32_t angleUnit) {
  return IsMils(angleUnit) ? value > 6399 : value >= 360;
}

bool ElevationWholeRejected(std::int32_t value, std::int32_t angleUnit) {
  return IsMils(angleUnit) ? value >= 1600 : value >= 90;
}

}  // namespace trelvan
