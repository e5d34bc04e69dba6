#include "tools/calc/Help.h"

#include <string_view>

#include "geodesy/Datum.h"
#include "text/Numbers.h"
#include "tools/calc/LineProcessor.h"
#include "tools/calc/Options.h"

namespace trelvan::calc {

namespace {

// The usage lines are in the form help2man reads for the man page's synopsis.
constexpr std::string_view kUsage =
    "Usage: trelvan-calc [--raw] OPERATION [OPTION]...  < input > output\n"
    "  or:  trelvan-calc --help | --version\n"
    "OPERATION is one of utm, geo, mgrs, datum, convergence, declination, forward,\n"
    "inverse, backpolar, resection. OPTION is --angle deg|mils, --dist\n"
    "m|km|ft|nmi|smi|yd, --datum INDEX|NAME or --date YYYY-MM-DD, none of them with\n"
    "--raw; --precision 0..5 (mgrs) and --model igrf14|igrf2000 (declination) go\n"
    "with either mode.\n";

constexpr std::string_view kIntroduction =
    "trelvan-calc: the TRELVAN survey computations for many points at once.\n"
    "For example: trelvan-calc utm --datum 17 --dist ft < points.txt > grid.txt\n"
    "\n";

constexpr std::string_view kBody =
    "\n"
    "It reads one problem per line from standard input and writes one line per\n"
    "problem to standard output. Fields are separated by spaces or tabs. A line\n"
    "beginning with '#' is copied through unchanged; an empty or blank line gives\n"
    "no output; a carriage return at the end of a line is ignored, and so is a\n"
    "UTF-8 byte-order mark before the first line. A line that cannot be computed\n"
    "gives the line \"ERROR: \" and the reason, and the next line goes on: a wrong\n"
    "number of fields, a field that is not a finite number, a datum index outside\n"
    "0..124, a zone outside 1..60, a band that is not a UTM band letter (C..X\n"
    "without I and O), a date that does not exist, a position typed wrongly or\n"
    "with a number out of range, a position off the UTM grid (see \"Where the grid\n"
    "ends\" below), a line longer than 65536 bytes (without the carriage return),\n"
    "a result that is not finite or not a latitude within 90 degrees, a range lost\n"
    "in the result of forward or backpolar, \"declination undefined here\" where\n"
    "the field is too weak to point anywhere, or \"no solution\" from the\n"
    "resection, also when its station misses a measured range by more than 1 m\n"
    "plus 1% of the range.\n"
    "\n"
    "Where the grid ends\n"
    "  utm, convergence and mgrs project positions from 80 degrees south to 84\n"
    "  north; beyond, the line is\n"
    "    ERROR: the position lies beyond the UTM grid (80 S to 84 N)\n"
    "  A position on a zone or band edge falls in the cell to its north and east,\n"
    "  the Norway and Svalbard zones included: 60 N 3 E is in 32V, 72 N 9 E in 33X,\n"
    "  40 N in band T. geo reads a grid position back when its easting lies from 0\n"
    "  to 1000000 m, its northing on the band's side of the equator, and the\n"
    "  position it gives within 6.5 degrees of longitude of the zone's central\n"
    "  meridian and between 80 30' S and 84 30' N; there the answer agrees with the\n"
    "  exact transverse Mercator projection within 1 mm. Otherwise the line is\n"
    "    ERROR: the grid position lies outside its zone\n"
    "  or \"ERROR: the grid position lies beyond the UTM grid (80 30' S to 84 30' N)\".\n"
    "  The band letter must name the latitude the northing gives, within about a\n"
    "  kilometre, or the line is \"ERROR: the band letter does not match the\n"
    "  northing\". With --raw, utm and convergence answer beyond 84 N and 80 S as\n"
    "  at the limit, and geo takes eastings 0..1000000 m and northings 0..9383913 m\n"
    "  in the north and 1062605..10000000 m in the south, whatever the band, as\n"
    "  earlier versions did, so that answers kept from them do not change; far from\n"
    "  the central meridian those answers may be off by kilometres.\n"
    "\n"
    "Exit status: 0 when every line was computed, 1 when any line failed (or the\n"
    "input or output failed), 2 for an unknown operation or option (the usage is\n"
    "then printed to standard error).\n"
    "\n"
    "Modes\n"
    "  --raw   Radians, metres and datum indices in and out; every position carries\n"
    "          its own datum index (0..124). Every real number is printed as\n"
    "          printf(\"%.17g\") prints it, so it reads back to the same double;\n"
    "          zone and datum as whole numbers, the band as one letter. Azimuths\n"
    "          are true, clockwise from north; elevations positive up.\n"
    "  (none)  For people: every position is on the datum of --datum. Latitude and\n"
    "          longitude are typed as decimal degrees (south and west negative) or\n"
    "          as degrees, minutes and seconds without spaces and with a hemisphere\n"
    "          letter: 51d30'15.5\"N 0d7'39.9\"W, 51d30.25'N, 51.5042N or -0.1277;\n"
    "          at most 90 degrees of latitude and 180 of longitude.\n"
    "          Heights and ranges are in the --dist unit, eastings and northings in\n"
    "          metres, azimuths, elevations and angles in the --angle unit.\n"
    "\n"
    "Options for people (not with --raw)\n"
    "  --angle deg|mils             angles in and out (default deg; 6400 mils to the turn)\n"
    "  --dist m|km|ft|nmi|smi|yd    heights and ranges in and out (default m)\n"
    "  --datum INDEX|NAME           datum of every position, by index 0..124 or exact\n"
    "                               name as listed below (default 0, WGS-84)\n"
    "  --date YYYY-MM-DD            date of the declination (default today's date)\n"
    "\n"
    "Option in both modes\n"
    "  --model igrf14|igrf2000      magnetic model of the declination. igrf14 (the\n"
    "                               default): IGRF-14, the International Geomagnetic\n"
    "                               Reference Field of 1900-01-01 to 2030-12-31; other\n"
    "                               dates give \"ERROR: date outside the magnetic\n"
    "                               model's years 1900 to 2030\". igrf2000: the field\n"
    "                               of epoch 2000 with its 2000-2005 rate, carried on\n"
    "                               to any date, as earlier versions computed it.\n"
    "\n"
    "Option of mgrs (with --raw too)\n"
    "  --precision 0..5             digits of each of easting and northing (default 5:\n"
    "                               1 m cells; 0 gives the 100 km square alone)\n"
    "\n"
    "Output for people\n"
    "  A position is written as LAT LON HEIGHT LAT_DEG LON_DEG: latitude and\n"
    "  longitude in degrees, minutes and seconds with hundredths and a hemisphere\n"
    "  letter, the height, then latitude and longitude in decimal degrees to 9\n"
    "  places. Eastings and northings have 3 decimals (millimetres); heights and\n"
    "  ranges 3 decimals in m, ft and yd, 6 in km, nmi and smi; angles 4 decimals in\n"
    "  degrees, 2 in mils.\n"
    "\n"
    "Operations\n"
    "  Each with its fields with --raw and for people, and an example line of each\n"
    "  with the answer (people's examples in the default units on WGS-84, the\n"
    "  declination with --date 2024-06-01).\n";

constexpr std::string_view kDatumHeading =
    "\n"
    "Datums (index and name)\n";

// The example of `info` in one mode: the input line and the calculator's
// own answer to it.
void AppendExample(std::string& text, const OperationInfo& info, bool raw) {
  Options options;
  options.operation = info.operation;
  options.raw = raw;
  options.date = CalendarDate{2024, 6, 1};
  const std::string_view line = raw ? info.rawExample : info.example;
  text += "      e.g.  ";
  text += line;
  text += "\n         -> ";
  ProcessLine(options, line, text);
  text += '\n';
}

// The reading of a grid reference by geo, with the calculator's own answer.
void AppendMgrsExample(std::string& text) {
  Options options;
  options.operation = Operation::kGeo;
  constexpr std::string_view kLine = "30uxc9933309819 45";
  text += "      e.g.  ";
  text += kLine;
  text += "\n         is ";
  ProcessLine(options, kLine, text);
  text += '\n';
}

}  // namespace

std::string HelpText() {
  std::string text;
  text += kIntroduction;
  text += kUsage;
  text += kBody;
  for (const OperationInfo& info : kOperations) {
    text += "\n  ";
    text += info.name;
    text += ": ";
    text += info.purpose;
    text += "\n    --raw   ";
    text += info.rawInput;
    text += "\n        ->  ";
    text += info.rawOutput;
    text += '\n';
    AppendExample(text, info, true);
    text += "    people  ";
    text += info.input;
    text += "\n        ->  ";
    text += info.output;
    text += '\n';
    AppendExample(text, info, false);
  }
  text += "\n  DATE of declination for people may end the line; else --date or today.\n";
  text += "  TARGET of datum for people is the rest of the line, an index or a name.\n";
  text += "  THETA of resection is the clockwise angle at the station from point 1 to\n";
  text += "  point 2; a resection that cannot be solved gives \"ERROR: no solution\".\n";
  text += "  MGRS of mgrs names the cell the position lies in (truncated, never rounded):\n";
  text += "  without spaces with --raw, for people with spaces between zone and band,\n";
  text += "  square, easting and northing. Datums on the Clarke 1866, Clarke 1880 and\n";
  text += "  Bessel 1841 ellipsoids get the older row letters. Beyond 80 degrees south and\n";
  text += "  84 north there is no reference, and the line is an ERROR line.\n";
  text += "  geo for people also reads MGRS [HEIGHT]: a reference as mgrs prints it\n";
  text += "  (30U XC 99333 09819) or without spaces (30UXC9933309819), letters in either\n";
  text += "  case, 0 to 5 digits each of easting and northing, and an optional height\n";
  text += "  (within 100 km) after the whole reference. Digits after the square letters\n";
  text += "  always belong to the reference: 30UXC 9933309819 has no height. The answer\n";
  text += "  is the south-west corner of the cell it names, which must itself be a grid\n";
  text += "  position geo reads (a 100 km square near 84 N may not be).\n";
  AppendMgrsExample(text);
  text += kDatumHeading;
  for (std::uint16_t i = 0; i < kDatumCount; ++i) {
    text += "  ";
    if (i < 100) text += ' ';
    if (i < 10) text += ' ';
    text += FormatInteger(i).view();
    text += "  ";
    text += DatumName(i);
    text += '\n';
  }
  return text;
}

std::string UsageText() { return std::string(kUsage) + "Try 'trelvan-calc --help' for more.\n"; }

}  // namespace trelvan::calc
