// One line in, one line out: raw answers equal the core's results bit for
// bit, people's answers are the same values in their units, and every kind
// of bad line gives its ERROR line.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "geodesy/DatumShift.h"
#include "geodesy/Mgrs.h"
#include "geodesy/Utm.h"
#include "geometry/Polar.h"
#include "geometry/Resection.h"
#include "magnetic/Igrf14.h"
#include "magnetic/MagneticModel.h"
#include "tests/support/GeoPoints.h"
#include "text/Fields.h"
#include "text/Geographic.h"
#include "text/Numbers.h"
#include "tools/calc/LineProcessor.h"

namespace trelvan::calc {
namespace {

Options Mode(Operation operation, bool raw) {
  Options o;
  o.operation = operation;
  o.raw = raw;
  o.date = CalendarDate{2024, 6, 1};
  return o;
}

std::string Answer(const Options& o, std::string_view line,
                   LineStatus expected = LineStatus::kResult) {
  std::string out;
  EXPECT_EQ(ProcessLine(o, line, out), expected) << line << " -> " << out;
  return out;
}

std::string AnswerRaw(Operation op, std::string_view line) { return Answer(Mode(op, true), line); }

// Printf formats, independent of the calculator's own formatters.
std::string G(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%.17g", v);
  return b;
}
std::string F(double v, int decimals) {
  char b[400];
  std::snprintf(b, sizeof b, "%.*f", decimals, v);
  return b;
}
std::string WithoutSpaces(std::string text) {
  std::erase(text, ' ');
  return text;
}
std::string Position(const GeoPoint& p) {
  return G(p.lat) + " " + G(p.lon) + " " + G(p.height) + " " + std::to_string(p.datum);
}

const GeoPoint kPoints[] = {
    {0.8989, -0.0022, 45.0, 0},
    {-0.5934119456780721, 2.6354471705114375, 12.5, 17},
    {1.0471975511965976, 0.08726646259971647, -30.0, 1},
    {-1.48, -1.0471975511965976, 0.0, 124},
    {0.0, 0.0, 0.0, 122},
    {1.2, 3.1, 2500.0, 47},
};

TEST(RawLine, UtmGeoDatumConvergenceEqualTheCore) {
  for (const GeoPoint& p : kPoints) {
    UtmPoint g{};
    GeoToUtm(p, g);
    const std::string grid = G(g.easting) + " " + G(g.northing) + " " + G(g.height) + " " +
                             std::to_string(g.zone) + " " + static_cast<char>(g.band) + " " +
                             std::to_string(g.datum);
    EXPECT_EQ(AnswerRaw(Operation::kUtm, Position(p)), grid);
    EXPECT_EQ(AnswerRaw(Operation::kGeo, grid), Position(UtmToGeo(g)));
    EXPECT_EQ(AnswerRaw(Operation::kConvergence, Position(p)), G(GridConvergence(p)));
    for (std::uint16_t target : {0, 1, 17, 88}) {
      EXPECT_EQ(AnswerRaw(Operation::kDatum, Position(p) + " " + std::to_string(target)),
                Position(ConvertDatum(target, p)));
    }
  }
}

TEST(RawLine, DeclinationAndPolarSolutionsEqualTheCore) {
  const PolarVector v{1234.5, 0.7854, 0.0123};
  for (const GeoPoint& p : kPoints) {
    const DateStamp date{0.0, 0, 0, 29, 2, 2024};
    EXPECT_EQ(AnswerRaw(Operation::kDeclination, Position(p) + " 2024 2 29"),
              G(Igrf14Variance(date, p)));
    Options older = Mode(Operation::kDeclination, true);
    older.model = FieldModel::kIgrf2000;  // bit for bit the epoch-2000 model
    EXPECT_EQ(Answer(older, Position(p) + " 2024 2 29"), G(MagneticVariance(date, p)));
    const std::string vector = " " + G(v.range) + " " + G(v.azimuth) + " " + G(v.elevation);
    EXPECT_EQ(AnswerRaw(Operation::kForward, Position(p) + vector), Position(ForwardPolar(v, p)));
    EXPECT_EQ(AnswerRaw(Operation::kBackPolar, Position(p) + vector), Position(BackPolar(v, p)));
    const GeoPoint q = ForwardPolar(v, p);
    const PolarVector w = InversePolar(p, q);
    EXPECT_EQ(AnswerRaw(Operation::kInverse, Position(p) + " " + Position(q)),
              G(w.range) + " " + G(w.azimuth) + " " + G(w.elevation));
  }
}

TEST(RawLine, ResectionEqualsTheCoreOrHasNoSolution) {
  const GeoPoint station{41 * kDegToRad, 29 * kDegToRad, 100.0, 0};
  const PolarVector m1{3000.0, 30 * kDegToRad, 1.5 * kDegToRad};
  const PolarVector m2{4000.0, 110 * kDegToRad, -0.5 * kDegToRad};
  const GeoPoint w1 = ForwardPolar(m1, station);
  const GeoPoint w2 = ForwardPolar(m2, station);
  const double theta = 80 * kDegToRad;
  GeoPoint solved{};
  ASSERT_EQ(SolveResection(theta, m1, m2, w1, w2, solved), SolveStatus::kSolved);
  const std::string known = " " + Position(w1) + " " + Position(w2);
  EXPECT_EQ(AnswerRaw(Operation::kResection, G(theta) + " " + G(m1.range) + " " + G(m1.elevation) +
                                                 " " + G(m2.range) + " " + G(m2.elevation) + known),
            Position(solved));
  EXPECT_EQ(
      Answer(Mode(Operation::kResection, true), G(theta) + " 0 0 0 0" + known, LineStatus::kError),
      "ERROR: no solution");
}

TEST(BadLine, EveryKindGivesItsReason) {
  struct Case {
    Operation op;
    const char* line;
    const char* error;
  };
  const Case cases[] = {
      {Operation::kUtm, "1 2 3", "expected 4 fields (LAT LON HEIGHT DATUM), got 3"},
      {Operation::kUtm, "1 2 3 0 5", "expected 4 fields (LAT LON HEIGHT DATUM), got 5"},
      {Operation::kUtm, "x 2 3 0", "LAT 'x' is not a finite number"},
      {Operation::kUtm, "1 nan 3 0", "LON 'nan' is not a finite number"},
      {Operation::kUtm, "1 2 -inf 0", "HEIGHT '-inf' is not a finite number"},
      {Operation::kUtm, "1 2 1e999 0", "HEIGHT '1e999' is not a finite number"},
      {Operation::kUtm, "1 2 3 125", "DATUM '125' is not a datum index 0..124"},
      {Operation::kUtm, "1 2 3 -1", "DATUM '-1' is not a datum index 0..124"},
      {Operation::kUtm, "1 2 3 1.0", "DATUM '1.0' is not a datum index 0..124"},
      {Operation::kDatum, "1 2 3 0 200", "TARGET '200' is not a datum index 0..124"},
      {Operation::kGeo, "500000 0 0 0 N 0", "ZONE '0' is not a zone 1..60"},
      {Operation::kGeo, "500000 0 0 61 N 0", "ZONE '61' is not a zone 1..60"},
      {Operation::kGeo, "500000 0 0 3.5 N 0", "ZONE '3.5' is not a zone 1..60"},
      {Operation::kInverse, "1 2 3 0 1 2 3 999", "DATUM2 '999' is not a datum index 0..124"},
      {Operation::kDeclination, "1 2 3 0 2024 13 1", "MONTH '13' is not a month 1..12"},
      {Operation::kDeclination, "1 2 3 0 2024 0 1", "MONTH '0' is not a month 1..12"},
      {Operation::kDeclination, "1 2 3 0 2024 1 32", "DAY '32' is not a day 1..31"},
      {Operation::kDeclination, "1 2 3 0 2023 2 29", "DAY '29' is not a day of that month"},
      {Operation::kDeclination, "1 2 3 0 2024 4 31", "DAY '31' is not a day of that month"},
      {Operation::kDeclination, "1 2 3 0 0 1 1", "YEAR '0' is not a year 1..9999"},
      {Operation::kDeclination, "1 2 3 0 10000 1 1", "YEAR '10000' is not a year 1..9999"},
      {Operation::kForward, "1 2 3 0 1e308 0 0.5", "the result is not finite"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Answer(Mode(c.op, true), c.line, LineStatus::kError),
              std::string("ERROR: ") + c.error);
  }
  for (const char* band : {"A", "B", "I", "O", "Y", "Z", "n", "NN", "1"}) {
    EXPECT_EQ(
        Answer(Mode(Operation::kGeo, true), std::string("500000 0 0 31 ") + band + " 0",
               LineStatus::kError),
        std::string("ERROR: BAND '") + band + "' is not a UTM band letter (C..X without I and O)");
  }
}

TEST(BadLine, ErrorReplacesOnlyItsOwnLine) {
  std::string out = "kept\n";
  EXPECT_EQ(ProcessLine(Mode(Operation::kForward, true), "1 2 3 0 1e308 0 0.5", out),
            LineStatus::kError);
  EXPECT_EQ(out, "kept\nERROR: the result is not finite");
}

TEST(SpecialLines, CommentsAreCopiedAndBlankLinesSkipped) {
  const Options o = Mode(Operation::kUtm, true);
  EXPECT_EQ(Answer(o, "# LAT LON  \tHEIGHT"), "# LAT LON  \tHEIGHT");
  EXPECT_EQ(Answer(o, "#"), "#");
  EXPECT_EQ(Answer(o, "#x\r"), "#x");
  for (const char* blank : {"", " ", "\t \t", "\r", " \r"}) {
    EXPECT_EQ(Answer(o, blank, LineStatus::kSkipped), "") << '[' << blank << ']';
  }
  EXPECT_EQ(Answer(o, " # not at the start", LineStatus::kError),
            "ERROR: expected 4 fields (LAT LON HEIGHT DATUM), got 5");
  EXPECT_EQ(Answer(o, "0.8989 -0.0022 45 0\r"), Answer(o, " 0.8989\t-0.0022  45 0 "));
}

TEST(PeopleLine, UnitsAndDatumAreFactorsOnTheRawValues) {
  // The same forward problem in mils and kilometres on datum 17 and in raw form.
  Options people = Mode(Operation::kForward, false);
  people.angleUnit = kMils;
  people.distanceUnit = kKilometers;
  people.datum = 17;
  const GeoPoint station{-34 * kDegToRad, 151 * kDegToRad, 0.25 * 1000.0, 17};
  const PolarVector v{2.5 * 1000.0, 1600 * kMilsToRad, -20 * kMilsToRad};
  const GeoPoint target = ForwardPolar(v, station);
  std::string dms(FormatDms(target.lat, Axis::kLatitude).view());
  dms += ' ';
  dms += FormatDms(target.lon, Axis::kLongitude).view();
  EXPECT_EQ(Answer(people, "34S 151E 0.25 2.5 1600 -20"), dms + " " + F(target.height * 0.001, 6) +
                                                              " " + F(target.lat * kRadToDeg, 9) +
                                                              " " + F(target.lon * kRadToDeg, 9));

  Options inverse = Mode(Operation::kInverse, false);
  inverse.angleUnit = kMils;
  inverse.distanceUnit = kFeet;
  const GeoPoint a{10 * kDegToRad, 20 * kDegToRad, 100 * 0.3048, 0};
  const GeoPoint b{10.01 * kDegToRad, 20.02 * kDegToRad, 300 * 0.3048, 0};
  const PolarVector w = InversePolar(a, b);
  EXPECT_EQ(Answer(inverse, "10 20 100 10.01 20.02 300"), F(w.range * 3.280839895013123, 3) + " " +
                                                              F(w.azimuth * kRadToMils, 2) + " " +
                                                              F(w.elevation * kRadToMils, 2));
}

TEST(PeopleLine, GridAndPositionFormats) {
  Options utm = Mode(Operation::kUtm, false);
  utm.datum = 1;
  const GeoPoint p{60 * kDegToRad, 5 * kDegToRad, 12.0, 1};
  UtmPoint g{};
  GeoToUtm(p, g);
  EXPECT_EQ(g.zone, 32);
  EXPECT_EQ(Answer(utm, "60d0'0\"N 5E 12"),
            F(g.easting, 3) + " " + F(g.northing, 3) + " 12.000 32 V");

  // What utm prints, geo reads back to the typed position.
  const Options people = Mode(Operation::kUtm, false);
  const std::string grid = Answer(people, "51d30'15.5\"N 0d7'39.9\"W 45");
  EXPECT_EQ(Answer(Mode(Operation::kGeo, false), grid).substr(0, 33),
            "51d30'15.50\"N 0d07'39.90\"W 45.000");
}

TEST(PeopleLine, DatumTargetByNameOrIndex) {
  const Options o = Mode(Operation::kDatum, false);
  const std::string byName = Answer(o, "51.5 -0.1 45 ED-50 MEAN");
  EXPECT_EQ(byName, Answer(o, "51.5 -0.1 45 1"));
  const GeoPoint moved = ConvertDatum(1, GeoPoint{51.5 * kDegToRad, -0.1 * kDegToRad, 45.0, 0});
  EXPECT_EQ(byName.substr(byName.rfind(' ', byName.rfind(' ') - 1) + 1),
            F(moved.lat * kRadToDeg, 9) + " " + F(moved.lon * kRadToDeg, 9));
  EXPECT_EQ(Answer(o, "51.5 -0.1 45 ED-50  MEAN", LineStatus::kError),
            "ERROR: TARGET 'ED-50  MEAN' is not a datum index 0..124 or a datum name");
  EXPECT_EQ(Answer(o, "51.5 -0.1 45", LineStatus::kError),
            "ERROR: expected at least 4 fields (LAT LON HEIGHT TARGET...), got 3");
}

TEST(PeopleLine, DeclinationDateFromTheLineOrTheOption) {
  const GeoPoint p{51.5 * kDegToRad, -0.1 * kDegToRad, 0.0, 0};
  const DateStamp leapDay{0.0, 0, 0, 29, 2, 2024};
  const std::string expected = F(Igrf14Variance(leapDay, p) * kDegToRad * kRadToDeg, 4);
  Options o = Mode(Operation::kDeclination, false);
  EXPECT_EQ(Answer(o, "51.5 -0.1 0 2024-02-29"), expected);
  o.date = CalendarDate{2024, 2, 29};
  EXPECT_EQ(Answer(o, "51.5 -0.1 0"), expected);
  o.date = CalendarDate{2023, 2, 29};
  EXPECT_EQ(Answer(o, "51.5 -0.1 0", LineStatus::kError),
            "ERROR: the date of --date: the day is not in the month");
  EXPECT_EQ(Answer(o, "51.5 -0.1 0 2024-13-01", LineStatus::kError),
            "ERROR: DATE '2024-13-01': the month is not 1..12");
  EXPECT_EQ(Answer(o, "51.5 -0.1 0 1.6.2024", LineStatus::kError),
            "ERROR: DATE '1.6.2024' is not a date YYYY-MM-DD");
  EXPECT_EQ(Answer(o, "51.5 -0.1 0 2024-06-01 x", LineStatus::kError),
            "ERROR: expected 3 or 4 fields (LAT LON HEIGHT [DATE]), got 5");
}

TEST(AnyLine, DeclinationByIgrf14RefusesDatesOutside1900To2030) {
  const std::string outside = "ERROR: date outside the magnetic model's years 1900 to 2030";
  Options raw = Mode(Operation::kDeclination, true);
  EXPECT_EQ(Answer(raw, "0.9 0 0 0 1899 12 31", LineStatus::kError), outside);
  EXPECT_EQ(Answer(raw, "0.9 0 0 0 2031 1 1", LineStatus::kError), outside);
  Answer(raw, "0.9 0 0 0 1900 1 1");
  Answer(raw, "0.9 0 0 0 2030 12 31");
  Options people = Mode(Operation::kDeclination, false);
  people.date = CalendarDate{2031, 1, 1};
  EXPECT_EQ(Answer(people, "51.5 -0.1 0", LineStatus::kError), outside);
  EXPECT_EQ(Answer(people, "51.5 -0.1 0 1899-12-31", LineStatus::kError), outside);
  raw.model = FieldModel::kIgrf2000;  // the older model has no limits
  Answer(raw, "0.9 0 0 0 1899 12 31");
  Answer(raw, "0.9 0 0 0 2031 1 1");
}

TEST(PeopleLine, BadPositionsNameTheFieldAndTheProblem) {
  const Options o = Mode(Operation::kConvergence, false);
  EXPECT_EQ(Answer(o, "91 0 0", LineStatus::kError), "ERROR: LAT '91' is beyond 90 degrees");
  EXPECT_EQ(Answer(o, "10N 10N 0", LineStatus::kError),
            "ERROR: LON '10N' has a hemisphere letter other than E or W");
  EXPECT_EQ(Answer(o, "10 10 high", LineStatus::kError),
            "ERROR: HEIGHT 'high' is not a finite number");
  EXPECT_EQ(Answer(Mode(Operation::kGeo, false), "500000 0 0 31 I", LineStatus::kError),
            "ERROR: BAND 'I' is not a UTM band letter (C..X without I and O)");
  EXPECT_EQ(Answer(Mode(Operation::kResection, false), "80 0 0 0 0 41 29 0 41.01 29.01 0",
                   LineStatus::kError),
            "ERROR: no solution");
}

TEST(MgrsLine, ReferencesEqualTheCoreAndGeoReadsThemBack) {
  for (const GeoPoint& p : kPoints) {
    for (int precision = 0; precision <= kMgrsMaxPrecision; ++precision) {
      Options raw = Mode(Operation::kMgrs, true);
      raw.precision = precision;
      char text[kMgrsTextSize];
      const MgrsStatus status = GeoToMgrs(p, precision, MgrsStyle::kCompact, text, sizeof text);
      if (status == MgrsStatus::kOutsideGrid) {
        EXPECT_EQ(Answer(raw, Position(p), LineStatus::kError),
                  "ERROR: the position lies beyond the UTM grid (80 S to 84 N)");
        continue;
      }
      EXPECT_EQ(Answer(raw, Position(p)), text);
    }
  }
  // For people: spaced, on --datum (Clarke 1866 letters), height optional.
  Options people = Mode(Operation::kMgrs, false);
  people.datum = 82;
  const GeoPoint p{35 * kDegToRad, -81 * kDegToRad, 0.0, 82};
  const std::string reference = MgrsOf(p).text;
  EXPECT_EQ(Answer(people, "35 81W"), reference);
  EXPECT_EQ(Answer(people, "35 81W 120"), reference);

  // geo reads the reference as the corner of its cell, with a height in --dist.
  Options geo = Mode(Operation::kGeo, false);
  geo.datum = 82;
  UtmPoint corner{};
  int precision = 0;
  ASSERT_EQ(MgrsToUtm(reference, 82, corner, precision), MgrsStatus::kOk);
  EXPECT_EQ(Answer(geo, WithoutSpaces(reference) + " 0"),
            Answer(geo, F(corner.easting, 3) + " " + F(corner.northing, 3) + " 0 17 S"));
  geo.distanceUnit = kFeet;
  EXPECT_EQ(Answer(geo, "17snj 10.0"), Answer(geo, "500000 3800000 10 17 S"));
  // Digits after the square are the reference's own, never a height.
  EXPECT_EQ(Answer(geo, "17snj 10"), Answer(geo, "510000 3800000 0 17 S"));
  EXPECT_EQ(Answer(Mode(Operation::kGeo, false), "17SNJ", LineStatus::kError),
            "ERROR: MGRS '17SNJ' names a square that does not reach its band: the band does not "
            "match the northing");
  EXPECT_EQ(Answer(geo, "17SNJ 5m", LineStatus::kError),
            "ERROR: HEIGHT '5m' is not a finite number");
  // A number in the first field is still a grid position with too few fields.
  EXPECT_EQ(Answer(geo, "500000 3800000", LineStatus::kError),
            "ERROR: expected 5 fields (EASTING NORTHING HEIGHT ZONE BAND), got 2");
}

// geo reads MGRS as mgrs prints it and without spaces, with a height only
// after the whole reference; the digits are never a height.
TEST(MgrsLine, GeoReadsReferencesAsPeopleWriteThem) {
  const Options geo = Mode(Operation::kGeo, false);
  const std::string corner = Answer(geo, "699333 5709819 0 30 U");
  const std::string high = Answer(geo, "699333 5709819 45 30 U");
  for (const char* line : {"30U XC 99333 09819", "30UXC9933309819", "30UXC 9933309819",
                           "30uxc 99333 09819", " 30U  XC 99333\t09819 "}) {
    EXPECT_EQ(Answer(geo, line), corner) << line;
  }
  for (const char* line : {"30U XC 99333 09819 45", "30UXC9933309819 45", "30UXC 9933309819 45",
                           "30U XC 99333 09819 4.5e1"}) {
    EXPECT_EQ(Answer(geo, line), high) << line;
  }
  EXPECT_EQ(Answer(geo, "30UXC9933309819 100001", LineStatus::kError),
            "ERROR: HEIGHT '100001' is beyond 100 km");
  EXPECT_EQ(Answer(geo, "30U XC 99333", LineStatus::kError),
            "ERROR: MGRS '30U XC 99333' does not have as many northing digits as easting digits, "
            "0 to 5 each");
  // The square mgrs gives 83.9 N 1 E at precision 0 has its corner 100 km
  // west of the meridian, which is no grid position geo reads.
  EXPECT_EQ(Answer(geo, "31X DP", LineStatus::kError),
            "ERROR: MGRS '31X DP' names a cell whose south-west corner lies outside its zone");
}

// Every door of the calculator refuses beyond the grid and outside the
// zones, and reads back what utm writes at every edge and corner.
TEST(GridLine, TheGridEndsWhereTheCoreSays) {
  const std::string beyond = "ERROR: the position lies beyond the UTM grid (80 S to 84 N)";
  for (const Operation op : {Operation::kUtm, Operation::kConvergence, Operation::kMgrs}) {
    for (const char* line : {"90 0 0", "85 3 0", "-85 3 0", "84.001 3 0", "-80.001 3 0"}) {
      EXPECT_EQ(Answer(Mode(op, false), line, LineStatus::kError), beyond) << line;
    }
    EXPECT_NE(Answer(Mode(op, false), "84 3 0"), beyond);
    EXPECT_NE(Answer(Mode(op, false), "-80 3 0"), beyond);
  }
  const Options geo = Mode(Operation::kGeo, false);
  EXPECT_EQ(Answer(geo, "0 9383913 0 31 X", LineStatus::kError),
            "ERROR: the grid position lies outside its zone");
  EXPECT_EQ(Answer(geo, "1000000 1062605 0 60 C", LineStatus::kError),
            "ERROR: the grid position lies outside its zone");
  EXPECT_EQ(Answer(geo, "500000 9329006 0 31 C", LineStatus::kError),
            "ERROR: the band letter does not match the northing");
  for (const std::uint16_t datum : test::kEdgeDatums) {
    Options o = geo;
    o.datum = datum;
    for (const test::LatLonDeg& e : test::kGridEdges) {
      SCOPED_TRACE(testing::Message() << datum << ": " << e.lat << " " << e.lon);
      UtmPoint g{};
      GeoToUtm(test::PointDeg(e.lat, e.lon, 0, datum), g);
      const std::string line = F(g.easting, 3) + " " + F(g.northing, 3) + " 0 " +
                               std::to_string(g.zone) + " " + static_cast<char>(g.band);
      const std::string text = Answer(o, line);
      const FieldList answer = SplitFields(text);
      ASSERT_EQ(answer.count, 5);
      double lat = 0.0;
      double lon = 0.0;
      ASSERT_TRUE(ParseReal(answer.field[3], lat) && ParseReal(answer.field[4], lon));
      EXPECT_NEAR(lat, e.lat, 1e-6);
      EXPECT_NEAR(std::remainder(lon - e.lon, 360.0) * std::cos(lat * kDegToRad), 0.0, 1e-6);
    }
  }
}

TEST(AnyLine, GivesAtMostOnePrintableLine) {
  // Random lines of plausible and implausible fields in every mode: each
  // answer is one line of printable text, an error says so, and a blank
  // line writes nothing.
  const char* words[] = {"0",          "1.5",      "-0.7", "45",    "31",
                         "N",          "I",        "2024", "2",     "29",
                         "1e308",      "-1e-300",  "nan",  "90.5",  "51d30'15.5\"N",
                         "7d7'W",      "124",      "125",  "ED-50", "MEAN",
                         "2024-02-29", "\x01\xff", "#",    "\r"};
  std::mt19937 random(3);
  for (int i = 0; i < 20000; ++i) {
    Options o = Mode(static_cast<Operation>(random() % kOperationCount), random() % 2 == 0);
    o.angleUnit = static_cast<std::int32_t>(random() % 2);
    o.distanceUnit = static_cast<std::int32_t>(random() % kDistanceUnitCount);
    std::string line;
    const int fields = static_cast<int>(random() % 15);
    for (int f = 0; f < fields; ++f) line += std::string(words[random() % std::size(words)]) + " ";
    std::string out;
    const LineStatus status = ProcessLine(o, line, out);
    ASSERT_EQ(out.find('\n'), std::string::npos) << line;
    if (status == LineStatus::kSkipped) {
      ASSERT_EQ(out, "") << line;
    }
    if (status == LineStatus::kError) {
      ASSERT_EQ(out.rfind("ERROR: ", 0), 0u) << line;
    }
    if (line[0] == '#') continue;
    for (char c : out) ASSERT_TRUE(c >= ' ' && c <= '~') << line << " -> " << out;
  }
}

constexpr const char* kBeyondGridLatitudes =
    "the grid position lies beyond the UTM grid (80 30' S to 84 30' N)";

TEST(Refusals, AnswersOnceWrongAreNowTheirErrors) {
  const std::string huge(400, '1');
  const std::string cut = huge.substr(0, 36) + "...' has a number out of range";
  const struct {
    Operation op;
    std::string line, error;
  } cases[] = {
      // Number reading: a part beyond a double was read as 0.
      {Operation::kUtm, huge + "d0'0\"N 0 0", "LAT '1111" + cut},
      {Operation::kUtm, "0d" + huge + ".5'N 0 0", "LAT '0d11" + cut},
      {Operation::kUtm, "0d0'" + huge + "\"N 0 0", "LAT '0d0'" + cut},
      // Grid limits.
      {Operation::kGeo, "1.2e47 0 0 1 N", "the grid position lies outside its zone"},
      {Operation::kGeo, "-1 0 0 1 N", "the grid position lies outside its zone"},
      {Operation::kGeo, "5e5 1e8 0 1 N", kBeyondGridLatitudes},
      {Operation::kGeo, "5e5 9998000 0 31 N", kBeyondGridLatitudes},
      {Operation::kGeo, "5e5 1062604 0 31 C", kBeyondGridLatitudes},
      // Result checks.
      {Operation::kBackPolar, "10 20 0 1e155 45 0", "the range is lost in the result"},
      {Operation::kDeclination, "51.5 -0.12 5e9 2024-06-01", "declination undefined here"},
      // Resection: 100 ft and 16218 ft to two waypoints 760 m apart.
      {Operation::kResection, "90 30.48 0 4943.2464 0 47 8 500 47.003417566 8.008653752 500.045",
       "no solution"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Answer(Mode(c.op, false), c.line, LineStatus::kError), "ERROR: " + c.error);
  }
  // Still answered: the grid's edges, the extreme northings utm writes (zone
  // edges, other datums), ranges a polar problem keeps.
  for (const char* grid : {"0 0 0 31 N 0", "1000000 9383913 0 31 X 0", "500000 1e7 0 31 M 0",
                           "441864.6944326915 1116651.87085687 0 21 C 124",
                           "569899.2115936178 9332023.7423850652 0 33 X 99"}) {
    Answer(Mode(Operation::kGeo, true), grid);
  }
  for (const char* range : {"1e-9", "-250", "12000000"}) {
    Answer(Mode(Operation::kBackPolar, true), std::string("0.7 0.3 10 0 ") + range + " 1 0.1");
  }
}

}  // namespace
}  // namespace trelvan::calc
