// Readers of typed fields: splitting, numbers, positions typed by people,
// grid refusals, dates and datums.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "geodesy/Angles.h"
#include "measures/DmsEntry.h"
#include "text/DatumName.h"
#include "text/Fields.h"
#include "text/Geographic.h"
#include "text/Grid.h"
#include "text/IsoDate.h"
#include "text/Numbers.h"

namespace trelvan {
namespace {

TEST(SplitFields, RunsOfBlanksSeparateAndEdgesAreDropped) {
  const FieldList f = SplitFields(" \t1.5  -2\t\t3 x \t");
  ASSERT_EQ(f.count, 4);
  EXPECT_EQ(f.field[0], "1.5");
  EXPECT_EQ(f.field[1], "-2");
  EXPECT_EQ(f.field[3], "x");
  EXPECT_EQ(f.line, "1.5  -2\t\t3 x");
  EXPECT_EQ(SplitFields(" \t ").count, 0);
  EXPECT_EQ(SplitFields("").count, 0);
}

TEST(SplitFields, CountsFieldsBeyondThoseKept) {
  std::string line;
  for (int i = 0; i < kMaxFields + 5; ++i) line += "7 ";
  EXPECT_EQ(SplitFields(line).count, kMaxFields + 5);
}

// Fields are exactly the runs between spaces and tabs, whatever else the
// line holds (other control bytes, bytes above 127) and wherever a run
// starts or ends relative to eight-byte words.
TEST(SplitFields, AgreesWithASplitOnSpacesAndTabsForAnyBytes) {
  const char alphabet[] = {' ', '\t', '\v', '\x01', '!', '0', '\xff', '\x80'};
  std::mt19937 random(5);
  for (int trial = 0; trial < 20000; ++trial) {
    std::string line(random() % 40, ' ');
    for (char& c : line) c = alphabet[random() % sizeof alphabet];
    std::vector<std::string_view> expected;
    std::size_t i = 0;
    while (i < line.size()) {
      if (line[i] == ' ' || line[i] == '\t') {
        ++i;
        continue;
      }
      const std::size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
      expected.push_back(std::string_view(line).substr(start, i - start));
    }
    const FieldList f = SplitFields(line);
    ASSERT_EQ(f.count, static_cast<int>(expected.size())) << line;
    for (int k = 0; k < f.count && k < kMaxFields; ++k) ASSERT_EQ(f.field[k], expected[k]) << line;
  }
}

TEST(ParseReal, AcceptsFiniteDecimalsOnly) {
  double v = 0.0;
  for (const char* good : {"0", "-0.5", "+.25", "1e-3", "6.02E23", "5.", "-1e308"}) {
    EXPECT_TRUE(ParseReal(good, v)) << good;
  }
  ASSERT_TRUE(ParseReal("+2.5", v));
  EXPECT_EQ(v, 2.5);
  for (const char* bad : {"", "+", "-", "abc", "1.5x", "nan", "-inf", "inf", "infinity", "1e400",
                          "0x10", "++1", "+-1", "1,5", " 1", "1 "}) {
    EXPECT_FALSE(ParseReal(bad, v)) << bad;
  }
}

TEST(ParseWhole, AcceptsSignedIntegersOnly) {
  std::int64_t v = 0;
  ASSERT_TRUE(ParseWhole("+17", v));
  EXPECT_EQ(v, 17);
  ASSERT_TRUE(ParseWhole("-3", v));
  EXPECT_EQ(v, -3);
  for (const char* bad : {"", "7.0", "1e2", "99999999999999999999", "+", "x1", "0x1"}) {
    EXPECT_FALSE(ParseWhole(bad, v)) << bad;
  }
}

// The value the forms compute from their degree, minute, second and
// hundredths fields.
double FormValue(double deg, double min, double sec, double hun) { return DmsRadians(deg, min, sec, hun); }

TEST(ParseGeographic, ReadsEveryFormAsTheFormsDo) {
  struct Case {
    const char* text;
    Axis axis;
    double expected;
  };
  const Case cases[] = {
      {"51d30'15.5\"N", Axis::kLatitude, FormValue(51, 30, 15, 50)},
      {"51d30'15.07\"n", Axis::kLatitude, FormValue(51, 30, 15, 7)},
      {"0d7'39.9\"W", Axis::kLongitude, -FormValue(0, 7, 39, 90)},
      {"-0d7'39.9\"", Axis::kLongitude, -FormValue(0, 7, 39, 90)},
      {"33d52'S", Axis::kLatitude, -FormValue(33, 52, 0, 0)},
      {"51d30.25'N", Axis::kLatitude, FormValue(51, 30.25, 0, 0)},
      {"151d", Axis::kLongitude, FormValue(151, 0, 0, 0)},
      {"51.5042", Axis::kLatitude, 51.5042 * kDegToRad},
      {"+3", Axis::kLongitude, 3 * kDegToRad},
      {"0.12775w", Axis::kLongitude, -(0.12775 * kDegToRad)},
      {"90", Axis::kLatitude, 90 * kDegToRad},
      {"180W", Axis::kLongitude, -(180 * kDegToRad)},
      {"10d0'0.125\"E", Axis::kLongitude, FormValue(10, 0, 0, 12.5)},
  };
  for (const Case& c : cases) {
    double r = 0.0;
    const char* problem = ParseGeographic(c.text, c.axis, r);
    EXPECT_EQ(problem, nullptr) << c.text << ": " << problem;
    EXPECT_EQ(r, c.expected) << c.text;
  }
}

TEST(ParseGeographic, RefusesMalformedAndOutOfRangeAngles) {
  struct Case {
    const char* text;
    Axis axis;
  };
  const Case cases[] = {
      {"", Axis::kLatitude},
      {"N", Axis::kLatitude},
      {"51E", Axis::kLatitude},
      {"3N", Axis::kLongitude},
      {"-51N", Axis::kLatitude},
      {"+3E", Axis::kLongitude},
      {"91", Axis::kLatitude},
      {"90d0'0.01\"N", Axis::kLatitude},
      {"180.5", Axis::kLongitude},
      {"51.5d30'N", Axis::kLatitude},
      {"51d60'N", Axis::kLatitude},
      {"51d60.5'N", Axis::kLatitude},
      {"51d30'60\"N", Axis::kLatitude},
      {"51d30'15.5N", Axis::kLatitude},
      {"51d30N", Axis::kLatitude},
      {"51d30.5'15\"N", Axis::kLatitude},
      {"51d'N", Axis::kLatitude},
      {"51d30'x\"N", Axis::kLatitude},
      {"nan", Axis::kLatitude},
      {"--5", Axis::kLatitude},
      {"5 N", Axis::kLatitude},
  };
  for (const Case& c : cases) {
    double r = 12345.0;
    EXPECT_NE(ParseGeographic(c.text, c.axis, r), nullptr) << c.text;
    EXPECT_EQ(r, 12345.0) << c.text;
  }
}

TEST(ParseGeographic, LongSecondsKeepTheirPrecision) {
  double r = 0.0;
  ASSERT_EQ(
      ParseGeographic("1d0'0.123456789012345678901234567890123456789012345\"N", Axis::kLatitude, r),
      nullptr);
  EXPECT_NEAR(r, FormValue(1, 0, 0, 12.3456789012345678), 1e-18);
}

TEST(GridProblem, EveryRefusalHasAReasonAndOnlyThem) {
  EXPECT_STREQ(GridProblem(GridStatus::kOnGrid), "");
  for (GridStatus s : {GridStatus::kBeyondLatitudes, GridStatus::kNoZone, GridStatus::kOutsideZone,
                       GridStatus::kBandMismatch}) {
    EXPECT_STRNE(GridProblem(s), "");
  }
}

TEST(Dates, TheForm) {
  CalendarDate d{};
  ASSERT_TRUE(ParseIsoDate("2024-02-29", d));
  EXPECT_EQ(d.year, 2024);
  EXPECT_EQ(d.month, 2);
  EXPECT_EQ(d.day, 29);
  EXPECT_EQ(DateProblem(d), nullptr);
  for (const char* bad : {"2024-2-29", "24-02-29", "2024/02/29", "2024-02-29x", "2024-0a-01", ""}) {
    EXPECT_FALSE(ParseIsoDate(bad, d)) << bad;
  }
  // Well formed but not a day of the calendar.
  for (const char* wrong :
       {"2023-02-29", "2024-13-01", "2024-00-10", "2024-04-31", "2024-01-00", "0000-01-01"}) {
    ASSERT_TRUE(ParseIsoDate(wrong, d)) << wrong;
    EXPECT_NE(DateProblem(d), nullptr) << wrong;
  }
}

TEST(FindDatum, ByIndexOrExactName) {
  std::uint16_t i = 999;
  ASSERT_TRUE(FindDatum("17", i));
  EXPECT_EQ(i, 17);
  ASSERT_TRUE(FindDatum("ED-50 MEAN", i));
  EXPECT_EQ(i, 1);
  ASSERT_TRUE(FindDatum("Zanderij", i));
  EXPECT_EQ(i, 124);
  for (const char* bad : {"125", "-1", "65536", "ed-50 mean", "ED-50", "WGS84", "", "1.0"}) {
    EXPECT_FALSE(FindDatum(bad, i)) << bad;
  }
}

}  // namespace
}  // namespace trelvan
