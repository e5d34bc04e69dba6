// The scalar steps of the field model: decimal year, signed degrees and the
// declination from the field components.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/AngleWrap.h"
#include "magnetic/Calendar.h"
#include "magnetic/MagneticModel.h"

namespace trelvan {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kUndefined = 57238.48373356924;

TEST(DaysInMonth, GregorianMonths) {
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

TEST(DecimalYear, LeapDayAndTheDayAfter) {
  // January and February of a leap year divide by 365, later months by 366.
  EXPECT_EQ(DecimalYear(2, 29, 2004), 2004 + 60 / 365.0);
  EXPECT_EQ(DecimalYear(3, 1, 2004), 2004 + 61 / 366.0);
  EXPECT_EQ(DecimalYear(3, 1, 2005), 2005 + 60 / 365.0);
  EXPECT_EQ(DecimalYear(12, 31, 2004), 2004 + 366 / 366.0);
}

TEST(DecimalYear, FirstAndLastDayOfTheYear) {
  for (int year : {1999, 2000, 2003, 2004, 2026}) {
    SCOPED_TRACE(year);
    EXPECT_EQ(DecimalYear(1, 1, year), year + 1 / 365.0);
  }
  for (int year : {1999, 2003, 2026, 2100}) {
    SCOPED_TRACE(year);
    EXPECT_EQ(DecimalYear(12, 31, year), year + 1.0);
  }
}

TEST(DecimalYear, CenturyYearsFollowTheGregorianRule) {
  // 2000 and 2400 are leap years; 1800, 1900, 2100, 2200 and 2300 are not.
  EXPECT_EQ(DecimalYear(3, 1, 2000), 2000 + 61 / 366.0);
  EXPECT_EQ(DecimalYear(3, 1, 2400), 2400 + 61 / 366.0);
  for (int year : {1800, 1900, 2100, 2200, 2300}) {
    SCOPED_TRACE(year);
    EXPECT_EQ(DecimalYear(3, 1, year), year + 60 / 365.0);
  }
}

TEST(DecimalYear, DaysAdvanceMonotonicallyThroughTheYear) {
  const int monthLength[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int year : {2003, 2004}) {
    double previous = year;
    for (int month = 1; month <= 12; ++month) {
      const int days = (month == 2 && year == 2003) ? 28 : monthLength[month - 1];
      for (int day = 1; day <= days; ++day) {
        const double t = DecimalYear(month, day, year);
        EXPECT_GT(t, previous) << year << "-" << month << "-" << day;
        EXPECT_LE(t, year + 1.0);
        previous = t;
      }
    }
  }
}

TEST(DecimalYear, MonthOutsideTheYearIsNotANumber) {
  for (int month : {0, 13, -1, 32767, -32768}) {
    SCOPED_TRACE(month);
    EXPECT_TRUE(std::isnan(DecimalYear(month, 1, 2004)));
  }
}

TEST(DecimalYear, ExtremeDayNumbersStayArithmetic) {
  EXPECT_EQ(DecimalYear(1, 2147483647, 2001), 2001 + 2147483647.0 / 365.0);
  EXPECT_EQ(DecimalYear(12, -2147483647 - 1, 2001), 2001 + (334.0 - 2147483648.0) / 365.0);
}

TEST(SignedDegrees, AnglesWithinHalfATurnAreOnlyConverted) {
  EXPECT_EQ(SignedDegrees(0.0), 0.0);
  EXPECT_EQ(SignedDegrees(1.0), 57.2957795130823);
  EXPECT_EQ(SignedDegrees(kPi), kPi * 57.2957795130823);
  EXPECT_EQ(SignedDegrees(-kPi), -kPi * 57.2957795130823);
}

TEST(SignedDegrees, WholeTurnsComeOffOneAtATime) {
  EXPECT_EQ(SignedDegrees(5.0), (5.0 - kTwoPi) * 57.2957795130823);
  EXPECT_EQ(SignedDegrees(15.0), ((15.0 - kTwoPi) - kTwoPi) * 57.2957795130823);
  EXPECT_EQ(SignedDegrees(-20.0), (((-20.0 + kTwoPi) + kTwoPi) + kTwoPi) * 57.2957795130823);
  EXPECT_LT(SignedDegrees(std::nextafter(kPi, 4.0)), -179.9999);
  // A longitude of 270 degrees is evaluated as -90 degrees.
  EXPECT_NEAR(SignedDegrees(3.0 * kPi / 2.0), -90.0, 1e-12);
}

TEST(SignedDegrees, HugeAnglesEndInsideHalfATurn) {
  for (double a : {1.0e4, -1.0e4, 1.0e17, -1.0e17, 1.0e300, std::numeric_limits<double>::max(),
                   -std::numeric_limits<double>::max()}) {
    SCOPED_TRACE(a);
    const double degrees = SignedDegrees(a);
    EXPECT_GE(degrees, -180.0);
    EXPECT_LE(degrees, 180.0);
  }
  // 1e4 rad lies 1592 whole turns above -2.58 rad.
  EXPECT_NEAR(SignedDegrees(1.0e4), (1.0e4 - 1592 * kTwoPi) * 57.2957795130823, 1e-9);
}

TEST(SignedDegrees, NonFiniteAnglesAreNotANumber) {
  for (double a :
       {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_TRUE(std::isnan(SignedDegrees(a)));
  }
}

TEST(DeclinationFromField, FollowsTheHorizontalDirectionRoundTheCompass) {
  for (int degrees = -179; degrees <= 179; degrees += 7) {
    const double angle = degrees * kPi / 180.0;
    const double h = 21000.0;
    SCOPED_TRACE(degrees);
    EXPECT_NEAR(DeclinationFromField(h * std::cos(angle), h * std::sin(angle), 43000.0), angle,
                1e-12);
    EXPECT_NEAR(DeclinationFromField(h * std::cos(angle), h * std::sin(angle), -43000.0), angle,
                1e-12);
  }
}

TEST(DeclinationFromField, DueSouthIsHalfATurnEast) {
  EXPECT_EQ(DeclinationFromField(-1000.0, 0.0, 0.0), kPi);
  // A slightly westerly field due south still reads +pi, never -pi.
  EXPECT_EQ(DeclinationFromField(-1000.0, -1.0e-3, 40000.0), kPi);
}

TEST(DeclinationFromField, WeakFieldGivesTheUndefinedValue) {
  EXPECT_EQ(DeclinationFromField(0.0, 0.0, 0.0), kUndefined);
  EXPECT_EQ(DeclinationFromField(0.0, 0.0, 5.0e-5), kUndefined);
  // Strong vertical field, horizontal part below the threshold.
  EXPECT_EQ(DeclinationFromField(5.0e-5, 5.0e-5, 60000.0), kUndefined);
  // Just above the threshold the direction counts again.
  EXPECT_NEAR(DeclinationFromField(0.0, 2.0e-4, 60000.0), kPi / 2.0, 1e-12);
}

TEST(DeclinationFromField, NotANumberFlowsThrough) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(DeclinationFromField(nan, 100.0, 100.0)));
  EXPECT_TRUE(std::isnan(DeclinationFromField(100.0, nan, 100.0)));
}

}  // namespace
}  // namespace trelvan
