#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "geodesy/Datum.h"
#include "measures/Units.h"
#include "store/Settings.h"
#include "store/WaypointTable.h"
#include "workspace/Declinations.h"
#include "workspace/Workspace.h"

// What the plan shows, apart from how it is drawn: the waypoints placed
// around the base, the norths at the base, and the last task's geometry,
// with every label already in the units and azimuth reference in force.

namespace trelvan {

// A place on the plan: metres east and north of the base, in the local
// frame of the survey geometry at the base (InversePolar's), so that the
// plan is exact and the same in every zone. True north is up.
struct PlanOffset {
  double east;
  double north;
};

// Positions farther than this from the base (slant range, metres) are not
// placed: the horizon plane of the base no longer shows them truly.
inline constexpr double kPlanReach = 1000000.0;

// Where p lies on the plan of `base`: the horizontal part of the polar
// vector from the base, r cos(el) (sin az, cos az). False, with `at`
// untouched, beyond kPlanReach.
bool PlaceOnPlan(const GeoPoint& base, const GeoPoint& p, PlanOffset& at);

// A waypoint on the plan.
struct PlanMarker {
  int record;
  QString name;  // as text, control characters written as \xHH
  PlanOffset at;
};

// The last task's geometry. The polar tasks and Inverse 3D draw a line from
// the station to the target, Resection 3D the two waypoints with the circles
// of their horizontal ranges and the station.
struct PlanTask {
  Task task = Task::kNone;
  PlanOffset station{};
  PlanOffset target{};
  PlanOffset waypoints[2]{};
  double radii[2]{};  // metres
  // The line's label, or one per circle.
  QString label;
  QString radiusLabels[2];
};

struct Plan {
  // False when the base record holds no position: nothing can be placed.
  bool hasBase = false;
  int baseRecord = 0;
  // Every waypoint within reach of the base, the base among them, in the
  // order of the table.
  QList<PlanMarker> markers;
  // The names of the waypoints beyond reach, in the order of the table.
  QStringList offPlan;
  // The norths at the base as the main form shows them; the convergence is
  // NaN beyond the grid, the variance is NaN where the field model gives
  // none.
  Declinations norths{};
  // Task::kNone when there is none, or when a point of it is beyond reach.
  PlanTask task;
  std::int32_t distanceUnit = kMeters;
};

// The plan of the waypoints of `table` around the base that `settings`
// names, with `result`'s geometry; the norths on the date of `clock`.
// Damaged records are no place and are left out.
Plan MakePlan(const AppSettings& settings, const WaypointTable& table, const TaskResult& result,
              const QDateTime& clock);

// A distance in metres as "1234.56 m" in the distance unit, rounded as the
// forms round a range.
QString PlanRangeText(double metres, std::int32_t distanceUnit);

}  // namespace trelvan
