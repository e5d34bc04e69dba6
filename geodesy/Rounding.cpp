#include "geodesy/Rounding.h"

#include <cmath>
#include <limits>

#include "geodesy/Angles.h"

namespace trelvan {
namespace {

// Angles further than this many turns from zero are first reduced with an
// exact remainder; closer ones keep the results of one-turn steps, which
// differ from a remainder in the last place for some inputs.
constexpr double kStepLimitTurns = 1e6;

// Brings x into [0, turn) by adding or subtracting one turn at a time.
double WrapTurn(double x, double turn) {
  if (!std::isfinite(x)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (std::fabs(x) > kStepLimitTurns * turn) {
    x = std::fmod(x, turn);
  }
  while (x < 0.0) {
    x = x + turn;
  }
  while (x >= turn) {
    x = x - turn;
  }
  return x;
}

}  // namespace

std::int32_t RoundHalfAway(double x) {
  if (std::isnan(x)) {
    return 0;
  }
  const double whole = x < 0.0 ? std::trunc(x - 0.5) : std::trunc(x + 0.5);
  if (whole >= 2147483647.0) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (whole <= -2147483648.0) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(whole);
}

double WrapDegrees(double x) { return WrapTurn(x, 360.0); }

double WrapRadians(double x) { return WrapTurn(x, kFullTurn); }

}  // namespace trelvan
