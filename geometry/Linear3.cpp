#include "geometry/Linear3.h"

#include <cmath>

#include "geodesy/Angles.h"

namespace trelvan {

// Every sum and product below is written in a fixed order: the results are
// compared to the last bit (tests/properties/PinnedResultsTest.cpp pins a
// few), so none may be regrouped.

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

}  // namespace trelvan
