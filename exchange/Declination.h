#pragma once

#include <QDate>
#include <optional>

#include "geodesy/Datum.h"

namespace trelvan::exchange {

// The magnetic declination written with an exported waypoint: degrees, east
// positive, at `point` (on its own datum) on `date`. Empty where the field
// model gives none (near the magnetic poles the horizontal field vanishes).
// The one place that names the field model for the export.
std::optional<double> ExportDeclination(const QDate& date, const GeoPoint& point);

}  // namespace trelvan::exchange
