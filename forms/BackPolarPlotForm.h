#pragma once

#include <cstdint>

#include "forms/PolarPlotForm.h"

namespace trelvan {

// Fixes the observer's own station from a known target: the target chosen
// in the list (tied to editWaypoint), the range, azimuth and elevation
// measured from the station to it, and BackPolar. The declinations are those
// at the target. The station is stored as a new waypoint. The form never
// touches baseWaypoint, so the main form keeps showing its base.
class BackPolarPlotForm : public PolarPlotForm {
 public:
  enum LabelId {
    kAltUnit = 1032,
    kAngleUnit = 1033,
    kDistanceUnit = 1034,
  };

  BackPolarPlotForm(Services& services, Workspace& workspace, QWidget* parent = nullptr);

 protected:
  std::int32_t ListedWaypoint() const override;
  void ListWaypoint(std::int32_t record) override;
  GeoPoint Solve(const PolarVector& v, const GeoPoint& known) const override;
};

}  // namespace trelvan
