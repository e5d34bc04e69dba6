#include "forms/Forward3DForm.h"

namespace trelvan {

Forward3DForm::Forward3DForm(Services& services, Workspace& workspace, QWidget* parent)
    : PolarPlotForm(services, workspace,
                    Look{Task::kForward3D, "Forward 3D", "Base Coor. _________ Forward 3D",
                         "Slant Range", kAltUnit, kAngleUnit, kDistanceUnit},
                    parent) {}

std::int32_t Forward3DForm::ListedWaypoint() const { return Settings().baseWaypoint; }

void Forward3DForm::ListWaypoint(std::int32_t record) { workspace_.SetBase(record); }

GeoPoint Forward3DForm::Solve(const PolarVector& v, const GeoPoint& known) const {
  return ForwardPolar(v, known);
}

}  // namespace trelvan
