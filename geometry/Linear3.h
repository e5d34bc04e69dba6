#pragma once

#include <cmath>

#include "geodesy/Angles.h"
#include "geodesy/Datum.h"
#include "geometry/SolveStatus.h"

namespace trelvan {

// Three doubles: an earth-centred offset in metres or local components.
struct Vector3 {
  double x;
  double y;
  double z;
};

// Nine doubles row by row: m[0..2] is row 0, m[3..5] row 1, m[6..8] row 2.
struct Matrix3 {
  double m[9];
};

// Euclidean length, summed as (x*x + y*y) + z*z.
double VectorLength(const Vector3& v);

// Inverse by the adjugate. Returns kSingular (dst untouched) unless
// |det| > 1e-12, which also rejects a NaN determinant. dst must not be src.
SolveStatus InvertMatrix3(const Matrix3& src, Matrix3& dst);

// c = a * b; c must be neither a nor b.
void MultiplyMatrix3(const Matrix3& a, const Matrix3& b, Matrix3& c);

// out = m * v; out must not be v.
void TransformVector3(const Matrix3& m, const Vector3& v, Vector3& out);

// Solves m * out = v through the explicit inverse. Returns kSingular and
// leaves out untouched when m cannot be inverted.
SolveStatus SolveLinear3(const Matrix3& m, const Vector3& v, Vector3& out);

// out = Rz(a3) * Ry(a2) * Rx(a1), angles in radians.
void RotationMatrix3(double a1, double a2, double a3, Matrix3& out);

// The local frame of p on p's own datum: columns are the local west, south
// and up axes in earth-centred components, so TransformVector3(frame, local)
// gives an earth-centred offset.
void LocalFrame(const GeoPoint& p, Matrix3& out);

// Every polar computation goes through the functions below, so they are
// defined here where the compiler can inline them. Every sum and product is
// written in a fixed order: the results are compared to the last bit
// (tests/properties/PinnedResultsTest.cpp pins a few), so none may be
// regrouped.

inline double VectorLength(const Vector3& v) {
  return std::sqrt((v.x * v.x + v.y * v.y) + v.z * v.z);
}

inline SolveStatus InvertMatrix3(const Matrix3& src, Matrix3& dst) {
  const double* m = src.m;
  const double c0 = m[4] * m[8] - m[5] * m[7];
  const double c1 = m[3] * m[8] - m[6] * m[5];
  const double c2 = m[3] * m[7] - m[6] * m[4];
  const double det = (m[0] * c0 - m[1] * c1) + m[2] * c2;
  // Written so that a NaN determinant fails the test as well.
  if (!(std::fabs(det) > 1e-12)) {
    return SolveStatus::kSingular;
  }
  const double k = 1.0 / det;
  double* d = dst.m;
  d[0] = (m[4] * m[8] - m[5] * m[7]) * k;
  d[3] = -((m[8] * m[3] - m[6] * m[5]) * k);
  d[6] = (m[7] * m[3] - m[6] * m[4]) * k;
  d[1] = -((m[8] * m[1] - m[7] * m[2]) * k);
  d[4] = (m[8] * m[0] - m[6] * m[2]) * k;
  d[7] = -((m[7] * m[0] - m[6] * m[1]) * k);
  d[2] = (m[5] * m[1] - m[4] * m[2]) * k;
  d[5] = -((m[5] * m[0] - m[3] * m[2]) * k);
  d[8] = (m[4] * m[0] - m[3] * m[1]) * k;
  return SolveStatus::kSolved;
}

inline void TransformVector3(const Matrix3& m, const Vector3& v, Vector3& out) {
  out.x = (m.m[2] * v.z + m.m[1] * v.y) + m.m[0] * v.x;
  out.y = (m.m[5] * v.z + m.m[4] * v.y) + m.m[3] * v.x;
  out.z = (m.m[8] * v.z + m.m[7] * v.y) + m.m[6] * v.x;
}

inline SolveStatus SolveLinear3(const Matrix3& m, const Vector3& v, Vector3& out) {
  Matrix3 inverse;
  if (InvertMatrix3(m, inverse) == SolveStatus::kSingular) {
    return SolveStatus::kSingular;
  }
  TransformVector3(inverse, v, out);
  return SolveStatus::kSolved;
}

inline void LocalFrame(const GeoPoint& p, Matrix3& out) {
  // Rotating by latitude and longitude less a quarter turn carries the
  // earth-centred axes onto west, south and up at p: the product
  // RotationMatrix3(p.lat - kQuarterTurn, 0.0, p.lon - kQuarterTurn) written
  // out. Every entry is the double that product's sums give: a term with a
  // zero factor adds a zero, which leaves a non-zero sum as it is and turns
  // a zero sum into +0, hence the 0.0 kept in three entries. A sine here is
  // zero only where its angle is +0 exactly.
  const double c1 = std::cos(p.lat - kQuarterTurn);
  const double s1 = std::sin(p.lat - kQuarterTurn);
  const double c3 = std::cos(p.lon - kQuarterTurn);
  const double s3 = std::sin(p.lon - kQuarterTurn);
  out = {{c3, 0.0 - s3 * c1, 0.0 + s3 * s1,  //
          s3, c3 * c1, 0.0 - c3 * s1,        //
          0.0, s1, c1}};
}

}  // namespace trelvan
