#include "tools/calc/Options.h"

#include <getopt.h>

#include <iterator>

#include "app/programs/Program.h"
#include "text/DatumName.h"
#include "text/IsoDate.h"

namespace trelvan::calc {

const OperationInfo kOperations[kOperationCount] = {
    {Operation::kUtm, "utm", "geographic position to UTM grid (GeoToUtm)", "LAT LON HEIGHT DATUM",
     "EASTING NORTHING HEIGHT ZONE BAND DATUM", "LAT LON HEIGHT",
     "EASTING NORTHING HEIGHT ZONE BAND", "0.8989 -0.0022 45 0", "51d30'15.5\"N 0d7'39.9\"W 45"},
    {Operation::kGeo, "geo", "UTM grid to geographic position (UtmToGeo)",
     "EASTING NORTHING HEIGHT ZONE BAND DATUM", "LAT LON HEIGHT DATUM",
     "EASTING NORTHING HEIGHT ZONE BAND", "LAT LON HEIGHT LAT_DEG LON_DEG",
     "699456.055 5709698.916 45 30 U 0", "699333.214 5709819.848 45 30 U"},
    {Operation::kMgrs, "mgrs", "geographic position to its MGRS grid reference (GeoToMgrs)",
     "LAT LON HEIGHT DATUM", "MGRS", "LAT LON [HEIGHT]", "MGRS", "0.8989 -0.0022 45 0",
     "51d30'15.5\"N 0d7'39.9\"W"},
    {Operation::kDatum, "datum", "the same position on another datum (ConvertDatum)",
     "LAT LON HEIGHT DATUM TARGET", "LAT LON HEIGHT DATUM", "LAT LON HEIGHT TARGET...",
     "LAT LON HEIGHT LAT_DEG LON_DEG", "0.8989 -0.0022 45 0 1",
     "51d30'15.5\"N 0d7'39.9\"W 45 ED-50 MEAN"},
    {Operation::kConvergence, "convergence",
     "grid convergence, true north to grid north, clockwise (GridConvergence)",
     "LAT LON HEIGHT DATUM", "GAMMA", "LAT LON HEIGHT", "GAMMA", "0.8989 -0.0022 45 0",
     "51d30'15.5\"N 0d7'39.9\"W 45"},
    {Operation::kDeclination, "declination",
     "magnetic declination, east positive (Igrf14Variance or MagneticVariance)",
     "LAT LON HEIGHT DATUM YEAR MONTH DAY", "DEGREES", "LAT LON HEIGHT [DATE]", "DECLINATION",
     "0.8989 -0.0022 45 0 2024 6 1", "51d30'15.5\"N 0d7'39.9\"W 45 2024-06-01"},
    {Operation::kForward, "forward", "target from a station and a true polar vector (ForwardPolar)",
     "LAT LON HEIGHT DATUM RANGE AZIMUTH ELEVATION", "LAT LON HEIGHT DATUM",
     "LAT LON HEIGHT RANGE AZIMUTH ELEVATION", "LAT LON HEIGHT LAT_DEG LON_DEG",
     "0.8989 -0.0022 45 0 1000 0.7854 0.01", "51.504306 -0.1277 45 1000 45 0.5"},
    {Operation::kInverse, "inverse", "true polar vector from point 1 to point 2 (InversePolar)",
     "LAT1 LON1 HEIGHT1 DATUM1 LAT2 LON2 HEIGHT2 DATUM2", "RANGE AZIMUTH ELEVATION",
     "LAT1 LON1 HEIGHT1 LAT2 LON2 HEIGHT2", "RANGE AZIMUTH ELEVATION",
     "0.8989 -0.0022 45 0 0.899 -0.002 60 0",
     "51d30'15.5\"N 0d7'39.9\"W 45 51d30'40\"N 0d6'50\"W 60"},
    {Operation::kBackPolar, "backpolar",
     "station from a known target and the vector measured to it (BackPolar)",
     "LAT LON HEIGHT DATUM RANGE AZIMUTH ELEVATION", "LAT LON HEIGHT DATUM",
     "LAT LON HEIGHT RANGE AZIMUTH ELEVATION", "LAT LON HEIGHT LAT_DEG LON_DEG",
     "0.8989 -0.0022 45 0 1000 3.927 -0.01", "51.504306 -0.1277 45 1000 225 -0.5"},
    {Operation::kResection, "resection",
     "station from two known points and the clockwise angle between them (SolveResection)",
     "THETA RANGE1 ELEVATION1 RANGE2 ELEVATION2 LAT1 LON1 HEIGHT1 DATUM1 LAT2 LON2 HEIGHT2 DATUM2",
     "LAT LON HEIGHT DATUM",
     "THETA RANGE1 ELEVATION1 RANGE2 ELEVATION2 LAT1 LON1 HEIGHT1 LAT2 LON2 HEIGHT2",
     "LAT LON HEIGHT LAT_DEG LON_DEG",
     "1.3962634015954638 3000 0.02617993877991495 4000 -0.00872664625997165 "
     "0.71599313209787241 0.50645664289181946 179.23688631970435 0 "
     "0.71536984417598326 0.50692503244044052 66.346789435483515 0",
     "80 3000 1.5 4000 -0.5 41d01'24.18\"N 29d01'04.18\"E 179.237 "
     "40d59'15.62\"N 29d02'40.79\"E 66.347"},
};

static_assert(std::size(kOperations) == kOperationCount);

const OperationInfo& InfoOf(Operation operation) {
  for (const OperationInfo& info : kOperations) {
    if (info.operation == operation) return info;
  }
  return kOperations[0];
}

const OperationInfo* FindOperation(std::string_view name) {
  for (const OperationInfo& info : kOperations) {
    if (info.name == name) return &info;
  }
  return nullptr;
}

namespace {

bool AngleUnitNamed(std::string_view name, std::int32_t& unit) {
  if (name == "deg") {
    unit = kDegrees;
    return true;
  }
  if (name == "mils") {
    unit = kMils;
    return true;
  }
  return false;
}

bool FieldModelNamed(std::string_view name, FieldModel& model) {
  if (name == "igrf14") {
    model = FieldModel::kIgrf14;
    return true;
  }
  if (name == "igrf2000") {
    model = FieldModel::kIgrf2000;
    return true;
  }
  return false;
}

bool DistanceUnitNamed(std::string_view name, std::int32_t& unit) {
  for (std::int32_t code = 0; code < kDistanceUnitCount; ++code) {
    if (name == kDistanceUnits[code].label) {
      unit = code;
      return true;
    }
  }
  return false;
}

// The options, all long ones, by the codes getopt_long gives them: above
// every character, so that none is taken for a letter after one dash.
enum OptionCode { kRaw = 256, kAngle, kDist, kDatum, kDate, kPrecision, kModel };

constexpr option kLongOptions[] = {
    {"raw", no_argument, nullptr, kRaw},
    {"angle", required_argument, nullptr, kAngle},
    {"dist", required_argument, nullptr, kDist},
    {"datum", required_argument, nullptr, kDatum},
    {"date", required_argument, nullptr, kDate},
    {"precision", required_argument, nullptr, kPrecision},
    {"model", required_argument, nullptr, kModel},
    {nullptr, 0, nullptr, 0},
};

// The name of the option with `code`, without its dashes.
std::string NameOf(int code) {
  for (const option& o : kLongOptions) {
    if (o.val == code) return o.name;
  }
  return "";
}

// The unknown option getopt_long stopped at, as it was typed up to any "=":
// `arg`, the argument it stood in, or for a letter after one dash `letter`.
std::string OptionTyped(std::string_view arg, int letter) {
  if (letter > 0 && letter < kRaw) return std::string("-") + static_cast<char>(letter);
  return std::string(arg.substr(0, arg.find('=')));
}

// The digits of --precision, one of 0..5.
bool PrecisionNamed(std::string_view name, int& precision) {
  if (name.size() != 1 || name[0] < '0' || name[0] > '5') return false;
  precision = name[0] - '0';
  return true;
}

}  // namespace

Command ParseArguments(int argc, const char* const argv[], const CalendarDate& today,
                       Options& options, std::string& problem) {
  options = Options{};
  options.date = today;
  switch (program::HelpOrVersion(argc, argv)) {
    case program::Request::kHelp:
      return Command::kHelp;
    case program::Request::kVersion:
      return Command::kVersion;
    case program::Request::kRun:
      break;
  }
  bool haveOperation = false;
  bool forPeople = false;  // an option that only people's mode reads was given
  bool havePrecision = false;
  // The operation, wherever it stands; false with the problem for a word
  // that names none, or a second one.
  const auto takeOperation = [&](std::string_view word) {
    const OperationInfo* info = FindOperation(word);
    if (info == nullptr) {
      problem = "unknown operation '" + std::string(word) + "'";
      return false;
    }
    if (haveOperation) {
      problem = "more than one operation";
      return false;
    }
    options.operation = info->operation;
    haveOperation = true;
    return true;
  };
  // "-": words that are no option come back in their places, as code 1,
  // whatever POSIXLY_CORRECT says. ":": a missing value is told apart from
  // an unknown option. Nothing is printed; the problem says what was wrong.
  optind = 0;  // read from the start, forgetting any earlier command line
  opterr = 0;
  int code = 0;
  while ((code = getopt_long(argc, const_cast<char* const*>(argv), "-:", kLongOptions, nullptr)) !=
         -1) {
    const std::string_view value = optarg != nullptr ? optarg : "";
    bool ok = true;
    switch (code) {
      case 1:
        if (!takeOperation(value)) return Command::kUsage;
        continue;
      case ':':
        problem = std::string(argv[optind - 1]) + " needs a value";
        return Command::kUsage;
      case '?':
        problem = "unknown option " + OptionTyped(argv[optind - 1], optopt);
        return Command::kUsage;
      case kRaw:
        options.raw = true;
        continue;
      case kModel:
        ok = FieldModelNamed(value, options.model);
        break;
      case kAngle:
        ok = AngleUnitNamed(value, options.angleUnit);
        break;
      case kDist:
        ok = DistanceUnitNamed(value, options.distanceUnit);
        break;
      case kDatum:
        ok = FindDatum(value, options.datum);
        break;
      case kPrecision:
        ok = PrecisionNamed(value, options.precision);
        havePrecision = true;
        break;
      case kDate:
        ok = ParseIsoDate(value, options.date);
        break;
    }
    // The model and the precision apply in both modes; the others only for
    // people.
    forPeople = forPeople || (code != kPrecision && code != kModel);
    if (!ok) {
      problem = "unknown value '" + std::string(value) + "' for --" + NameOf(code);
      return Command::kUsage;
    }
  }
  // After "--" every word is an operation.
  for (int i = optind; i < argc; ++i) {
    if (!takeOperation(argv[i])) return Command::kUsage;
  }
  if (!haveOperation) {
    problem = "no operation given";
    return Command::kUsage;
  }
  if (options.raw && forPeople) {
    problem = "--angle, --dist, --datum and --date do not apply with --raw";
    return Command::kUsage;
  }
  if (havePrecision && options.operation != Operation::kMgrs) {
    problem = "--precision applies to mgrs only";
    return Command::kUsage;
  }
  return Command::kRun;
}

}  // namespace trelvan::calc
