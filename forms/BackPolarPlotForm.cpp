#include "forms/BackPolarPlotForm.h"

#include "forms/MainForm.h"

namespace trelvan {

BackPolarPlotForm::BackPolarPlotForm(MainForm& main, QWidget* parent)
    : PolarPlotForm(main,
                    Look{"Back Polar Plot", "Target Coor. ______ Back Polar 3D", "Range", kAltUnit,
                         kAngleUnit, kDistanceUnit},
                    parent) {}

std::int32_t& BackPolarPlotForm::ListedWaypoint() { return main_.settings.editWaypoint; }

GeoPoint BackPolarPlotForm::Solve(const PolarVector& v, const GeoPoint& known) const {
  return BackPolar(v, known);
}

}  // namespace trelvan
