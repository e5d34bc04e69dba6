#pragma once

// The awkward doubles that every core operation must come through, and
// comparisons that treat every NaN as equal to every other.

#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <vector>

#include "geodesy/Datum.h"
#include "geodesy/Utm.h"

namespace trelvan::properties {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

// Not a number, both infinities, both zeros, the smallest subnormal, a
// subnormal just below the normal range, and values far beyond the earth.
inline constexpr double kOddValues[] = {kNaN,      kInf,     -kInf,     0.0,   -0.0,  4.9e-324,
                                        -4.9e-324, 2.2e-308, -2.2e-308, 1e300, -1e300};

// Ordinary values of every quantity (radians, metres) to mix them with.
inline constexpr double kPlainValues[] = {0.7, -1.2, 250.0};

// The odd and the plain values together.
inline std::vector<double> AllValues() {
  std::vector<double> all(std::begin(kOddValues), std::end(kOddValues));
  all.insert(all.end(), std::begin(kPlainValues), std::end(kPlainValues));
  return all;
}

// The same double, bit for bit, or NaN on both sides.
inline bool Same(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// A position a survey could meet: finite, latitude within the poles and a
// height within the atmosphere.
inline bool Ordinary(const GeoPoint& p) {
  return std::isfinite(p.lat) && std::isfinite(p.lon) && std::fabs(p.lat) <= 1.5707963267948966 &&
         std::fabs(p.lon) <= 7.0 && std::fabs(p.height) <= 1e5;
}

inline bool Finite(const GeoPoint& p) {
  return std::isfinite(p.lat) && std::isfinite(p.lon) && std::isfinite(p.height);
}

// A latitude band letter: C..X without I and O.
inline bool IsBand(signed char c) { return c >= 'C' && c <= 'X' && c != 'I' && c != 'O'; }

}  // namespace trelvan::properties
