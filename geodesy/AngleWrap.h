#pragma once

namespace trelvan {

// Brings an angle in degrees into [0, 360) by repeated addition or
// subtraction of one turn (so -1e-20 gives 0). Non-finite input gives NaN.
double WrapDegrees(double x);

// Brings an angle in radians into [0, 6.28318530717959) the same way; the
// turn is the decimal kFullTurn, a few units in the last place above 2*pi.
double WrapRadians(double x);

// An angle in radians brought into [-pi, pi] by whole turns of the exact
// 2*pi and converted to degrees; NaN for a non-finite angle. The field
// models take their latitude and longitude this way.
double SignedDegrees(double radians);

}  // namespace trelvan
