#pragma once

#include <QByteArray>

#include "exchange/ExportReport.h"
#include "store/WaypointTable.h"

namespace trelvan::exchange {

// The header of an exported CSV file.
inline constexpr char kCsvHeader[] =
    "name,latitude,longitude,height,datum,zone,band,easting,northing";

// The waypoints of `table` as CSV (RFC 4180: CRLF line ends, fields holding
// a comma, quote or line break quoted) in UTF-8 without a byte-order mark:
// the header, then per waypoint its name, latitude and longitude in signed
// decimal degrees with 9 decimals on its own datum, the height in metres
// with 3, the datum's name, and the UTM zone, band, easting and northing
// (metres, 3 decimals) of the same point; the four grid fields are empty
// outside the grid's latitudes (80 S to 84 N). A waypoint whose position
// another program could not read back is left out and listed in `report`.
// An empty table gives the header alone.
QByteArray WriteCsv(const WaypointTable& table, ExportReport& report);

}  // namespace trelvan::exchange
