#pragma once

#include <cstdint>

#include "forms/PolarPlotForm.h"
#include "geodesy/Datum.h"
#include "geometry/Polar.h"

namespace trelvan {

// Plots a target from a known station: the base chosen in the list (tied
// to baseWaypoint), the slant range, azimuth and elevation measured from it,
// and ForwardPolar. The target is stored as a new waypoint. A base chosen
// in the list is the workspace's base at once, and so the main form's.
class Forward3DForm : public PolarPlotForm {
 public:
  enum LabelId {
    kAltUnit = 1029,
    kAngleUnit = 1035,
    kDistanceUnit = 1036,
  };

  Forward3DForm(Services& services, Workspace& workspace, QWidget* parent = nullptr);

 protected:
  std::int32_t ListedWaypoint() const override;
  void ListWaypoint(std::int32_t record) override;
  GeoPoint Solve(const PolarVector& v, const GeoPoint& known) const override;
};

}  // namespace trelvan
