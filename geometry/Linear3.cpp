#include "geometry/Linear3.h"

#include <cmath>

#include "geodesy/Angles.h"

namespace trelvan {

// Every sum and product below is written in a fixed order: the results are
// compared to the last bit (tests/properties/PinnedResultsTest.cpp pins a
// few), so none may be regrouped.

double VectorLength(const Vector3& v) { return std::sqrt((v.x * v.x + v.y * v.y) + v.z * v.z); }

SolveStatus InvertMatrix3(const Matrix3& src, Matrix3& dst) {
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

void MultiplyMatrix3(const Matrix3& a, const Matrix3& b, Matrix3& c) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k) {
        sum += a.m[3 * i + k] * b.m[3 * k + j];
      }
      c.m[3 * i + j] = sum;
    }
  }
}

void TransformVector3(const Matrix3& m, const Vector3& v, Vector3& out) {
  out.x = (m.m[2] * v.z + m.m[1] * v.y) + m.m[0] * v.x;
  out.y = (m.m[5] * v.z + m.m[4] * v.y) + m.m[3] * v.x;
  out.z = (m.m[8] * v.z + m.m[7] * v.y) + m.m[6] * v.x;
}

SolveStatus SolveLinear3(const Matrix3& m, const Vector3& v, Vector3& out) {
  Matrix3 inverse;
  if (InvertMatrix3(m, inverse) == SolveStatus::kSingular) {
    return SolveStatus::kSingular;
  }
  TransformVector3(inverse, v, out);
  return SolveStatus::kSolved;
}

void RotationMatrix3(double a1, double a2, double a3, Matrix3& out) {
  const double c1 = std::cos(a1);
  const double s1 = std::sin(a1);
  const double c2 = std::cos(a2);
  const double s2 = std::sin(a2);
  const double c3 = std::cos(a3);
  const double s3 = std::sin(a3);
  const Matrix3 rx = {{1.0, 0.0, 0.0, 0.0, c1, -s1, 0.0, s1, c1}};
  const Matrix3 ry = {{c2, 0.0, s2, 0.0, 1.0, 0.0, -s2, 0.0, c2}};
  const Matrix3 rz = {{c3, -s3, 0.0, s3, c3, 0.0, 0.0, 0.0, 1.0}};
  Matrix3 t;
  MultiplyMatrix3(ry, rx, t);
  MultiplyMatrix3(rz, t, out);
}

void LocalFrame(const GeoPoint& p, Matrix3& out) {
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
