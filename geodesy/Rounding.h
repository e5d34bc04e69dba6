#pragma once

#include <cstdint>

namespace trelvan {

// Rounds half away from zero: trunc(x - 0.5) for negative x, else
// trunc(x + 0.5). 2.5 gives 3, -2.5 gives -3, -0.4 gives 0.
// NaN gives 0 and values beyond the 32-bit range saturate.
std::int32_t RoundHalfAway(double x);

}  // namespace trelvan
