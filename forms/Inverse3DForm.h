#pragma once

#include "forms/TaskForm.h"

namespace trelvan {

// Measures between two stored waypoints: the base and the target chosen in
// two lists, each shown in its own group of geographic fields. "OK" keeps as
// the workspace's last result the polar vector from the base to the target
// and the back azimuth measured at the target, then runs the Polar result
// form on them with the declinations at the base. The base chosen here
// becomes the workspace's base when the form closes; the target choice is
// not kept.
class Inverse3DForm : public TaskForm {
 public:
  enum Id {
    kBaseList = 1000,
    kBaseLatHemisphere = 1006,
    kBaseLatDeg = 1004,
    kBaseLatMin = 1013,
    kBaseLatSec = 1014,
    kBaseLatHun = 1029,
    kBaseLonHemisphere = 1018,
    kBaseLonDeg = 1015,
    kBaseLonMin = 1016,
    kBaseLonSec = 1017,
    kBaseLonHun = 1032,
    kBaseAltSign = 1020,
    kBaseAlt = 1019,
    kBaseAltUnit = 1030,
    kTargetList = 1001,
    kTargetLatHemisphere = 1007,
    kTargetLatDeg = 1005,
    kTargetLatMin = 1021,
    kTargetLatSec = 1022,
    kTargetLatHun = 1033,
    kTargetLonHemisphere = 1026,
    kTargetLonDeg = 1023,
    kTargetLonMin = 1024,
    kTargetLonSec = 1025,
    kTargetLonHun = 1034,
    kTargetAltSign = 1028,
    kTargetAlt = 1027,
    kTargetAltUnit = 1031,
    kOk = 1012,
    kCancel = 1011,
  };

  Inverse3DForm(Services& services, Workspace& workspace, QWidget* parent = nullptr);

 protected:
  void OnOpen() override;
  void OnDestroy() override;
  void OnPressed(int id) override;
  void OnSelectionChanged(int id) override;

 private:
  // One group: the list of waypoint names and the geographic fields of the
  // chosen one.
  struct Group {
    int list;
    GeographicFields fields;
    int altitudeLabel;
  };
  static const Group kBase;
  static const Group kTarget;

  void AddPositionGroup(const QString& caption, const Group& group);
  // Shows the record chosen in the group's list, when there is one.
  void ShowChosen(const Group& group);
  // "OK": measures from the base to the target and shows the result.
  void Measure();
};

}  // namespace trelvan
