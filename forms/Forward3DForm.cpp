#include "forms/Forward3DForm.h"

#include "forms/MainForm.h"

namespace trelvan {

Forward3DForm::Forward3DForm(MainForm& main, QWidget* parent)
    : PolarPlotForm(main,
                    Look{"Forward 3D", "Base Coor. _________ Forward 3D", "Slant Range", kAltUnit,
                         kAngleUnit, kDistanceUnit},
                    parent) {}

std::int32_t& Forward3DForm::ListedWaypoint() { return main_.settings.baseWaypoint; }

GeoPoint Forward3DForm::Solve(const PolarVector& v, const GeoPoint& known) const {
  return ForwardPolar(v, known);
}

void Forward3DForm::OnDestroy() { main_.RefreshBase(); }

}  // namespace trelvan
