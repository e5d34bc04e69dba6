#include "geodesy/Mgrs.h"

#include <algorithm>
#include <cmath>

#include "geodesy/Angles.h"
#include "geodesy/Bands.h"
#include "geodesy/GridDomain.h"

namespace trelvan {
namespace {

constexpr double kSquare = 100000.0;     // side of a 100 km square, metres
constexpr double kRowCycle = 2000000.0;  // northing after which the row letters repeat
constexpr int kRowCycles = 6;            // cycles from northing 0 past the southern 10000 km
constexpr char kColumns[] = "ABCDEFGHJKLMNPQRSTUVWXYZ";  // three sets of eight
constexpr char kRows[] = "ABCDEFGHJKLMNPQRSTUV";
constexpr int kColumnsPerSet = 8;
constexpr int kRowLetters = 20;
constexpr int kEvenZoneRowShift = 5;      // even zones start at F
constexpr int kOlderLetteringShift = 10;  // L or R instead of A or F

// The edges of a zone and a band are probed this far inside, degrees (about
// a centimetre), so that the probe falls in the zone and band it stands for
// whatever the last bit of the conversion to radians does.
constexpr double kInside = 1e-7;

// How far beyond the zone and band a square may lie and still be taken,
// metres: covers the probes' centimetre and a band letter given by a
// program that puts a band edge a little differently (another datum, another
// rounding of the latitude).
constexpr double kSlack = 1000.0;

// Ellipsoids (a in metres, 1/f) whose maps print the older row lettering.
struct Ellipsoid {
  double a;
  double inv_f;
};
constexpr Ellipsoid kOlderLettering[] = {
    {6378206.4, 294.9786982},    // Clarke 1866
    {6378249.145, 293.465},      // Clarke 1880
    {6377397.155, 299.1528128},  // Bessel 1841
    {6377483.865, 299.1528128},  // Bessel 1841, Namibia
};

// Position of `c` in `letters` (a NUL-terminated set), or -1.
int IndexIn(const char* letters, char c) {
  for (int i = 0; letters[i] != '\0'; ++i) {
    if (letters[i] == c) return i;
  }
  return -1;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// The row letter index of northing row 0 (the equator) in `zone`.
int RowShift(std::uint16_t zone, std::uint16_t datum) {
  return (zone % 2 == 0 ? kEvenZoneRowShift : 0) +
         (UsesOlderLettering(datum) ? kOlderLetteringShift : 0);
}

// Smallest and largest easting and northing, metres, of the part of a zone
// that lies in a band.
struct Reach {
  double eastMin;
  double eastMax;
  double northMin;
  double northMax;
};

// The longitudes (degrees) of the west and east edges of `zone` within band
// index `band` (0 = C .. 19 = X), after the exceptions of southern Norway
// (band V) and Svalbard (band X); false where the zone does not exist there.
bool ZoneEdges(std::uint16_t zone, int band, double& west, double& east) {
  west = static_cast<double>(zone) * 6.0 - 186.0;
  east = west + 6.0;
  if (BandLetterAt(band) == 'V') {
    if (zone == 31) east = 3.0;
    if (zone == 32) west = 3.0;
  } else if (BandLetterAt(band) == 'X') {
    if (zone == 32 || zone == 34 || zone == 36) return false;
    if (zone == 31) east = 9.0;
    if (zone == 33 || zone == 35 || zone == 37) {
      west -= 3.0;
      east += 3.0;
    }
    if (zone == 37) east = 42.0;
  }
  return true;
}

// The reach of `zone` within band index `band`, by projecting the corners of
// the zone's part of the band and the points of its edges nearest the
// central meridian: the parallels bend away from the equator towards the
// zone's edges, so these hold every extreme.
bool ReachOf(std::uint16_t zone, int band, std::uint16_t datum, Reach& reach) {
  double west = 0.0;
  double east = 0.0;
  if (!ZoneEdges(zone, band, west, east)) return false;
  const double south = BandSouthDeg(band);
  const double north = BandNorthDeg(band);
  const double centre = static_cast<double>(zone) * 6.0 - 183.0;
  const double lats[] = {south + kInside, north - kInside};
  const double lons[] = {west + kInside, east - kInside,
                         std::clamp(centre, west + kInside, east - kInside)};
  reach = Reach{HUGE_VAL, -HUGE_VAL, HUGE_VAL, -HUGE_VAL};
  for (double lat : lats) {
    for (double lon : lons) {
      GeoPoint p{};
      p.lat = lat * kDegToRad;
      p.lon = lon * kDegToRad;
      p.datum = datum;
      UtmPoint u{};
      GeoToUtm(p, u);
      reach.eastMin = std::min(reach.eastMin, u.easting);
      reach.eastMax = std::max(reach.eastMax, u.easting);
      reach.northMin = std::min(reach.northMin, u.northing);
      reach.northMax = std::max(reach.northMax, u.northing);
    }
  }
  return true;
}

// True when [low, low + size) meets [min, max] widened by the slack.
bool Meets(double low, double size, double min, double max) {
  return low + size > min - kSlack && low < max + kSlack;
}

// 10^(5 - precision): the side of a cell, metres.
double CellSize(int precision) {
  double size = 1.0;
  for (int i = precision; i < kMgrsMaxPrecision; ++i) size *= 10.0;
  return size;
}

// Appends `value` with `digits` digits, zero-padded, at text[at].
void PutDigits(char* text, std::size_t& at, long value, int digits) {
  for (int i = digits - 1; i >= 0; --i) {
    text[at + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  at += static_cast<std::size_t>(digits);
}

// Splits a coordinate (metres) into whole 100 km squares and whole cells
// within the square. A quotient that rounds onto the square above (a
// northing a hair below zero divides to -0) is taken back into the square
// below, so the cells are never negative and never a whole square.
void SplitSquare(double metres, double cell, double& squares, double& cells) {
  squares = std::floor(metres / kSquare);
  double rest = metres - squares * kSquare;
  if (rest < 0.0) {
    squares -= 1.0;
    rest += kSquare;
  }
  cells = std::min(std::floor(rest / cell), kSquare / cell - 1.0);
}

MgrsStatus Refuse(MgrsStatus status, char* text, std::size_t size) {
  if (size > 0) text[0] = '\0';
  return status;
}

// Writes the reference of `grid`, whose zone and band are known to be good.
// With a `reach`, the square must meet the zone's part of the band; without
// one (a position GeoToUtm put in its zone and band) only the letters that
// exist are checked.
MgrsStatus Write(const UtmPoint& grid, int precision, MgrsStyle style, char* text, std::size_t size,
                 const Reach* reach) {
  // Truncated to the cell: a reference always names the cell the position
  // lies in, never its neighbour to the north or east.
  const double cell = CellSize(precision);
  double column = 0.0;
  double east = 0.0;
  double row = 0.0;
  double north = 0.0;
  SplitSquare(grid.easting, cell, column, east);
  SplitSquare(grid.northing, cell, row, north);
  if (!(column >= 1.0 && column <= kColumnsPerSet) ||
      (reach != nullptr &&
       !Meets(column * kSquare + east * cell, cell, reach->eastMin, reach->eastMax))) {
    return Refuse(MgrsStatus::kSquareOutsideZone, text, size);
  }
  if (!(row >= 0.0 && row < kRowCycles * kRowCycle / kSquare) ||
      (reach != nullptr &&
       !Meets(row * kSquare + north * cell, cell, reach->northMin, reach->northMax))) {
    return Refuse(MgrsStatus::kSquareOutsideBand, text, size);
  }

  const std::size_t length = (grid.zone >= 10 ? 2 : 1) + 1 + 2 +
                             2 * static_cast<std::size_t>(precision) +
                             (style == MgrsStyle::kSpaced ? (precision > 0 ? 3 : 1) : 0);
  if (size <= length) return Refuse(MgrsStatus::kBufferTooSmall, text, size);

  const bool spaced = style == MgrsStyle::kSpaced;
  const int set = (grid.zone - 1) % 3;
  const int rowIndex = (static_cast<int>(row) + RowShift(grid.zone, grid.datum)) % kRowLetters;
  std::size_t at = 0;
  PutDigits(text, at, grid.zone, grid.zone >= 10 ? 2 : 1);
  text[at++] = static_cast<char>(grid.band);
  if (spaced) text[at++] = ' ';
  text[at++] = kColumns[set * kColumnsPerSet + static_cast<int>(column) - 1];
  text[at++] = kRows[rowIndex];
  if (precision > 0) {
    if (spaced) text[at++] = ' ';
    PutDigits(text, at, static_cast<long>(east), precision);
    if (spaced) text[at++] = ' ';
    PutDigits(text, at, static_cast<long>(north), precision);
  }
  text[at] = '\0';
  return MgrsStatus::kOk;
}

}  // namespace

bool UsesOlderLettering(std::uint16_t datum) {
  const Datum& row = DatumRow(datum);
  for (const Ellipsoid& e : kOlderLettering) {
    if (row.a == e.a && row.inv_f == e.inv_f) return true;
  }
  return false;
}

MgrsStatus UtmToMgrs(const UtmPoint& grid, int precision, MgrsStyle style, char* text,
                     std::size_t size) {
  if (precision < 0 || precision > kMgrsMaxPrecision) {
    return Refuse(MgrsStatus::kBadPrecision, text, size);
  }
  if (!std::isfinite(grid.easting) || !std::isfinite(grid.northing)) {
    return Refuse(MgrsStatus::kNotFinite, text, size);
  }
  if (grid.zone < 1 || grid.zone > 60) return Refuse(MgrsStatus::kBadZone, text, size);
  const int band = BandIndex(static_cast<char>(grid.band));
  if (band < 0) return Refuse(MgrsStatus::kBadBand, text, size);
  Reach reach{};
  if (!ReachOf(grid.zone, band, grid.datum, reach)) {
    return Refuse(MgrsStatus::kZoneNotInBand, text, size);
  }
  return Write(grid, precision, style, text, size, &reach);
}

MgrsStatus GeoToMgrs(const GeoPoint& point, int precision, MgrsStyle style, char* text,
                     std::size_t size) {
  UtmPoint grid{};
  if (ToGrid(point, grid) != GridStatus::kOnGrid) {
    return Refuse(MgrsStatus::kOutsideGrid, text, size);
  }
  if (precision < 0 || precision > kMgrsMaxPrecision) {
    return Refuse(MgrsStatus::kBadPrecision, text, size);
  }
  // A longitude a million turns out and more may project to no number.
  if (!std::isfinite(grid.easting) || !std::isfinite(grid.northing)) {
    return Refuse(MgrsStatus::kNotFinite, text, size);
  }
  // GeoToUtm decides the zone and the band on the same rounded degrees as
  // the zones' and bands' edges, so the square it falls in always meets
  // them: the reach is not projected here.
  return Write(grid, precision, style, text, size, nullptr);
}

MgrsText MgrsOf(const GeoPoint& point, int precision) {
  MgrsText result{};
  result.status = GeoToMgrs(point, precision, MgrsStyle::kSpaced, result.text, kMgrsTextSize);
  return result;
}

MgrsStatus MgrsToUtm(std::string_view text, std::uint16_t datum, UtmPoint& corner, int& precision) {
  std::size_t at = 0;
  const auto skipSpaces = [&] {
    while (at < text.size() && IsSpace(text[at])) ++at;
  };
  // A run of digits from `at`; its length.
  const auto digits = [&] {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at - start;
  };
  const auto letter = [&]() -> char {
    if (at >= text.size()) return '\0';
    const char c = Upper(text[at]);
    if (c < 'A' || c > 'Z') return '\0';
    ++at;
    return c;
  };

  skipSpaces();
  const std::size_t zoneStart = at;
  const std::size_t zoneDigits = digits();
  if (zoneDigits < 1 || zoneDigits > 2) return MgrsStatus::kMalformed;
  int zone = text[zoneStart] - '0';
  if (zoneDigits == 2) zone = zone * 10 + (text[zoneStart + 1] - '0');
  if (zone < 1 || zone > 60) return MgrsStatus::kBadZone;
  skipSpaces();
  const char bandLetter = letter();
  if (bandLetter == '\0') return MgrsStatus::kMalformed;
  const int band = BandIndex(bandLetter);
  if (band < 0) return MgrsStatus::kBadBand;
  skipSpaces();
  const char columnLetter = letter();
  const char rowLetter = letter();
  if (columnLetter == '\0' || rowLetter == '\0') return MgrsStatus::kMalformed;
  const int columnIndex = IndexIn(kColumns, columnLetter);
  const int rowIndex = IndexIn(kRows, rowLetter);
  if (columnIndex < 0 || rowIndex < 0) return MgrsStatus::kBadSquareLetter;
  skipSpaces();
  const std::size_t eastStart = at;
  std::size_t eastDigits = digits();
  skipSpaces();
  std::size_t northStart = at;
  std::size_t northDigits = digits();
  skipSpaces();
  if (at != text.size()) return MgrsStatus::kMalformed;
  if (northDigits == 0) {
    // One run of digits: easting and northing halves.
    if (eastDigits % 2 != 0) return MgrsStatus::kUnevenDigits;
    eastDigits /= 2;
    northDigits = eastDigits;
    northStart = eastStart + eastDigits;
  }
  if (eastDigits != northDigits || eastDigits > kMgrsMaxPrecision) {
    return MgrsStatus::kUnevenDigits;
  }
  const int digitCount = static_cast<int>(eastDigits);
  const auto number = [&](std::size_t start) {
    long value = 0;
    for (int i = 0; i < digitCount; ++i) value = value * 10 + (text[start + i] - '0');
    return static_cast<double>(value);
  };

  const auto z = static_cast<std::uint16_t>(zone);
  const std::uint16_t row = DatumRowIndex(datum);
  Reach reach{};
  if (!ReachOf(z, band, row, reach)) return MgrsStatus::kZoneNotInBand;
  if (columnIndex / kColumnsPerSet != (zone - 1) % 3) return MgrsStatus::kColumnNotInZone;
  const double cell = CellSize(digitCount);
  const double easting = (columnIndex % kColumnsPerSet + 1) * kSquare + number(eastStart) * cell;
  if (!Meets(easting, cell, reach.eastMin, reach.eastMax)) {
    return MgrsStatus::kSquareOutsideZone;
  }
  const int firstRow = (rowIndex - RowShift(z, row) + 2 * kRowLetters) % kRowLetters;
  const double inSquare = number(northStart) * cell;
  for (int cycle = 0; cycle < kRowCycles; ++cycle) {
    const double northing = firstRow * kSquare + cycle * kRowCycle + inSquare;
    if (!Meets(northing, cell, reach.northMin, reach.northMax)) continue;
    corner = UtmPoint{};
    corner.easting = easting;
    corner.northing = northing;
    corner.zone = z;
    corner.band = static_cast<signed char>(bandLetter);
    corner.column = columnLetter;
    corner.row = rowLetter;
    corner.datum = row;
    corner.form = kUtmForm;
    precision = digitCount;
    return MgrsStatus::kOk;
  }
  return MgrsStatus::kSquareOutsideBand;
}

}  // namespace trelvan
