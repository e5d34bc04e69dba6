#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "magnetic/Calendar.h"
#include "measures/Units.h"

// The command line of the batch calculator: which operation, which mode and
// the units and datum for people.

namespace trelvan::calc {

enum class Operation {
  kUtm,          // GeoToUtm
  kGeo,          // UtmToGeo
  kDatum,        // ConvertDatum
  kConvergence,  // GridConvergence
  kDeclination,  // Igrf14Variance, or MagneticVariance with --model igrf2000
  kForward,      // ForwardPolar
  kInverse,      // InversePolar
  kBackPolar,    // BackPolar
  kResection,    // SolveResection
  kMgrs,         // GeoToMgrs
};

inline constexpr int kOperationCount = 10;

// What an operation reads and writes, for the help, the field names in
// error messages and the field counts. Field lists are names separated by
// single spaces; a name in brackets may be left out.
struct OperationInfo {
  Operation operation;
  std::string_view name;      // the word on the command line
  std::string_view purpose;   // one line for the help
  std::string_view rawInput;  // fields with --raw
  std::string_view rawOutput;
  std::string_view input;  // fields for people
  std::string_view output;
  std::string_view rawExample;  // an input line with --raw
  std::string_view example;     // an input line for people (default units, WGS-84)
};

// The operations in the order of the help.
extern const OperationInfo kOperations[kOperationCount];

const OperationInfo& InfoOf(Operation operation);

// The operation called `name`, or nullptr.
const OperationInfo* FindOperation(std::string_view name);

// The magnetic model of the declination.
enum class FieldModel {
  kIgrf14,    // IGRF-14, 1900 to 2030
  kIgrf2000,  // the epoch-2000 model that earlier versions used, any date
};

// Everything the command line decides.
struct Options {
  Operation operation = Operation::kUtm;
  bool raw = false;                     // radians, metres, datum indices, %.17g
  std::int32_t angleUnit = kDegrees;    // AngleUnit code of --angle
  std::int32_t distanceUnit = kMeters;  // DistanceUnit code of --dist
  std::uint16_t datum = 0;              // --datum: datum of every position for people
  CalendarDate date{2000, 1, 1};        // --date, else today: declination for people
  int precision = 5;                    // --precision: digits of each of easting and northing (mgrs)
  // --model, in both modes: the model of the declination.
  FieldModel model = FieldModel::kIgrf14;
};

enum class Command {
  kRun,      // process standard input
  kHelp,     // print the help to standard output, exit 0
  kVersion,  // print the name and version to standard output, exit 0
  kUsage,    // print `problem` and the usage to standard error, exit 2
};

// Reads argv[1..argc-1] with getopt_long. Options may stand before or after
// the operation, and be shortened while they name one option (--ang);
// values follow as the next argument or after '=' (--angle=mils); after
// "--" only the operation follows. `today` is the default date. --help wins
// over everything else, then --version (app/programs/Program.h). On
// kUsage, `problem` says what was wrong.
Command ParseArguments(int argc, const char* const argv[], const CalendarDate& today,
                       Options& options, std::string& problem);

}  // namespace trelvan::calc
