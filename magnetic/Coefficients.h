#pragma once

#include "magnetic/MagneticModel.h"

namespace trelvan {

// Number of secular-variation coefficients (index 0 unused): degrees 1..8.
inline constexpr int kSecularVariationCount = 81;

// Highest degree of the main field and of its secular variation.
inline constexpr int kMainFieldDegree = 10;
inline constexpr int kSecularVariationDegree = 8;

// Main geomagnetic field at epoch 2000.0 (IGRF 2000), Schmidt quasi-normalised
// Gauss coefficients in nT. Entry 0 is unused; for each degree n = 1..10 come
// g(n,0) and then the pairs g(n,m), h(n,m) for m = 1..n, so g(n,0) sits at
// index n*n.
extern const double kMainFieldCoefficients[kFieldCoefficientCount];

// Secular variation of the main field in nT per year, same order as the main
// field for degrees 1..8 (entry 0 unused). Degrees 9 and 10 do not change.
extern const double kSecularVariationCoefficients[kSecularVariationCount];

}  // namespace trelvan
