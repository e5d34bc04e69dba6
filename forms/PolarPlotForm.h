#pragma once

#include <cstdint>

#include "forms/TaskForm.h"
#include "geodesy/Datum.h"
#include "geometry/Polar.h"
#include "workspace/Workspace.h"

namespace trelvan {

// The form that the Forward 3D form lends its twin, the Back Polar Plot
// form: a list of the stored waypoints with the position of the chosen one
// in the upper group, a typed polar measurement (azimuth, elevation, range)
// in the lower group, and "OK", which turns the two into a new waypoint,
// keeps the geometry as the workspace's last result and runs the Waypoints
// form on the new waypoint. The twins differ only in their captions, the
// ids of their unit labels, the setting their list is tied to and the polar
// problem they solve.
class PolarPlotForm : public TaskForm {
 public:
  enum Id {
    kWaypointList = 1000,
    kLatHemisphere = 1006,
    kLatDeg = 1004,
    kLatMin = 1013,
    kLatSec = 1014,
    kLatHun = 1024,
    kLonHemisphere = 1018,
    kLonDeg = 1015,
    kLonMin = 1016,
    kLonSec = 1017,
    kLonHun = 1027,
    kAltSign = 1020,
    kAlt = 1019,
    kReference = 1022,
    kAzimuthWhole = 1007,
    kAzimuthHundredths = 1025,
    kElevationSign = 1021,
    kElevationWhole = 1023,
    kElevationHundredths = 1026,
    kRangeWhole = 1003,
    kRangeHundredths = 1005,
    kOk = 1012,
    kCancel = 1011,
  };

 protected:
  // What tells the twins apart: the task, the title, the captions of the
  // upper group and of the range row, and the ids of the altitude, angle and
  // distance unit labels.
  struct Look {
    Task task;
    const char* title;
    const char* upperGroup;
    const char* rangeRow;
    int altitudeLabel;
    int angleLabel;
    int distanceLabel;
  };

  PolarPlotForm(Services& services, Workspace& workspace, const Look& look, QWidget* parent);

  // The setting (a record index) that the list opens on, and its mutator,
  // which a choice in the list calls at once.
  virtual std::int32_t ListedWaypoint() const = 0;
  virtual void ListWaypoint(std::int32_t record) = 0;
  // The new waypoint from the measurement v (metres, radians from true
  // north) and the waypoint chosen in the list.
  virtual GeoPoint Solve(const PolarVector& v, const GeoPoint& known) const = 0;

  void OnOpen() override;
  void OnPressed(int id) override;
  void OnSelectionChanged(int id) override;
  void OnTextChanged(int id) override;

 private:
  // "OK": reads the measurement, solves, keeps the result, stores the new
  // waypoint and shows the list again with the waypoint that was chosen.
  void Compute();

  Task task_;
  int altitudeLabel_;
  int angleLabel_;
  int distanceLabel_;
};

}  // namespace trelvan
