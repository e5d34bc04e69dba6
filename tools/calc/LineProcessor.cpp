#include "tools/calc/LineProcessor.h"

#include <cmath>
#include <cstdint>

#include "geodesy/Angles.h"
#include "geodesy/Bands.h"
#include "geodesy/Convergence.h"
#include "geodesy/Datum.h"
#include "geodesy/DatumShift.h"
#include "geodesy/GridDomain.h"
#include "geodesy/Mgrs.h"
#include "geodesy/Utm.h"
#include "geometry/Linear3.h"
#include "geometry/Polar.h"
#include "geometry/Resection.h"
#include "magnetic/Igrf14.h"
#include "magnetic/MagneticModel.h"
#include "measures/Units.h"
#include "text/DatumName.h"
#include "text/Fields.h"
#include "text/Geographic.h"
#include "text/Grid.h"
#include "text/IsoDate.h"
#include "text/Numbers.h"
#include "text/Quoted.h"

namespace trelvan::calc {

namespace {

// Decimals of people's output.
constexpr int kGridDecimals = 3;          // easting and northing, millimetres
constexpr int kDecimalDegrees = 9;        // latitude and longitude in degrees
constexpr int kDegreeDecimals = 4;        // angles in degrees
constexpr int kMilDecimals = 2;           // angles in mils
constexpr int kFineLengthDecimals = 3;    // m, ft, yd
constexpr int kCoarseLengthDecimals = 6;  // km, nmi, smi

// Why utm, convergence and mgrs refuse a position beyond the grid's latitudes.
constexpr std::string_view kBeyondGrid = "the position lies beyond the UTM grid (80 S to 84 N)";

// The eastings and northings --raw geo takes, metres, as earlier versions
// took them: the northings of 84 deg 30' N and 80 deg 30' S on the central
// meridian, rounded outwards. People's lines are read by FromGrid instead.
constexpr double kRawLeastEasting = 0;
constexpr double kRawMostEasting = 1000000;
constexpr double kRawMostNorthernNorthing = 9383913;
constexpr double kRawLeastSouthernNorthing = 1062605;
constexpr double kRawMostSouthernNorthing = 10000000;

int LengthDecimals(std::int32_t unit) {
  return unit == kKilometers || unit == kNauticalMiles || unit == kStatuteMiles
             ? kCoarseLengthDecimals
             : kFineLengthDecimals;
}

// The shape of a field list: how many names, whether the last one is in
// brackets (may be left out) or ends in "..." (takes the rest of the line).
struct Shape {
  int names = 0;
  bool lastOptional = false;
  bool lastTakesRest = false;
};

Shape ShapeOf(std::string_view names) {
  Shape shape;
  const FieldList words = SplitFields(names);
  shape.names = words.count;
  if (words.count > 0) {
    const std::string_view last = words.field[words.count - 1];
    shape.lastOptional = last.front() == '[';
    shape.lastTakesRest = last.size() > 3 && last.substr(last.size() - 3) == "...";
  }
  return shape;
}

// The shapes of every operation's two field lists, counted once per run
// rather than once per line.
const Shape& ShapeFor(const OperationInfo& info, bool raw) {
  static const auto shapes = [] {
    struct {
      Shape raw[kOperationCount];
      Shape people[kOperationCount];
    } all;
    for (int i = 0; i < kOperationCount; ++i) {
      all.raw[i] = ShapeOf(kOperations[i].rawInput);
      all.people[i] = ShapeOf(kOperations[i].input);
    }
    return all;
  }();
  const auto i = &info - kOperations;
  return raw ? shapes.raw[i] : shapes.people[i];
}

// The name of field `index` without brackets or dots.
std::string_view NameOf(std::string_view names, int index) {
  const FieldList words = SplitFields(names);
  std::string_view name = index < words.count ? words.field[index] : std::string_view("FIELD");
  if (!name.empty() && name.front() == '[') name = name.substr(1, name.size() - 2);
  if (name.size() > 3 && name.substr(name.size() - 3) == "...") name.remove_suffix(3);
  return name;
}

// One line being read and answered: reads fields by index in the units of
// the mode, writes the answer's fields, and turns the first problem into the
// error line.
class Line {
 public:
  Line(const Options& options, const FieldList& fields, std::string& out)
      : options_(options),
        fields_(fields),
        out_(out),
        start_(out.size()),
        info_(InfoOf(options.operation)),
        names_(options.raw ? info_.rawInput : info_.input) {}

  bool raw() const { return options_.raw; }
  const Options& options() const { return options_; }
  int count() const { return fields_.count; }

  // Checks the number of fields against the operation's list.
  bool CountOk() {
    const Shape& shape = ShapeFor(info_, raw());
    const int n = fields_.count;
    if (shape.lastTakesRest) {
      if (n >= shape.names) return true;
      return FailCount("at least ", shape.names, -1);
    }
    if (shape.lastOptional) {
      if (n == shape.names || n == shape.names - 1) return true;
      return FailCount("", shape.names - 1, shape.names);
    }
    if (n == shape.names) return true;
    return FailCount("", shape.names, -1);
  }

  // The raw text of field `i`.
  std::string_view Text(int i) const { return fields_.field[i]; }

  // The text from field `i` to the end of the line.
  std::string_view Rest(int i) const {
    const char* begin = fields_.field[i].data();
    return std::string_view(begin, fields_.line.data() + fields_.line.size() - begin);
  }

  bool Real(int i, double& value) {
    if (ParseReal(Text(i), value)) return true;
    return FailField(i, "is not a finite number");
  }

  // A range or height: metres raw, the --dist unit for people.
  bool Length(int i, double& metres) {
    if (!Real(i, metres)) return false;
    if (!raw()) metres = metres * DistanceEntryFactor(options_.distanceUnit);
    return true;
  }

  // An azimuth, elevation or angle: radians raw, the --angle unit for people.
  bool Angle(int i, double& radians) {
    if (!Real(i, radians)) return false;
    if (!raw()) radians = radians * AngleUnitToRadians(options_.angleUnit);
    return true;
  }

  bool Whole(int i, std::int64_t low, std::int64_t high, const char* what, std::int64_t& value) {
    if (ParseWhole(Text(i), value) && value >= low && value <= high) return true;
    return FailField(i, what);
  }

  bool DatumIndex(int i, std::uint16_t& datum) {
    std::int64_t value = 0;
    if (!Whole(i, 0, kDatumCount - 1, "is not a datum index 0..124", value)) return false;
    datum = static_cast<std::uint16_t>(value);
    return true;
  }

  // LAT LON HEIGHT DATUM raw, LAT LON HEIGHT for people (on --datum);
  // advances `i` past the fields read.
  bool Position(int& i, GeoPoint& p) {
    p = GeoPoint{};
    if (raw()) {
      if (!Real(i, p.lat) || !Real(i + 1, p.lon) || !Real(i + 2, p.height) ||
          !DatumIndex(i + 3, p.datum)) {
        return false;
      }
      i += 4;
      return true;
    }
    if (!Geographic(i, Axis::kLatitude, p.lat) || !Geographic(i + 1, Axis::kLongitude, p.lon) ||
        !Length(i + 2, p.height)) {
      return false;
    }
    p.datum = options_.datum;
    i += 3;
    return true;
  }

  // LAT LON [HEIGHT] for people on --datum, where the height is not used;
  // with --raw as Position.
  bool PositionHeightOptional(int& i, GeoPoint& p) {
    if (raw() || count() > i + 2) return Position(i, p);
    p = GeoPoint{};
    if (!Geographic(i, Axis::kLatitude, p.lat) || !Geographic(i + 1, Axis::kLongitude, p.lon)) {
      return false;
    }
    p.datum = options_.datum;
    i += 2;
    return true;
  }

  bool Zone(int i, std::uint16_t& zone) {
    std::int64_t value = 0;
    if (!Whole(i, 1, 60, "is not a zone 1..60", value)) return false;
    zone = static_cast<std::uint16_t>(value);
    return true;
  }

  bool Band(int i, signed char& band) {
    const std::string_view text = Text(i);
    if (text.size() == 1 && IsBandLetter(text[0])) {
      band = static_cast<signed char>(text[0]);
      return true;
    }
    return FailField(i, "is not a UTM band letter (C..X without I and O)");
  }

  // The grid position of p. People's positions are projected between 80 S
  // and 84 N only (ToGrid); --raw keeps the answers of earlier versions,
  // with latitudes beyond the limits clamped to them.
  bool Project(const GeoPoint& p, UtmPoint& g) {
    if (raw()) {
      GeoToUtm(p, g);
      return true;
    }
    if (ToGrid(p, g) == GridStatus::kOnGrid) return true;
    return Fail(kBeyondGrid);
  }

  // Checks a date; `what` names it in the message.
  bool DateOk(const CalendarDate& date, std::string_view what) {
    const char* problem = DateProblem(date);
    if (problem == nullptr) return true;
    Begin();
    out_ += what;
    out_ += ": ";
    out_ += problem;
    return false;
  }

  // The error line; always false so that callers can return it.
  bool Fail(std::string_view reason) {
    Begin();
    out_ += reason;
    return false;
  }

  bool FailField(int i, std::string_view reason) { return FailText(i, Text(i), reason); }

  // As FailField, quoting `text` (a field or the rest of the line).
  bool FailText(int i, std::string_view text, std::string_view reason) {
    Begin();
    out_ += NameOf(names_, i);
    out_ += ' ';
    out_ += FormatQuoted(text).view();
    out_ += ' ';
    out_ += reason;
    return false;
  }

  // Answer fields, each after a single space.
  void PutReal(double value) {
    Separate();
    finite_ = finite_ && std::isfinite(value);
    out_ += FormatRaw(value).view();
  }

  void PutFixed(double value, int decimals) {
    Separate();
    finite_ = finite_ && std::isfinite(value);
    out_ += FormatFixed(value, decimals).view();
  }

  void PutInteger(std::int64_t value) {
    Separate();
    out_ += FormatInteger(value).view();
  }

  void PutChar(char c) {
    Separate();
    out_ += c;
  }

  void PutWord(std::string_view word) {
    Separate();
    out_ += word;
  }

  void PutLength(double metres) {
    if (raw()) return PutReal(metres);
    PutFixed(metres * DistanceDisplayFactor(options_.distanceUnit),
             LengthDecimals(options_.distanceUnit));
  }

  void PutAngle(double radians) {
    if (raw()) return PutReal(radians);
    PutFixed(radians * RadiansToAngleUnit(options_.angleUnit),
             IsMils(options_.angleUnit) ? kMilDecimals : kDegreeDecimals);
  }

  // LAT LON HEIGHT DATUM raw; for people the latitude and longitude in DMS,
  // the height, then both in decimal degrees.
  void PutPosition(const GeoPoint& p) {
    if (raw()) {
      PutReal(p.lat);
      PutReal(p.lon);
      PutReal(p.height);
      PutInteger(p.datum);
      return;
    }
    finite_ = finite_ && std::isfinite(p.lat) && std::isfinite(p.lon);
    if (!finite_) return;
    Separate();
    out_ += FormatDms(p.lat, Axis::kLatitude).view();
    Separate();
    out_ += FormatDms(p.lon, Axis::kLongitude).view();
    PutLength(p.height);
    PutFixed(p.lat * kRadToDeg, kDecimalDegrees);
    PutFixed(p.lon * kRadToDeg, kDecimalDegrees);
  }

  // Ends the answer: an answer holding a value that is not finite becomes
  // an error line.
  bool Finish() {
    if (finite_) return true;
    return Fail("the result is not finite");
  }

 private:
  bool Geographic(int i, Axis axis, double& radians) {
    const char* problem = ParseGeographic(Text(i), axis, radians);
    if (problem == nullptr) return true;
    return FailField(i, problem);
  }

  bool FailCount(const char* atLeast, int expected, int orExpected) {
    Begin();
    out_ += "expected ";
    out_ += atLeast;
    out_ += FormatInteger(expected).view();
    if (orExpected >= 0) {
      out_ += " or ";
      out_ += FormatInteger(orExpected).view();
    }
    out_ += " fields (";
    out_ += names_;
    out_ += "), got ";
    out_ += FormatInteger(fields_.count).view();
    return false;
  }

  // Drops what the answer wrote so far and starts the error line.
  void Begin() {
    out_.resize(start_);
    out_ += "ERROR: ";
  }

  void Separate() {
    if (out_.size() > start_) out_ += ' ';
  }

  const Options& options_;
  const FieldList& fields_;
  std::string& out_;
  const std::size_t start_;
  const OperationInfo& info_;
  const std::string_view names_;
  bool finite_ = true;
};

bool Utm(Line& line) {
  int i = 0;
  GeoPoint p;
  UtmPoint g{};
  if (!line.CountOk() || !line.Position(i, p) || !line.Project(p, g)) return false;
  if (line.raw()) {
    line.PutReal(g.easting);
    line.PutReal(g.northing);
  } else {
    line.PutFixed(g.easting, kGridDecimals);
    line.PutFixed(g.northing, kGridDecimals);
  }
  line.PutLength(g.height);
  line.PutInteger(g.zone);
  line.PutChar(static_cast<char>(g.band));
  if (line.raw()) line.PutInteger(g.datum);
  return line.Finish();
}

// Why a grid reference could not be written or read, worded to follow the
// reference.
const char* MgrsProblem(MgrsStatus status) {
  switch (status) {
    case MgrsStatus::kOk:
      break;
    case MgrsStatus::kOutsideGrid:
      return "lies beyond the UTM grid (80 S to 84 N)";
    case MgrsStatus::kNotFinite:
      return "has an easting or northing that is not finite";
    case MgrsStatus::kBadPrecision:
      return "cannot be written with that precision (0..5)";
    case MgrsStatus::kBufferTooSmall:
      return "is too long";
    case MgrsStatus::kMalformed:
      return "is not an MGRS reference (zone, band, two square letters, digits)";
    case MgrsStatus::kBadZone:
      return "has a zone outside 1..60";
    case MgrsStatus::kBadBand:
      return "has a band that is not C..X without I and O (the polar bands are not covered)";
    case MgrsStatus::kBadSquareLetter:
      return "has a square letter that is never used (I, O, or a row letter after V)";
    case MgrsStatus::kUnevenDigits:
      return "does not have as many northing digits as easting digits, 0 to 5 each";
    case MgrsStatus::kZoneNotInBand:
      return "names a zone that band X does not have (only 31X, 33X, 35X and 37X around 0 to 42 "
             "degrees east)";
    case MgrsStatus::kColumnNotInZone:
      return "has a column letter of another zone (A..H in zones 1, 4, 7.., J..R in 2, 5, 8.., "
             "S..Z in 3, 6, 9..)";
    case MgrsStatus::kSquareOutsideZone:
      return "names a square that lies outside its zone in that band";
    case MgrsStatus::kSquareOutsideBand:
      return "names a square that does not reach its band: the band does not match the northing";
  }
  return "";
}

bool Mgrs(Line& line) {
  int i = 0;
  GeoPoint p;
  if (!line.CountOk() || !line.PositionHeightOptional(i, p)) return false;
  char text[kMgrsTextSize];
  const MgrsStatus status =
      GeoToMgrs(p, line.options().precision, line.raw() ? MgrsStyle::kCompact : MgrsStyle::kSpaced,
                text, sizeof text);
  if (status != MgrsStatus::kOk) {
    return line.Fail(std::string("the position ") + MgrsProblem(status));
  }
  line.PutWord(text);
  return line.Finish();
}

// True when `text` is nothing but digits.
bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// MGRS [HEIGHT] for people: the south-west corner of the cell a grid
// reference names, on --datum. The reference is the whole line, spaced as
// mgrs prints it or not; when it is not, the last field may be a height
// after a reference that is. Digits are the reference's own wherever they
// can be: "30U XC 99333 09819" has no height, and a run of digits right
// after the square letters is never taken for one.
bool GeoFromMgrs(Line& line) {
  const std::string_view text = line.Rest(0);
  const std::uint16_t datum = line.options().datum;
  UtmPoint g{};
  int precision = 0;
  MgrsStatus status = MgrsToUtm(text, datum, g, precision);
  if (status != MgrsStatus::kOk && line.count() >= 2 && line.count() <= kMaxFields) {
    const std::string_view last = line.Text(line.count() - 1);
    const std::string_view reference = text.substr(0, last.data() - text.data());
    if (MgrsToUtm(reference, datum, g, precision) == MgrsStatus::kOk &&
        !(precision == 0 && AllDigits(last))) {
      std::string what = "HEIGHT ";
      what += FormatQuoted(last).view();
      if (!ParseReal(last, g.height)) return line.Fail(what + " is not a finite number");
      g.height = g.height * DistanceEntryFactor(line.options().distanceUnit);
      if (!(std::fabs(g.height) <= kMaxHeight)) return line.Fail(what + " is beyond 100 km");
      status = MgrsStatus::kOk;
    }
  }
  const auto refuse = [&line, text](std::string_view problem) {
    std::string reason = "MGRS ";
    reason += FormatQuoted(text).view();
    reason += ' ';
    reason += problem;
    return line.Fail(reason);
  };
  if (status != MgrsStatus::kOk) return refuse(MgrsProblem(status));
  GeoPoint p{};
  if (FromGrid(g, BandRule::kHemisphere, p) != GridStatus::kOnGrid) {
    return refuse("names a cell whose south-west corner lies outside its zone");
  }
  line.PutPosition(p);
  return line.Finish();
}

bool Geo(Line& line) {
  double number = 0.0;
  if (!line.raw() && !ParseReal(line.Text(0), number)) return GeoFromMgrs(line);
  UtmPoint g{};
  g.form = kUtmForm;
  g.datum = line.options().datum;
  if (!line.CountOk() || !line.Real(0, g.easting) || !line.Real(1, g.northing) ||
      !line.Length(2, g.height) || !line.Zone(3, g.zone) || !line.Band(4, g.band)) {
    return false;
  }
  if (!line.raw()) {
    GeoPoint p{};
    const GridStatus status = FromGrid(g, BandRule::kLetter, p);
    if (status != GridStatus::kOnGrid) return line.Fail(GridProblem(status));
    line.PutPosition(p);
    return line.Finish();
  }
  if (!line.DatumIndex(5, g.datum)) return false;
  if (!(g.easting >= kRawLeastEasting && g.easting <= kRawMostEasting)) {
    return line.FailField(0, "is outside the grid (0..1000000 m)");
  }
  const bool north = g.band >= 'N';
  const bool onGrid =
      north ? g.northing >= 0 && g.northing <= kRawMostNorthernNorthing
            : g.northing >= kRawLeastSouthernNorthing && g.northing <= kRawMostSouthernNorthing;
  if (!onGrid) {
    return line.FailField(1, north ? "is outside the northern grid (0..9383913 m)"
                                   : "is outside the southern grid (1062605..10000000 m)");
  }
  const GeoPoint p = UtmToGeo(g);
  if (std::fabs(p.lat) > kQuarterTurn) {
    return line.Fail("the result is not a latitude within 90 degrees");
  }
  line.PutPosition(p);
  return line.Finish();
}

bool Datum(Line& line) {
  int i = 0;
  GeoPoint p;
  if (!line.CountOk() || !line.Position(i, p)) return false;
  std::uint16_t target = 0;
  if (line.raw()) {
    if (!line.DatumIndex(i, target)) return false;
  } else if (!FindDatum(line.Rest(i), target)) {
    return line.FailText(i, line.Rest(i), "is not a datum index 0..124 or a datum name");
  }
  line.PutPosition(ConvertDatum(target, p));
  return line.Finish();
}

bool Convergence(Line& line) {
  int i = 0;
  GeoPoint p;
  UtmPoint g{};
  if (!line.CountOk() || !line.Position(i, p) || !line.Project(p, g)) return false;
  line.PutAngle(UtmConvergence(g));
  return line.Finish();
}

bool Declination(Line& line) {
  int i = 0;
  GeoPoint p;
  if (!line.CountOk() || !line.Position(i, p)) return false;
  CalendarDate date = line.options().date;
  if (line.raw()) {
    std::int64_t year = 0;
    std::int64_t month = 0;
    std::int64_t day = 0;
    if (!line.Whole(i, kFirstYear, kLastYear, "is not a year 1..9999", year) ||
        !line.Whole(i + 1, 1, 12, "is not a month 1..12", month) ||
        !line.Whole(i + 2, 1, 31, "is not a day 1..31", day)) {
      return false;
    }
    date = CalendarDate{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
    if (date.day > DaysInMonth(date.year, date.month)) {
      return line.FailField(i + 2, "is not a day of that month");
    }
  } else if (line.count() > i) {
    if (!ParseIsoDate(line.Text(i), date)) return line.FailField(i, "is not a date YYYY-MM-DD");
    std::string what = "DATE ";
    what += FormatQuoted(line.Text(i)).view();
    if (!line.DateOk(date, what)) return false;
  } else if (!line.DateOk(date, "the date of --date")) {
    return false;
  }
  const bool igrf14 = line.options().model == FieldModel::kIgrf14;
  if (igrf14 && !Igrf14CoversYear(date.year)) {
    return line.Fail("date outside the magnetic model's years 1900 to 2030");
  }
  DateStamp stamp{};
  stamp.day = static_cast<std::int16_t>(date.day);
  stamp.month = static_cast<std::int16_t>(date.month);
  stamp.year = static_cast<std::int16_t>(date.year);
  const double degrees = igrf14 ? Igrf14Variance(stamp, p) : MagneticVariance(stamp, p);
  // Where the field is too weak to point anywhere (far out in space) the
  // model gives a marker millions of degrees large instead of an angle.
  if (std::fabs(degrees) > 180.0 && std::isfinite(degrees)) {
    return line.Fail("declination undefined here");
  }
  if (line.raw()) {
    line.PutReal(degrees);
  } else {
    line.PutAngle(degrees * kDegToRad);
  }
  return line.Finish();
}

// RANGE AZIMUTH ELEVATION from field `i` on.
bool Vector(Line& line, int i, PolarVector& v) {
  return line.Length(i, v.range) && line.Angle(i + 1, v.azimuth) && line.Angle(i + 2, v.elevation);
}

// The end of a polar problem from `start` along the range of v. A range so
// large that the arithmetic loses it gives back the start itself, or a
// point a rounding error away; an end nearer the start than half the range
// is refused. (The straight line of the polar problems keeps every sound
// end at the range from its start.)
bool PutEnd(Line& line, const PolarVector& v, const GeoPoint& start, const GeoPoint& end) {
  if (std::isfinite(end.lat) && std::isfinite(end.lon) && std::isfinite(end.height) &&
      InversePolar(start, end).range < std::fabs(v.range) * 0.5) {
    return line.Fail("the range is lost in the result");
  }
  line.PutPosition(end);
  return line.Finish();
}

bool Forward(Line& line) {
  int i = 0;
  GeoPoint station;
  PolarVector v{};
  if (!line.CountOk() || !line.Position(i, station) || !Vector(line, i, v)) return false;
  return PutEnd(line, v, station, ForwardPolar(v, station));
}

bool Inverse(Line& line) {
  int i = 0;
  GeoPoint from;
  GeoPoint to;
  if (!line.CountOk() || !line.Position(i, from) || !line.Position(i, to)) return false;
  const PolarVector v = InversePolar(from, to);
  line.PutLength(v.range);
  line.PutAngle(v.azimuth);
  line.PutAngle(v.elevation);
  return line.Finish();
}

bool Back(Line& line) {
  int i = 0;
  GeoPoint target;
  PolarVector v{};
  if (!line.CountOk() || !line.Position(i, target) || !Vector(line, i, v)) return false;
  return PutEnd(line, v, target, BackPolar(v, target));
}

bool Resection(Line& line) {
  double theta = 0.0;
  PolarVector m1{};
  PolarVector m2{};
  int i = 5;
  GeoPoint w1;
  GeoPoint w2;
  if (!line.CountOk() || !line.Angle(0, theta) || !line.Length(1, m1.range) ||
      !line.Angle(2, m1.elevation) || !line.Length(3, m2.range) || !line.Angle(4, m2.elevation) ||
      !line.Position(i, w1) || !line.Position(i, w2)) {
    return false;
  }
  GeoPoint station{};
  if (SolveResection(theta, m1, m2, w1, w2, station) != SolveStatus::kSolved ||
      CheckResection(station, m1, m2, w1, w2) != SolveStatus::kSolved) {
    return line.Fail("no solution");
  }
  line.PutPosition(station);
  return line.Finish();
}

}  // namespace

LineStatus ProcessLine(const Options& options, std::string_view line, std::string& out) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (!line.empty() && line.front() == '#') {
    out.append(line);
    return LineStatus::kResult;
  }
  const FieldList fields = SplitFields(line);
  if (fields.count == 0) return LineStatus::kSkipped;
  Line answer(options, fields, out);
  bool ok = false;
  switch (options.operation) {
    case Operation::kUtm:
      ok = Utm(answer);
      break;
    case Operation::kGeo:
      ok = Geo(answer);
      break;
    case Operation::kDatum:
      ok = Datum(answer);
      break;
    case Operation::kConvergence:
      ok = Convergence(answer);
      break;
    case Operation::kDeclination:
      ok = Declination(answer);
      break;
    case Operation::kForward:
      ok = Forward(answer);
      break;
    case Operation::kInverse:
      ok = Inverse(answer);
      break;
    case Operation::kBackPolar:
      ok = Back(answer);
      break;
    case Operation::kResection:
      ok = Resection(answer);
      break;
    case Operation::kMgrs:
      ok = Mgrs(answer);
      break;
  }
  return ok ? LineStatus::kResult : LineStatus::kError;
}

}  // namespace trelvan::calc
