#include "geodesy/Rounding.h"

#include <cmath>
#include <limits>

namespace trelvan {

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

}  // namespace trelvan
