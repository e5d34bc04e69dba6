#pragma once

#include "forms/TaskForm.h"

namespace trelvan {

// Fixes the user's own station from two stored waypoints: the slant range
// and elevation measured from the station to each and the horizontal angle
// measured there clockwise from waypoint 1 to waypoint 2. "OK" checks the
// choice and the angle, solves the resection, keeps the geometry as the
// workspace's last result, stores the station (on waypoint 1's datum) as a
// new waypoint and runs the Waypoints form on it; both lists then come back
// on the waypoints chosen before. The form shows
// no positions, uses no azimuth reference and leaves the base alone.
class Resection3DForm : public TaskForm {
 public:
  enum Id {
    kWaypoint1List = 1000,
    kWaypoint2List = 1001,
    kRange1Whole = 1003,
    kRange1Hundredths = 1005,
    kRange2Whole = 1004,
    kRange2Hundredths = 1006,
    kDistanceUnit = 1039,
    kElevation1Sign = 1021,
    kElevation1Whole = 1023,
    kElevation1Hundredths = 1026,
    kElevation2Sign = 1022,
    kElevation2Whole = 1024,
    kElevation2Hundredths = 1027,
    kAngleWhole = 1025,
    kAngleHundredths = 1028,
    kAngleUnit = 1040,
    kOk = 1018,
    kCancel = 1017,
  };

  Resection3DForm(Services& services, Workspace& workspace, QWidget* parent = nullptr);

 protected:
  void OnOpen() override;
  void OnPressed(int id) override;
  void OnTextChanged(int id) override;

 private:
  // "OK": the checks in turn (two different waypoints, each of them chosen,
  // an angle other than 0, a solution), then the station is stored.
  void Compute();
};

}  // namespace trelvan
