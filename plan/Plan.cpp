#include "plan/Plan.h"

#include <cmath>

#include "exchange/WaypointName.h"
#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "geometry/Polar.h"
#include "measures/AngleEntry.h"
#include "measures/DisplaySplit.h"

namespace trelvan {

namespace {

// An angle magnitude in radians as "45.00 Deg", rounded as the forms round
// an azimuth.
QString AngleText(double radians, std::int32_t angleUnit) {
  const HundredthParts parts = SplitHundredths(radians * RadiansToAngleUnit(angleUnit));
  return QString::asprintf("%d.%02d %s", parts.whole, parts.hun, AngleUnitLabel(angleUnit));
}

// A true azimuth as the task's reference shows it; empty where that north
// is not defined (grid north beyond the grid).
QString AzimuthText(double trueAzimuth, const TaskResult& result, std::int32_t angleUnit) {
  const double shown =
      ReferFromTrue(result.reference, trueAzimuth, result.declinations.magneticVariance,
                    result.declinations.gridConvergence);
  if (!std::isfinite(shown)) return QString();
  return AngleText(shown, angleUnit);
}

// The label of a task's line: range and azimuth, and for Inverse 3D the back
// azimuth, followed by the north they are read from.
QString LineLabel(const TaskResult& result, std::int32_t angleUnit, std::int32_t distanceUnit) {
  QString label = PlanRangeText(result.polar.range, distanceUnit);
  const QString azimuth = AzimuthText(result.polar.azimuth, result, angleUnit);
  if (azimuth.isEmpty()) return label;
  label += QStringLiteral("  Az ") + azimuth;
  if (result.task == Task::kInverse3D) {
    label += QStringLiteral("  Back Az ") + AzimuthText(result.backAzimuth, result, angleUnit);
  }
  return label + u' ' +
         QString::fromUtf8(result.reference.data(),
                           static_cast<qsizetype>(result.reference.size()));
}

// The last task's geometry on the plan of `base`; Task::kNone when a point
// of it lies beyond reach.
PlanTask PlaceTask(const GeoPoint& base, const TaskResult& result, const AppSettings& settings) {
  PlanTask task;
  switch (result.task) {
    case Task::kNone:
      return task;
    case Task::kForward3D:
    case Task::kBackPolarPlot:
    case Task::kInverse3D:
      if (!PlaceOnPlan(base, result.station, task.station) ||
          !PlaceOnPlan(base, result.target, task.target)) {
        return task;
      }
      task.label = LineLabel(result, settings.angleUnit, settings.distanceUnit);
      break;
    case Task::kResection3D:
      for (int i = 0; i < 2; ++i) {
        if (!PlaceOnPlan(base, result.waypoints[i], task.waypoints[i])) return task;
        task.radii[i] = result.horizontalRanges[i];
        task.radiusLabels[i] = PlanRangeText(task.radii[i], settings.distanceUnit);
      }
      if (!PlaceOnPlan(base, result.station, task.station)) return task;
      break;
  }
  task.task = result.task;
  return task;
}

}  // namespace

bool PlaceOnPlan(const GeoPoint& base, const GeoPoint& p, PlanOffset& at) {
  const PolarVector v = InversePolar(base, p);
  if (!(v.range <= kPlanReach)) return false;
  const double horizontal = v.range * std::cos(v.elevation);
  at = PlanOffset{horizontal * std::sin(v.azimuth), horizontal * std::cos(v.azimuth)};
  return true;
}

QString PlanRangeText(double metres, std::int32_t distanceUnit) {
  const HundredthParts parts = SplitHundredths32(metres * DistanceDisplayFactor(distanceUnit));
  const char* label = DistanceLabel(distanceUnit);
  return QString::asprintf("%d.%02d %s", parts.whole, parts.hun, label ? label : "m");
}

Plan MakePlan(const AppSettings& settings, const WaypointTable& table, const TaskResult& result,
              const QDateTime& clock) {
  Plan plan;
  plan.distanceUnit = settings.distanceUnit;
  plan.baseRecord = RecordIndex(settings.baseWaypoint);
  const GeoPoint base = table[static_cast<std::size_t>(plan.baseRecord)].point;
  plan.hasBase = HoldsPosition(base);
  if (!plan.hasBase) return plan;
  // The norths at the base in the map datum, as the main form shows them.
  const GeoPoint shown = ConvertDatum(static_cast<std::uint16_t>(settings.datumIndex), base);
  plan.norths = DeclinationsAt(clock, shown);
  if (!(std::fabs(plan.norths.magneticVariance) <= kHalfTurn)) {
    plan.norths.magneticVariance = std::nan("");
  }
  const int count = CountInUse(table);
  for (int i = 0; i < count; ++i) {
    const Waypoint& w = table[static_cast<std::size_t>(i)];
    if (!HoldsPosition(w.point)) continue;
    const QString name = exchange::PrintableName(exchange::NameText(w));
    PlanOffset at{};
    if (PlaceOnPlan(base, w.point, at)) {
      plan.markers.append(PlanMarker{i, name, at});
    } else {
      plan.offPlan.append(name);
    }
  }
  plan.task = PlaceTask(base, result, settings);
  return plan;
}

}  // namespace trelvan
