#pragma once

#include <cstdint>

namespace trelvan {

// Rounds half away from zero: trunc(x - 0.5) for negative x, else
// trunc(x + 0.5). 2.5 gives 3, -2.5 gives -3, -0.4 gives 0.
// NaN gives 0 and values beyond the 32-bit range saturate.
std::int32_t RoundHalfAway(double x);

// Brings an angle in degrees into [0, 360) by repeated addition or
// subtraction of one turn (so -1e-20 gives 0). Non-finite input gives NaN.
double WrapDegrees(double x);

// Brings an angle in radians into [0, 6.28318530717959) the same way; the
// turn is the decimal kFullTurn, a few units in the last place above 2*pi.
double WrapRadians(double x);

}  // namespace trelvan
