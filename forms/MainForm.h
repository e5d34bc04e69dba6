#pragma once

#include "geodesy/Datum.h"
#include "ui/Form.h"
#include "workspace/Workspace.h"

class QKeyEvent;
class QToolBar;

namespace trelvan {

class PlanWindow;
class WaypointListWindow;

// The main form: one view of the workspace. It shows the base waypoint in
// geographic and UTM form with its grid convergence and magnetic variance,
// and follows every change of the units, the base and the table. It opens
// every other form over the workspace from its menu and tool bar, has the
// workspace read both files when it opens and save them both when it is
// destroyed, and says so when a save fails.
class MainForm : public Form {
 public:
  enum Id {
    kWaypointList = 1000,
    kEdit = 1005,
    kLatHemisphere = 1006,
    kLatDeg = 1004,
    kLatMin = 1013,
    kLatSec = 1014,
    kLatHun = 1027,
    kLonHemisphere = 1018,
    kLonDeg = 1015,
    kLonMin = 1016,
    kLonSec = 1017,
    kLonHun = 1028,
    kAltSign = 1020,
    kAlt = 1019,
    kAltUnit = 1011,
    kEasting = 1007,
    kEastingDm = 1024,
    kNorthing = 1008,
    kNorthingDm = 1025,
    kGridHemisphere = 1023,
    kZone = 1021,
    kBand = 1022,
    kAngleUnit = 1026,
    kConvergenceSign = 1010,
    kConvergenceWhole = 1009,
    kConvergenceHun = 1029,
    kVarianceSign = 1032,
    kVarianceWhole = 1030,
    kVarianceHun = 1031,
  };

  // Menu and tool bar commands.
  enum Command {
    kCommandExit = 32775,
    kCommandForward3D = 32776,
    kCommandInverse3D = 32777,
    kCommandBackPolar = 32778,
    kCommandResection3D = 32779,
    kCommandWaypoints = 32780,
    kCommandUnits = 32781,
    kCommandAbout = 32782,
    kToolExit = 32783,
    kToolUnits = 32784,
    kToolAbout = 32785,
    kCommandImportWaypoints = 32786,
    kCommandExportWaypoints = 32787,
    kCommandWaypointList = 32789,
    kCommandPlanView = 32790,
  };

  MainForm(Services& services, Workspace& workspace, QWidget* parent = nullptr);

  // Shows p as the base: converted into the map datum, geographic and UTM
  // fields, grid convergence and the magnetic variance from the clock.
  void ShowBase(const GeoPoint& p);
  // Runs a menu or tool bar command as the user's choice would.
  void RunCommand(int command);
  // The waypoint list once it was opened, else nullptr.
  WaypointListWindow* WaypointList() const { return waypointList_; }

  // The magnitudes the declination fields show, in the angle unit. The grid
  // convergence is NaN at a point beyond the grid (84 N and 80 S), where
  // grid north is not defined; both are 0 for a damaged record.
  double ShownConvergence() const { return shownConvergence_; }
  double ShownVariance() const { return shownVariance_; }

 protected:
  void OnOpen() override;
  void OnDestroy() override;
  void OnPressed(int id) override;
  void OnSelectionChanged(int id) override;
  // Escape does not end the program; Exit, the tool bar and the window's
  // close button do.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildCommandBar();
  // Sets the altitude and angle unit labels from the settings.
  void ShowUnitLabels();
  // Follows a change of the workspace: the labels for new units, the
  // selector rebuilt from a new table, and the base shown again whenever
  // the units, the base or the table changed. A base index beyond the run
  // selects nothing and shows the record it names.
  void ShowChanges(Workspace::Parts parts);

  // Opens the waypoint list beside the main form, or brings it to the front.
  void ShowWaypointList();

  Workspace& workspace_;
  WaypointListWindow* waypointList_ = nullptr;
  // Made when the plan is first opened; a child of the form.
  PlanWindow* plan_ = nullptr;
  double shownConvergence_ = 0;
  double shownVariance_ = 0;
};

}  // namespace trelvan
