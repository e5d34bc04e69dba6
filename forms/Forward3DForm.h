#pragma once

#include <cstdint>

#include "forms/PolarPlotForm.h"
#include "geodesy/Datum.h"
#include "geometry/Polar.h"

namespace trelvan {

class MainForm;

// Plots a target from a known station: the base chosen in the list (tied
// to baseWaypoint), the slant range, azimuth and elevation measured from it,
// and ForwardPolar. The target is stored as a new waypoint. Closing the form
// refreshes the main form, so the new waypoints and a base chosen here show
// there.
class Forward3DForm : public PolarPlotForm {
 public:
  enum LabelId {
    kAltUnit = 1029,
    kAngleUnit = 1035,
    kDistanceUnit = 1036,
  };

  explicit Forward3DForm(MainForm& main, QWidget* parent = nullptr);

 protected:
  std::int32_t& ListedWaypoint() override;
  GeoPoint Solve(const PolarVector& v, const GeoPoint& known) const override;
  void OnDestroy() override;
};

}  // namespace trelvan
