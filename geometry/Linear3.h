#pragma once

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

}  // namespace trelvan
