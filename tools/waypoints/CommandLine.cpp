#include "tools/waypoints/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

#include "app/programs/Program.h"
#include "exchange/DatumChoice.h"

namespace trelvan::waypoints {

namespace {

// The bytes of a Latin-1 text: arguments travel through the parser as
// Latin-1, which holds every byte as one character and gives it back
// unchanged, so that a file name is the bytes it was whatever its encoding.
std::string Bytes(const QString& latin1) { return latin1.toLatin1().toStdString(); }

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
  switch (program::HelpOrVersion(std::vector<std::string_view>(args.begin(), args.end()))) {
    case program::Request::kHelp:
      options.command = Command::kHelp;
      return true;
    case program::Request::kVersion:
      options.command = Command::kVersion;
      return true;
    case program::Request::kRun:
      break;
  }
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("gpx|csv"));
  const QCommandLineOption datum(QStringLiteral("datum"), QString(), QStringLiteral("INDEX|NAME"));
  const QCommandLineOption replace(QStringLiteral("replace"));
  const QCommandLineOption points(QStringLiteral("points"), QString(), QStringLiteral("LIST"));
  parser.addOptions({format, datum, replace, points});
  QStringList arguments{QStringLiteral("trelvan-waypoints")};
  for (const std::string& arg : args) arguments.append(QString::fromLatin1(arg));
  const bool parsed = parser.parse(arguments);

  const QStringList words = parser.positionalArguments();
  if (words.isEmpty()) {
    problem = parsed ? "a command is needed: list, export or import" : Bytes(parser.errorText());
    return false;
  }
  const std::string command = Bytes(words[0]);
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
  if (!parsed) {
    problem = Bytes(parser.errorText());
    return false;
  }
  const bool transfer = options.command != Command::kList;
  const bool import = options.command == Command::kImport;
  for (const QCommandLineOption* option : {&format, &datum, &replace, &points}) {
    const bool applies = option == &format ? transfer : import;
    if (parser.isSet(*option) && !applies) {
      problem = "unknown option '--" + Bytes(option->names()[0]) + "' for " + command;
      return false;
    }
  }
  if (const qsizetype allowed = transfer ? 2 : 1; words.size() > allowed) {
    problem = "unexpected argument '" + Bytes(words[allowed]) + "' for " + command;
    return false;
  }
  const bool fileGiven = words.size() == 2;
  if (fileGiven) {
    options.file = Bytes(words[1]);
    if (options.file.empty()) {
      problem = command + " needs a FILE name that is not empty";
      return false;
    }
  }
  if (parser.isSet(datum)) {
    const std::string value = Bytes(parser.value(datum));
    if (!exchange::FindDatumByText(QString::fromStdString(value), options.import.datum)) {
      problem = "--datum '" + value + "' is no datum index 0..124 or datum name";
      return false;
    }
    options.import.datumGiven = true;
  }
  options.import.replace = parser.isSet(replace);
  if (parser.isSet(points) && !ReadPoints(Bytes(parser.value(points)), options.import, problem)) {
    return false;
  }
  if (import && !fileGiven) {
    problem = "import needs the FILE to read";
    return false;
  }
  if (!transfer) return true;
  if (parser.isSet(format)) {
    const std::string value = Bytes(parser.value(format));
    if (value == "gpx") {
      options.format = exchange::ExchangeFormat::kGpx;
    } else if (value == "csv") {
      options.format = exchange::ExchangeFormat::kCsv;
    } else {
      problem = "--format is gpx or csv, not '" + value + "'";
      return false;
    }
    return true;
  }
  const std::optional<exchange::ExchangeFormat> formatOfName = exchange::FormatOfName(options.file);
  if (!formatOfName) {
    problem = fileGiven ? command + " needs --format gpx or --format csv: '" + options.file +
                              "' ends in neither .gpx nor .csv"
                        : command + " to standard output needs --format gpx or --format csv";
    return false;
  }
  options.format = *formatOfName;
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
