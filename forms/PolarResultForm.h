#pragma once

#include "forms/TaskForm.h"

namespace trelvan {

// Shows an Inverse 3D result: azimuth and back azimuth (from true north;
// the reference button shows both from true, grid or magnetic north, with
// the result's declinations, those at the base, and makes its choice the
// last result's reference), the elevation with its sign and the slant
// range, in the current angle and distance units. Every field only
// displays; "Back" ends the form.
class PolarResultForm : public TaskForm {
 public:
  enum Id {
    kReference = 1022,
    kAzimuthWhole = 1007,
    kAzimuthHundredths = 1025,
    kBackAzimuthWhole = 1008,
    kBackAzimuthHundredths = 1027,
    kElevationSign = 1021,
    kElevationWhole = 1023,
    kElevationHundredths = 1026,
    kRangeWhole = 1003,
    kRangeHundredths = 1005,
    kAngleUnit = 1037,
    kDistanceUnit = 1038,
    kBack = 1011,
  };

  PolarResultForm(Services& services, Workspace& workspace, const TaskResult& result,
                  QWidget* parent = nullptr);

 protected:
  void OnOpen() override;
  void OnPressed(int id) override;

 private:
  // Both azimuths referred to the reference button's caption, in the angle
  // unit, "%04d" whole units and "%02d" hundredths.
  void ShowAzimuths();
  // An angle magnitude in radians as "%04d" and "%02d" in the angle unit.
  void ShowAngle(int wholeId, int hundredthsId, double radians);

  TaskResult result_;
};

}  // namespace trelvan
