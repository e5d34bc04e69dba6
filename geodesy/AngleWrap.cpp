#include "geodesy/AngleWrap.h"

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

// Beyond this many radians an angle is first reduced by fmod: a turn taken
// off at a time could never finish on a huge angle (a - 2*pi == a), and on a
// moderately large one would take needlessly long. Below it, the turns come
// off one at a time as always, so ordinary angles keep their exact values.
constexpr double kStepwiseReductionLimit = 1024.0 * kTwoPi;

}  // namespace

double WrapDegrees(double x) { return WrapTurn(x, 360.0); }

double WrapRadians(double x) { return WrapTurn(x, kFullTurn); }

double SignedDegrees(double radians) {
  if (!std::isfinite(radians)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  double a = radians;
  if (std::fabs(a) > kStepwiseReductionLimit) {
    a = std::fmod(a, kTwoPi);
  }
  while (a > kPi) {
    a -= kTwoPi;
  }
  while (a < -kPi) {
    a += kTwoPi;
  }
  return a * kRadToDeg;
}

}  // namespace trelvan
