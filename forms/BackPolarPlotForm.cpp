#include "forms/BackPolarPlotForm.h"

namespace trelvan {

BackPolarPlotForm::BackPolarPlotForm(Services& services, Workspace& workspace, QWidget* parent)
    : PolarPlotForm(
          services, workspace,
          Look{Task::kBackPolarPlot, "Back Polar Plot", "Target Coor. ______ Back Polar 3D",
               "Range", kAltUnit, kAngleUnit, kDistanceUnit},
          parent) {}

std::int32_t BackPolarPlotForm::ListedWaypoint() const { return Settings().editWaypoint; }

void BackPolarPlotForm::ListWaypoint(std::int32_t record) { workspace_.SetEditWaypoint(record); }

GeoPoint BackPolarPlotForm::Solve(const PolarVector& v, const GeoPoint& known) const {
  return BackPolar(v, known);
}

}  // namespace trelvan
