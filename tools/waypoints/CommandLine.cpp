#include "tools/waypoints/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/programs/Program.h"
#include "exchange/DatumChoice.h"
#include "text/Numbers.h"

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

// "WxH", each side within the sizes plot takes.
bool ReadSize(const std::string& text, ToolOptions& options, std::string& problem) {
  const std::size_t x = text.find('x');
  const auto side = [](std::string_view digits, int& out) {
    std::int64_t value = 0;
    if (!AllDigits(digits) || !ParseWhole(digits, value)) return false;
    if (value < kMinPictureSide || value > kMaxPictureSide) return false;
    out = static_cast<int>(value);
    return true;
  };
  if (x != std::string::npos && side(std::string_view(text).substr(0, x), options.width) &&
      side(std::string_view(text).substr(x + 1), options.height)) {
    return true;
  }
  problem = "--size is WIDTHxHEIGHT in pixels, each " + std::to_string(kMinPictureSide) + " to " +
            std::to_string(kMaxPictureSide) + ", not '" + text + "'";
  return false;
}

// The picture format of plot: --format, else FILE's suffix.
bool ReadPictureFormat(const std::optional<std::string>& format, ToolOptions& options,
                       std::string& problem) {
  if (format) {
    if (const auto named = PictureFormatNamed(*format)) {
      options.picture = *named;
      return true;
    }
    problem = "--format for plot is svg, png or pdf, not '" + *format + "'";
    return false;
  }
  if (const auto ofName = PictureFormatOfName(options.file)) {
    options.picture = *ofName;
    return true;
  }
  problem = "plot needs --format svg, png or pdf: '" + options.file +
            "' ends in none of .svg, .png and .pdf";
  return false;
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
  const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("WxH"));
  parser.addOptions({format, datum, replace, points, size});
  QStringList arguments{QStringLiteral("trelvan-waypoints")};
  for (const std::string& arg : args) arguments.append(QString::fromLatin1(arg));
  const bool parsed = parser.parse(arguments);

  const QStringList words = parser.positionalArguments();
  if (words.isEmpty()) {
    problem =
        parsed ? "a command is needed: list, export, import or plot" : Bytes(parser.errorText());
    return false;
  }
  const std::string command = Bytes(words[0]);
  if (command == "list") {
    options.command = Command::kList;
  } else if (command == "export") {
    options.command = Command::kExport;
  } else if (command == "import") {
    options.command = Command::kImport;
  } else if (command == "plot") {
    options.command = Command::kPlot;
  } else {
    problem = "unknown command '" + command + "'";
    return false;
  }
  if (!parsed) {
    problem = Bytes(parser.errorText());
    return false;
  }
  const bool plot = options.command == Command::kPlot;
  const bool transfer = options.command != Command::kList && !plot;
  const bool import = options.command == Command::kImport;
  for (const QCommandLineOption* option : {&format, &datum, &replace, &points, &size}) {
    const bool applies = option == &format ? transfer || plot : option == &size ? plot : import;
    if (parser.isSet(*option) && !applies) {
      problem = "unknown option '--" + Bytes(option->names()[0]) + "' for " + command;
      return false;
    }
  }
  if (const qsizetype allowed = transfer || plot ? 2 : 1; words.size() > allowed) {
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
  if (plot) {
    if (!fileGiven) {
      problem = "plot needs the FILE to write";
      return false;
    }
    if (parser.isSet(size) && !ReadSize(Bytes(parser.value(size)), options, problem)) {
      return false;
    }
    return ReadPictureFormat(
        parser.isSet(format) ? std::optional(Bytes(parser.value(format))) : std::nullopt, options,
        problem);
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
         "       trelvan-waypoints plot [--format svg|png|pdf] [--size WxH] FILE\n"
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
         "  plot     draws the plan of the waypoints around the base waypoint into FILE,\n"
         "           true north up, in the program's distance unit; waypoints beyond\n"
         "           1000 km are named in a corner; no display is needed\n"
         "\n"
         "  --format gpx|csv   the file format; without it, FILE's suffix (.gpx or .csv,\n"
         "                     in any case) gives it; for plot svg, png or pdf\n"
         "  --size WxH         plot: the picture's width and height in pixels (800x600)\n"
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
         "Exit status: 0 when everything was imported, exported or drawn, 1 when\n"
         "anything was skipped or failed, 2 for a wrong command line, 3 when the data\n"
         "folder is held by TRELVAN or another trelvan-waypoints.\n";
}

}  // namespace trelvan::waypoints
