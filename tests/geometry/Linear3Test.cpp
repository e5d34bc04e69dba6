#include "geometry/Linear3.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "geodesy/Angles.h"

namespace trelvan {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Matrix3 Diagonal(double a, double b, double c) { return {{a, 0, 0, 0, b, 0, 0, 0, c}}; }

double Determinant(const Matrix3& a) {
  const double* m = a.m;
  return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
         m[2] * (m[3] * m[7] - m[4] * m[6]);
}

void ExpectMatrixNear(const Matrix3& actual, const Matrix3& expected, double tolerance) {
  for (int i = 0; i < 9; ++i) {
    EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "entry " << i;
  }
}

void ExpectBitwiseEqual(const Matrix3& actual, const Matrix3& expected) {
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(actual.m[i], expected.m[i]) << "entry " << i;
  }
}

TEST(VectorLength, ZeroAndPythagoreanTriples) {
  EXPECT_EQ(VectorLength({0, 0, 0}), 0.0);
  EXPECT_EQ(VectorLength({3, 4, 12}), 13.0);
  EXPECT_EQ(VectorLength({-2, -3, 6}), 7.0);
}

TEST(InvertMatrix3, DeterminantAtTheThresholdIsSingular) {
  const Matrix3 sentinel = {{9, 8, 7, 6, 5, 4, 3, 2, 1}};
  for (double det : {1e-12, -1e-12, 5e-13, 0.0}) {
    Matrix3 dst = sentinel;
    EXPECT_EQ(InvertMatrix3(Diagonal(det, 1, 1), dst), SolveStatus::kSingular) << det;
    ExpectBitwiseEqual(dst, sentinel);
  }
  // The same determinant off the diagonal: a permutation with one small entry.
  Matrix3 dst = sentinel;
  EXPECT_EQ(InvertMatrix3({{0, 1e-12, 0, 0, 0, 1, 1, 0, 0}}, dst), SolveStatus::kSingular);
  ExpectBitwiseEqual(dst, sentinel);
}

TEST(InvertMatrix3, DeterminantJustAboveTheThresholdInverts) {
  Matrix3 dst = Diagonal(0, 0, 0);
  ASSERT_EQ(InvertMatrix3(Diagonal(1.1e-12, 1, 1), dst), SolveStatus::kSolved);
  EXPECT_EQ(dst.m[0], 1.0 / 1.1e-12);
  EXPECT_EQ(dst.m[4], 1.0);
  EXPECT_EQ(dst.m[8], 1.0);
  ASSERT_EQ(InvertMatrix3(Diagonal(-1.1e-12, 1, 1), dst), SolveStatus::kSolved);
  EXPECT_EQ(dst.m[0], -1.0 / 1.1e-12);
}

TEST(InvertMatrix3, NaNEntryIsSingularAndLeavesOutputAlone) {
  const Matrix3 sentinel = {{1, 2, 3, 4, 5, 6, 7, 8, 9}};
  for (int i = 0; i < 9; ++i) {
    Matrix3 m = Diagonal(2, 3, 4);
    m.m[i] = kNaN;
    Matrix3 dst = sentinel;
    EXPECT_EQ(InvertMatrix3(m, dst), SolveStatus::kSingular) << "NaN at " << i;
    ExpectBitwiseEqual(dst, sentinel);
    Vector3 out = {7, 8, 9};
    EXPECT_EQ(SolveLinear3(m, {1, 1, 1}, out), SolveStatus::kSingular);
    EXPECT_EQ(out.x, 7);
    EXPECT_EQ(out.y, 8);
    EXPECT_EQ(out.z, 9);
  }
}

TEST(InvertMatrix3, InverseTimesMatrixIsIdentity) {
  const Matrix3 cases[] = {
      {{2, -1, 0, -1, 2, -1, 0, -1, 2}},
      {{0, 0, 3, 1, 0, 0, 0, -5, 0}},
      {{1e3, 2.5, -7, 0.125, -4e2, 9, 3, 1, 0.001}},
      {{1, 2, 3, 0, 1, 4, 5, 6, 0}},
  };
  for (const Matrix3& m : cases) {
    Matrix3 inv;
    ASSERT_EQ(InvertMatrix3(m, inv), SolveStatus::kSolved);
    Matrix3 left;
    Matrix3 right;
    MultiplyMatrix3(inv, m, left);
    MultiplyMatrix3(m, inv, right);
    ExpectMatrixNear(left, Diagonal(1, 1, 1), 1e-12);
    ExpectMatrixNear(right, Diagonal(1, 1, 1), 1e-12);
  }
}

TEST(InvertMatrix3, IntegerInverseIsExact) {
  // det = 1, so the adjugate is the inverse and every entry is an integer.
  Matrix3 inv;
  ASSERT_EQ(InvertMatrix3({{1, 2, 3, 0, 1, 4, 5, 6, 0}}, inv), SolveStatus::kSolved);
  ExpectBitwiseEqual(inv, {{-24, 18, 5, 20, -15, -4, -5, 4, 1}});
}

TEST(MultiplyMatrix3, KnownProductAndOrder) {
  Matrix3 c;
  MultiplyMatrix3({{1, 2, 3, 4, 5, 6, 7, 8, 9}}, {{9, 8, 7, 6, 5, 4, 3, 2, 1}}, c);
  ExpectBitwiseEqual(c, {{30, 24, 18, 84, 69, 54, 138, 114, 90}});
  // The terms are accumulated in column order: 1 is lost to 1e16 first.
  MultiplyMatrix3({{1, 1e16, -1e16, 0, 0, 0, 0, 0, 0}}, {{1, 0, 0, 1, 0, 0, 1, 0, 0}}, c);
  EXPECT_EQ(c.m[0], 0.0);
}

TEST(TransformVector3, KnownProductAndOrder) {
  Vector3 out;
  TransformVector3({{1, 2, 3, 4, 5, 6, 7, 8, 9}}, {1, -1, 2}, out);
  EXPECT_EQ(out.x, 5);
  EXPECT_EQ(out.y, 11);
  EXPECT_EQ(out.z, 17);
  // The z term is added first and the x term last, so 1 survives here.
  TransformVector3({{1, 1e16, -1e16, 0, 0, 0, 0, 0, 0}}, {1, 1, 1}, out);
  EXPECT_EQ(out.x, 1.0);
}

TEST(SolveLinear3, SolutionSatisfiesTheSystem) {
  const Matrix3 m = {{1e3, 2.5, -7, 0.125, -4e2, 9, 3, 1, 0.001}};
  const Vector3 v = {12.5, -3, 1e4};
  Vector3 x{};
  ASSERT_EQ(SolveLinear3(m, v, x), SolveStatus::kSolved);
  Vector3 back;
  TransformVector3(m, x, back);
  EXPECT_NEAR(back.x, v.x, 1e-9);
  EXPECT_NEAR(back.y, v.y, 1e-9);
  EXPECT_NEAR(back.z, v.z, 1e-9);
}

TEST(SolveLinear3, SingularSystemLeavesOutputAlone) {
  Vector3 out = {1, 2, 3};
  EXPECT_EQ(SolveLinear3({{1, 2, 3, 2, 4, 6, 0, 0, 1}}, {1, 1, 1}, out), SolveStatus::kSingular);
  EXPECT_EQ(out.x, 1);
  EXPECT_EQ(out.y, 2);
  EXPECT_EQ(out.z, 3);
}

TEST(RotationMatrix3, ZeroAnglesGiveIdentity) {
  Matrix3 r;
  RotationMatrix3(0, 0, 0, r);
  ExpectBitwiseEqual(r, Diagonal(1, 1, 1));
}

TEST(RotationMatrix3, SingleAxisRotations) {
  const double a = 0.3;
  const double c = std::cos(a);
  const double s = std::sin(a);
  Matrix3 r;
  RotationMatrix3(a, 0, 0, r);
  ExpectMatrixNear(r, {{1, 0, 0, 0, c, -s, 0, s, c}}, 1e-16);
  RotationMatrix3(0, a, 0, r);
  ExpectMatrixNear(r, {{c, 0, s, 0, 1, 0, -s, 0, c}}, 1e-16);
  RotationMatrix3(0, 0, a, r);
  ExpectMatrixNear(r, {{c, -s, 0, s, c, 0, 0, 0, 1}}, 1e-16);
}

TEST(RotationMatrix3, FirstAngleActsFirst) {
  // Rx(90) takes y to z, which Rz leaves alone; the other order would give -x.
  Matrix3 r;
  RotationMatrix3(kQuarterTurn, 0, kQuarterTurn, r);
  Vector3 out;
  TransformVector3(r, {0, 1, 0}, out);
  EXPECT_NEAR(out.x, 0, 1e-14);
  EXPECT_NEAR(out.y, 0, 1e-14);
  EXPECT_NEAR(out.z, 1, 1e-14);
}

TEST(RotationMatrix3, IsOrthonormal) {
  Matrix3 r;
  RotationMatrix3(0.7, -1.2, 2.9, r);
  Matrix3 transposed;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      transposed.m[3 * i + j] = r.m[3 * j + i];
    }
  }
  Matrix3 product;
  MultiplyMatrix3(transposed, r, product);
  ExpectMatrixNear(product, Diagonal(1, 1, 1), 1e-15);
  EXPECT_NEAR(Determinant(r), 1.0, 1e-15);
}

TEST(LocalFrame, AtZeroZeroAxesAreWestSouthUp) {
  Matrix3 frame;
  LocalFrame(GeoPoint{0, 0, 0, 0}, frame);
  ExpectMatrixNear(frame, {{0, 0, 1, -1, 0, 0, 0, -1, 0}}, 1e-14);
}

TEST(LocalFrame, ColumnsAreWestSouthUpEverywhere) {
  for (double latDeg : {-89.0, -41.0, 0.0, 12.5, 70.0}) {
    for (double lonDeg : {-179.0, -30.0, 0.0, 29.0, 135.0, 180.0}) {
      const double lat = latDeg * kDegToRad;
      const double lon = lonDeg * kDegToRad;
      Matrix3 frame;
      LocalFrame(GeoPoint{lat, lon, 250.0, 0}, frame);
      const double sf = std::sin(lat);
      const double cf = std::cos(lat);
      const double sl = std::sin(lon);
      const double cl = std::cos(lon);
      ExpectMatrixNear(frame, {{sl, cl * sf, cl * cf, -cl, sl * sf, sl * cf, 0, -cf, sf}}, 1e-13);
      EXPECT_NEAR(Determinant(frame), 1.0, 1e-14);

      // The frame always inverts, and solving with it recovers local components.
      const Vector3 local = {-120.5, 33.25, 7.0};
      Vector3 ecef;
      TransformVector3(frame, local, ecef);
      Vector3 back;
      ASSERT_EQ(SolveLinear3(frame, ecef, back), SolveStatus::kSolved);
      EXPECT_NEAR(back.x, local.x, 1e-12);
      EXPECT_NEAR(back.y, local.y, 1e-12);
      EXPECT_NEAR(back.z, local.z, 1e-12);
    }
  }
}

// The frame is the rotation product written out: the same doubles, signed
// zeros included, wherever it is finite, and NaN in the same entries where a
// coordinate is not. A sine of exactly zero (an angle of exactly a quarter
// turn) and the signs of zero on the way are where the two could part.
TEST(LocalFrame, IsTheRotationProductToTheLastBit) {
  const double kInf = std::numeric_limits<double>::infinity();
  std::vector<double> angles = {0.0,        -0.0, kQuarterTurn, -kQuarterTurn, kHalfTurn,
                                -kHalfTurn, kPi,  1e-300,       -4.9e-324,     1e300,
                                -1e300,     kNaN, kInf,         -kInf};
  for (double a : {kQuarterTurn, kPi / 2.0}) {
    angles.push_back(std::nextafter(a, 0.0));
    angles.push_back(std::nextafter(a, 4.0));
  }
  for (int i = -400; i <= 400; ++i) angles.push_back(i * 0.0078125 + i * 1e-9);
  for (double lat : angles) {
    for (double lon : angles) {
      Matrix3 frame;
      LocalFrame(GeoPoint{lat, lon, 0.0, 0}, frame);
      Matrix3 product;
      RotationMatrix3(lat - kQuarterTurn, 0.0, lon - kQuarterTurn, product);
      for (int k = 0; k < 9; ++k) {
        if (std::isnan(product.m[k])) {
          ASSERT_TRUE(std::isnan(frame.m[k])) << lat << " " << lon << " entry " << k;
        } else {
          ASSERT_EQ(std::bit_cast<std::uint64_t>(frame.m[k]),
                    std::bit_cast<std::uint64_t>(product.m[k]))
              << lat << " " << lon << " entry " << k;
        }
      }
    }
  }
}

}  // namespace
}  // namespace trelvan
