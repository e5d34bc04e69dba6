#pragma once

#include <QByteArray>
#include <QDateTime>

#include "exchange/ExportReport.h"
#include "store/WaypointTable.h"

namespace trelvan::exchange {

// The waypoints of `table` as a GPX 1.1 document in UTF-8. Each position is
// converted from its own datum to WGS-84: <wpt lat lon> in degrees with 9
// decimals, <ele> the height in metres with 3, <magvar> the declination on
// the date of `now` where the field model gives one, <name> the name, and
// the waypoint's own datum in our extension. <metadata><time> is `now` in
// UTC. A waypoint whose name or position the format cannot carry is left
// out and listed in `report`. An empty table gives a valid file without
// waypoints.
QByteArray WriteGpx(const WaypointTable& table, const QDateTime& now, ExportReport& report);

}  // namespace trelvan::exchange
