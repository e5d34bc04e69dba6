#pragma once

#include <cstdint>

#include "forms/PolarPlotForm.h"

namespace trelvan {

class MainForm;

// Fixes the observer's own station from a known target: the target chosen
// in the list (tied to editWaypoint), the range, azimuth and elevation
// measured from the station to it, and BackPolar. The declinations are those
// at the target. The station is stored as a new waypoint. The form never
// touches baseWaypoint and leaves the main form as it is when it closes.
class BackPolarPlotForm : public PolarPlotForm {
 public:
  enum LabelId {
    kAltUnit = 1032,
    kAngleUnit = 1033,
    kDistanceUnit = 1034,
  };

  explicit BackPolarPlotForm(MainForm& main, QWidget* parent = nullptr);

 protected:
  std::int32_t& ListedWaypoint() override;
  GeoPoint Solve(const PolarVector& v, const GeoPoint& known) const override;
};

}  // namespace trelvan
