#pragma once

namespace trelvan {

// Highest degree and order of the IGRF-14 main field.
inline constexpr int kIgrf14Degree = 13;

// The model's epochs: 1900.0, 1905.0 ... 2030.0. The field is linear in time
// between two epochs; the 2030.0 column is the 2025.0 field carried on by its
// predicted rate.
inline constexpr int kIgrf14EpochCount = 27;
inline constexpr double kIgrf14FirstEpoch = 1900.0;
inline constexpr double kIgrf14EpochStep = 5.0;

// One row per Gauss coefficient: for each degree n = 1..13 come g(n,0), then
// g(n,m) and h(n,m) for m = 1..n, so g(n,0) is row n*n - 1.
inline constexpr int kIgrf14CoefficientCount = kIgrf14Degree * (kIgrf14Degree + 2);

struct Igrf14Row {
  int n;
  int m;                         // negative for h(n, -m)
  double gh[kIgrf14EpochCount];  // nT at each epoch
};

// The coefficients as the IAGA publishes them (Schmidt semi-normalised, nT).
extern const Igrf14Row kIgrf14Rows[kIgrf14CoefficientCount];

}  // namespace trelvan
