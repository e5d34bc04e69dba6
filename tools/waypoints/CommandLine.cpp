#include "tools/waypoints/CommandLine.h"

#include <QString>
#include <optional>

#include "exchange/DatumChoice.h"

namespace trelvan::waypoints {

namespace {

// An option's value: the next argument, or the text after '=' in
// "--name=value".
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::string& value, std::string& problem) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
      arg[name.size()] == '=') {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (i + 1 >= args.size()) {
    problem = name + " needs a value";
    return false;
  }
  value = args[++i];
  return true;
}

bool IsOption(const std::string& arg, const char* name) {
  const std::string n = name;
  return arg == n ||
         (arg.size() > n.size() && arg.compare(0, n.size(), n) == 0 && arg[n.size()] == '=');
}

bool ReadPoints(const std::string& list, exchange::ImportOptions& import, std::string& problem) {
  import.waypoints = import.routePoints = import.trackPoints = false;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = list.find(',', start);
    const std::string kind =
        list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (kind == "wpt") {
      import.waypoints = true;
    } else if (kind == "rtept") {
      import.routePoints = true;
    } else if (kind == "trkpt") {
      import.trackPoints = true;
    } else {
      problem = "--points takes wpt, rtept and trkpt separated by commas, not '" + kind + "'";
      return false;
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}

}  // namespace

bool ParseToolArguments(const std::vector<std::string>& args, ToolOptions& options,
                        std::string& problem) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      options.command = Command::kHelp;
      return true;
    }
    if (arg == "--version") {
      options.command = Command::kVersion;
      return true;
    }
  }
  if (args.empty()) {
    problem = "a command is needed: list, export or import";
    return false;
  }
  const std::string& command = args[0];
  if (command == "list") {
    options.command = Command::kList;
  } else if (command == "export") {
    options.command = Command::kExport;
  } else if (command == "import") {
    options.command = Command::kImport;
  } else {
    problem = "unknown command '" + command + "'";
    return false;
  }
  const bool transfer = options.command != Command::kList;
  const bool import = options.command == Command::kImport;
  bool formatGiven = false;
  bool fileGiven = false;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string value;
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && transfer && IsOption(arg, "--format")) {
      if (!TakeValue(args, i, "--format", value, problem)) return false;
      if (value == "gpx") {
        options.format = exchange::ExchangeFormat::kGpx;
      } else if (value == "csv") {
        options.format = exchange::ExchangeFormat::kCsv;
      } else {
        problem = "--format is gpx or csv, not '" + value + "'";
        return false;
      }
      formatGiven = true;
    } else if (!optionsEnded && import && IsOption(arg, "--datum")) {
      if (!TakeValue(args, i, "--datum", value, problem)) return false;
      if (!exchange::FindDatumByText(QString::fromStdString(value), options.import.datum)) {
        problem = "--datum '" + value + "' is no datum index 0..124 or datum name";
        return false;
      }
      options.import.datumGiven = true;
    } else if (!optionsEnded && import && arg == "--replace") {
      options.import.replace = true;
    } else if (!optionsEnded && import && IsOption(arg, "--points")) {
      if (!TakeValue(args, i, "--points", value, problem)) return false;
      if (!ReadPoints(value, options.import, problem)) return false;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      problem = "unknown option '" + arg + "' for " + command;
      return false;
    } else if (transfer && !fileGiven) {
      if (arg.empty()) {
        problem = command + " needs a FILE name that is not empty";
        return false;
      }
      options.file = arg;
      fileGiven = true;
    } else {
      problem = "unexpected argument '" + arg + "' for " + command;
      return false;
    }
  }
  if (import && !fileGiven) {
    problem = "import needs the FILE to read";
    return false;
  }
  if (transfer && !formatGiven) {
    const std::optional<exchange::ExchangeFormat> format = exchange::FormatOfName(options.file);
    if (!format) {
      problem = fileGiven ? command + " needs --format gpx or --format csv: '" + options.file +
                                "' ends in neither .gpx nor .csv"
                          : command + " to standard output needs --format gpx or --format csv";
      return false;
    }
    options.format = *format;
  }
  return true;
}

std::string UsageText() {
  return "usage: trelvan-waypoints list\n"
         "       trelvan-waypoints export [--format gpx|csv] [FILE]\n"
         "       trelvan-waypoints import [--format gpx|csv] [--datum INDEX|NAME] [--replace]\n"
         "                                [--points wpt,rtept,trkpt] FILE\n"
         "       trelvan-waypoints --help | --version\n";
}

std::string HelpText() {
  return UsageText() +
         "\n"
         "The waypoints of TRELVAN's data folder ($XDG_DATA_HOME/trelvan, by default\n"
         "~/.local/share/trelvan) in and out as GPX 1.1 or CSV.\n"
         "\n"
         "  list     one line per waypoint: index, name, latitude and longitude, height,\n"
         "           datum, UTM zone, band, easting and northing, MGRS reference\n"
         "  export   writes every waypoint to FILE, or to standard output without FILE;\n"
         "           a device or pipe named as FILE is written into, never replaced\n"
         "  import   adds the points of FILE (GPX 1.0 or 1.1, or CSV) to the table\n"
         "\n"
         "  --format gpx|csv   the file format; without it, FILE's suffix (.gpx or .csv,\n"
         "                     in any case) gives it\n"
         "  --datum INDEX|NAME the datum imported positions are stored on; by default\n"
         "                     WGS-84, or for a GPX file of ours each waypoint's own datum\n"
         "  --replace          a name already in the table is overwritten, not skipped\n"
         "  --points LIST      the GPX points to read: wpt (the default), rtept, trkpt\n"
         "\n"
         "CSV columns, named in a header line without regard to case: latitude (or lat)\n"
         "and longitude (lon, long, lng) in decimal degrees or like 51d30'15.5\"N, or\n"
         "zone, band, easting and northing in metres; name; height (alt, altitude, ele,\n"
         "elevation) in metres; datum, a name or index. Other columns are named as\n"
         "ignored. A name beginning with =, +, - or @ is exported behind an apostrophe,\n"
         "so that spreadsheets take it as text; the import takes the apostrophe off.\n"
         "\n"
         "The table holds 50 waypoints; a name has at most 22 characters of\n"
         "Windows-1252 and no control characters. Every row or point that is not\n"
         "imported is reported with the reason (the first 100, then their number).\n"
         "The table is written once, after the whole file was read, and not at all\n"
         "while TRELVAN or another import holds the data folder; a file that is not GPX\n"
         "or CSV leaves no trace.\n"
         "\n"
         "Exit status: 0 when everything was imported or exported, 1 when anything was\n"
         "skipped or failed, 2 for a wrong command line, 3 when the data folder is held\n"
         "by TRELVAN or another trelvan-waypoints.\n";
}

}  // namespace trelvan::waypoints
