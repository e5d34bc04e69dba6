// Grid references against letters worked out by hand from the lettering
// rules on the UTM positions GeoToUtm gives, round trips at every precision,
// truncation at the edges of squares and rows, and every refusal.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "geodesy/Mgrs.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

using test::Grid;
using test::PointDeg;

std::string Reference(const GeoPoint& p, int precision = 5, MgrsStyle style = MgrsStyle::kSpaced) {
  char text[kMgrsTextSize];
  EXPECT_EQ(GeoToMgrs(p, precision, style, text, sizeof text), MgrsStatus::kOk);
  return text;
}

std::string Reference(const UtmPoint& g, int precision) {
  char text[kMgrsTextSize];
  EXPECT_EQ(UtmToMgrs(g, precision, MgrsStyle::kSpaced, text, sizeof text), MgrsStatus::kOk);
  return text;
}

std::string WithoutSpaces(std::string text) {
  std::erase(text, ' ');
  return text;
}

// Older lettering datums of the table: NAD27_mean (Clarke 1866), Adindan
// and Cape (Clarke 1880), Tokyo_mean and Potsdam_Rauenberg_DHDN (Bessel
// 1841), Schwarzeck (Bessel Namibia).
constexpr std::uint16_t kNad27 = 82, kAdindan = 4, kCape = 28, kTokyo = 117, kDhdn = 93,
                        kSchwarzeck = 107;

struct Case {
  const char* what;
  double lat, lon;  // degrees
  std::uint16_t datum;
  const char* reference;
};

// Letters by hand: column = set (zone-1)%3 of A..H/J..R/S..Z at easting/100 km,
// row = (northing/100 km + 5 for even zones + 10 for older datums) mod 20 in
// A..V; digits the metres within the square, truncated.
const Case kCases[] = {
    {"zone 1, equator on the central meridian", 0, -177, 0, "1N EA 00000 00000"},
    {"zone 2, even zone rows start at F", 10, -171.5, 0, "2P MS 45201 05454"},
    {"zone 3, south", -20, -165.3, 0, "3K VT 68618 88490"},
    {"zone 4, Honolulu", 21.3, -157.9, 0, "4Q FJ 14096 55747"},
    {"zone 5, south", -45, -150.2, 0, "5G QL 20682 13235"},
    {"zone 6, Anchorage", 61.2, -149.9, 0, "6V UN 44173 88521"},
    {"zone 30, London", 51.5043, -0.1277, 0, "30U XC 99336 09819"},
    {"zone 60, Auckland", -36.85, 174.76, 0, "60H UE 00288 19425"},
    {"zone 18, New York", 40.7, -74.0, 0, "18T WL 84482 05935"},
    {"row A again 2000 km north", 18.5, 3, 0, "31Q EA 00000 45505"},
    {"row A near the equator", 0.5, 3, 0, "31N EA 00000 55265"},
    {"just south of the equator", -0.0001, 3, 0, "31M EV 00000 99988"},
    {"Svalbard 33X", 78.2, 15.6, 0, "33X WG 13696 80760"},
    {"Svalbard 31X east of its plain edge", 80, 8.5, 0, "31X FJ 06467 86622"},
    {"Svalbard 37X west of its plain edge", 80, 33.5, 0, "37X CJ 93532 86622"},
    {"84 N in 33X", 84, 10, 0, "33X VP 41721 30624"},
    {"Norway 32V", 60, 4.0, 0, "32V KM 21288 61953"},
    {"Norway 32V, first column", 56.5, 3.1, 0, "32V JH 37046 77335"},
    {"31V, the narrow zone", 60, 2.5, 0, "31V DG 72111 51516"},
    {"zone 1 west edge", 0, -179.9999, 0, "1N AA 66032 00000"},
    {"zone 1 east edge", 0, -174.0001, 0, "1N HA 33967 00000"},
    {"80 S", -80, -60, 0, "21C VM 41867 16915"},
    {"Clarke 1866, odd zone starts at L", 35, -81, kNad27, "17S NJ 00000 72845"},
    {"Clarke 1880, even zone starts at R", 15, 32.5, kAdindan, "36P VM 46244 58239"},
    {"Clarke 1880, south", -33.9, 18.4, kCape, "34H BT 59574 46167"},
    {"Bessel 1841, even zone", 35.7, 139.7, kTokyo, "54S UQ 82402 51060"},
    {"Bessel 1841, Germany", 50, 8.5, kDhdn, "32U ML 64170 38183"},
    {"Bessel Namibia, south", -22.5, 17, kSchwarzeck, "33K YF 05718 10662"},
};

TEST(MgrsTest, HandLetteredReferencesInBothStylesAndBack) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const GeoPoint p = PointDeg(c.lat, c.lon, 0, c.datum);
    EXPECT_EQ(Reference(p), c.reference);
    EXPECT_EQ(Reference(p, 5, MgrsStyle::kCompact), WithoutSpaces(c.reference));
    UtmPoint g{};
    GeoToUtm(p, g);
    UtmPoint corner{};
    int precision = -1;
    ASSERT_EQ(MgrsToUtm(c.reference, c.datum, corner, precision), MgrsStatus::kOk);
    EXPECT_EQ(precision, 5);
    EXPECT_EQ(corner.zone, g.zone);
    EXPECT_EQ(corner.band, g.band);
    EXPECT_EQ(corner.column, c.reference[std::strlen(c.reference) - 14]);
    EXPECT_EQ(corner.easting, std::floor(g.easting));
    EXPECT_EQ(corner.northing, std::floor(g.northing));
  }
}

// At the edges and corners of zones and bands every position has its
// reference, the one the reach-checked writer gives for its grid position,
// and the cell read back holds it.
TEST(MgrsTest, EdgesAndCornersHaveTheirReference) {
  for (const std::uint16_t datum : test::kEdgeDatums) {
    for (const test::LatLonDeg& e : test::kGridEdges) {
      SCOPED_TRACE(testing::Message() << datum << ": " << e.lat << " " << e.lon);
      const GeoPoint p = PointDeg(e.lat, e.lon, 0, datum);
      UtmPoint g{};
      GeoToUtm(p, g);
      const std::string text = Reference(p);
      EXPECT_EQ(Reference(g, kMgrsMaxPrecision), text);
      UtmPoint corner{};
      int read = -1;
      ASSERT_EQ(MgrsToUtm(text, datum, corner, read), MgrsStatus::kOk);
      EXPECT_TRUE(g.easting >= corner.easting && g.easting < corner.easting + 1.0);
      EXPECT_TRUE(g.northing >= corner.northing && g.northing < corner.northing + 1.0);
    }
  }
}

TEST(MgrsTest, OlderLetteringByEllipsoid) {
  for (std::uint16_t d : {kNad27, kAdindan, kCape, kTokyo, kDhdn, kSchwarzeck}) {
    EXPECT_TRUE(UsesOlderLettering(d)) << d;
  }
  // WGS-84, International 1924, Helmert 1906, WGS-72, and an index past
  // the table (read as ED-50A).
  for (std::uint16_t d : {0, 1, 84, 122, 500}) EXPECT_FALSE(UsesOlderLettering(d)) << d;
  // The same position, ten row letters apart.
  EXPECT_EQ(Reference(PointDeg(35, -81, 0, 0), 0), "17S NU");
  EXPECT_EQ(Reference(PointDeg(35, -81, 0, kNad27), 0), "17S NJ");
}

// Reference -> cell corner -> reference, at every precision, over the whole
// grid on a new and two older datums; each cell holds the position and the
// coarser references are the finer ones cut short.
TEST(MgrsTest, RoundTripsAtEveryPrecision) {
  for (std::uint16_t datum : {std::uint16_t{0}, kNad27, kDhdn}) {
    for (double lat = -79.95; lat <= 84.0; lat += 1.7) {
      for (double lon = -179.55; lon < 180.0; lon += 7.3) {
        const GeoPoint p = PointDeg(lat, lon, 0, datum);
        UtmPoint g{};
        GeoToUtm(p, g);
        const std::string finest = Reference(p);
        for (int precision = 0; precision <= kMgrsMaxPrecision; ++precision) {
          SCOPED_TRACE(finest + " at " + std::to_string(precision));
          const std::string text = Reference(p, precision);
          const std::size_t square = finest.find(' ') + 3;
          std::string cut = finest.substr(0, square);
          if (precision > 0) {
            cut +=
                finest.substr(square, precision + 1) + ' ' + finest.substr(square + 7, precision);
          }
          EXPECT_EQ(text, cut);
          UtmPoint corner{};
          int read = -1;
          ASSERT_EQ(MgrsToUtm(text, datum, corner, read), MgrsStatus::kOk);
          EXPECT_EQ(read, precision);
          const double cell = std::pow(10.0, 5 - precision);
          EXPECT_TRUE(g.easting >= corner.easting && g.easting < corner.easting + cell);
          EXPECT_TRUE(g.northing >= corner.northing && g.northing < corner.northing + cell);
          EXPECT_EQ(Reference(corner, precision), text);
        }
        // The middle of the 1 m cell, back on the map, has the same reference.
        UtmPoint middle{};
        int read = -1;
        ASSERT_EQ(MgrsToUtm(finest, datum, middle, read), MgrsStatus::kOk);
        middle.easting += 0.5;
        middle.northing += 0.5;
        EXPECT_EQ(Reference(UtmToGeo(middle)), finest);
      }
    }
  }
}

TEST(MgrsTest, TruncatedAtTheEdgesOfSquaresAndRows) {
  const UtmPoint below = Grid(399999.9999, 1999999.9999, 31, 'Q');
  EXPECT_EQ(Reference(below, 5), "31Q CV 99999 99999");
  EXPECT_EQ(Reference(below, 1), "31Q CV 9 9");
  EXPECT_EQ(Reference(below, 0), "31Q CV");
  EXPECT_EQ(Reference(Grid(400000.0, 2000000.0, 31, 'Q'), 5), "31Q DA 00000 00000");
  EXPECT_EQ(Reference(Grid(400000.0, 2000000.0, 32, 'Q'), 5), "32Q MF 00000 00000");
}

TEST(MgrsTest, ReadsAnySpacingAndCaseAndRefusesWithTheReason) {
  for (const char* text :
       {"4QFJ1409655747", "4q fj 14096 55747", " 04Q FJ 1409655747 ", "4Q\tFJ 14096\t55747"}) {
    UtmPoint corner{};
    int precision = -1;
    ASSERT_EQ(MgrsToUtm(text, 0, corner, precision), MgrsStatus::kOk) << text;
    EXPECT_TRUE(corner.easting == 614096.0 && corner.northing == 2355747.0 && corner.row == 'J')
        << text;
  }
  const struct {
    const char* text;
    MgrsStatus status;
  } refused[] = {
      {"", MgrsStatus::kMalformed},
      {"30U", MgrsStatus::kMalformed},
      {"030UXC", MgrsStatus::kMalformed},
      {"30U X C", MgrsStatus::kMalformed},
      {"30UXC 123 456 7", MgrsStatus::kMalformed},
      {"30UXC12a4", MgrsStatus::kMalformed},
      {"0U XC", MgrsStatus::kBadZone},
      {"61U XC", MgrsStatus::kBadZone},
      {"30I XC", MgrsStatus::kBadBand},
      {"30Z XC", MgrsStatus::kBadBand},
      {"30U IC", MgrsStatus::kBadSquareLetter},
      {"30U XW", MgrsStatus::kBadSquareLetter},
      {"30U XC 123 12", MgrsStatus::kUnevenDigits},
      {"30UXC123", MgrsStatus::kUnevenDigits},
      {"30UXC123456123456", MgrsStatus::kUnevenDigits},
      {"32X NA", MgrsStatus::kZoneNotInBand},
      {"30U AC", MgrsStatus::kColumnNotInZone},
      {"30U SC", MgrsStatus::kSquareOutsideZone},  // 100..200 km east: zone 30 starts near 276
      {"31V HG", MgrsStatus::kSquareOutsideZone},  // 31V lies west of its central meridian
      {"30U XN", MgrsStatus::kSquareOutsideBand},  // rows 0.7, 2.7 .. 8.7 Mm miss 48..56 N
      {"17S NJ", MgrsStatus::kSquareOutsideBand},  // older letters read on WGS-84
  };
  for (const auto& r : refused) {
    UtmPoint corner = Grid(1.0, 2.0, 3, 'N');
    int precision = 7;
    EXPECT_EQ(MgrsToUtm(r.text, 0, corner, precision), r.status) << r.text;
    EXPECT_TRUE(corner.easting == 1.0 && precision == 7) << r.text;
  }
}

TEST(MgrsTest, WritingRefusesWithTheReasonAndAnEmptyText) {
  const auto write = [](const GeoPoint& p, int precision = 5, MgrsStyle style = MgrsStyle::kSpaced,
                        std::size_t size = kMgrsTextSize) {
    char text[kMgrsTextSize] = "x";
    const MgrsStatus status = GeoToMgrs(p, precision, style, text, size);
    EXPECT_TRUE(status == MgrsStatus::kOk || text[0] == '\0');
    return status;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(write(PointDeg(84.0001, 10)), MgrsStatus::kOutsideGrid);
  EXPECT_EQ(write(PointDeg(-80.0001, 10)), MgrsStatus::kOutsideGrid);
  EXPECT_EQ(write(GeoPoint{nan, 0.1, 0, 0}), MgrsStatus::kOutsideGrid);
  EXPECT_EQ(write(GeoPoint{0.1, nan, 0, 0}), MgrsStatus::kOutsideGrid);
  const GeoPoint london = PointDeg(51.5043, -0.1277);
  EXPECT_EQ(write(london, -1), MgrsStatus::kBadPrecision);
  EXPECT_EQ(write(london, 6), MgrsStatus::kBadPrecision);
  EXPECT_EQ(write(london, 5, MgrsStyle::kSpaced, 18), MgrsStatus::kBufferTooSmall);
  EXPECT_EQ(write(london, 5, MgrsStyle::kCompact, 16), MgrsStatus::kOk);
  EXPECT_EQ(write(london, 5, MgrsStyle::kCompact, 15), MgrsStatus::kBufferTooSmall);
  EXPECT_STREQ(MgrsOf(PointDeg(85, 0)).text, "");
  EXPECT_STREQ(MgrsOf(london, 2).text, "30U XC 99 09");
  // Eastings past 900000 m or below 100000 m have no square in the zone; a
  // northing outside its band (or below the equator's) and a Svalbard gap
  // have none either.
  const struct {
    UtmPoint grid;
    MgrsStatus status;
  } grids[] = {
      {Grid(950000, 1000000, 31, 'P'), MgrsStatus::kSquareOutsideZone},
      {Grid(50000, 1000000, 31, 'P'), MgrsStatus::kSquareOutsideZone},
      {Grid(500000, 1000000, 31, 'U'), MgrsStatus::kSquareOutsideBand},
      {Grid(500000, -0.5, 31, 'N'), MgrsStatus::kSquareOutsideBand},
      {Grid(500000, -std::numeric_limits<double>::denorm_min(), 31, 'N'),
       MgrsStatus::kSquareOutsideBand},
      {Grid(500000, 8800000, 32, 'X'), MgrsStatus::kZoneNotInBand},
      {Grid(500000, 0, 61, 'N'), MgrsStatus::kBadZone},
      {Grid(500000, 0, 31, 'O'), MgrsStatus::kBadBand},
  };
  for (const auto& g : grids) {
    char text[kMgrsTextSize];
    EXPECT_EQ(UtmToMgrs(g.grid, 5, MgrsStyle::kSpaced, text, sizeof text), g.status)
        << g.grid.easting << " " << g.grid.northing;
  }
}

}  // namespace
}  // namespace trelvan
