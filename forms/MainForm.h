#pragma once

#include <string>

#include "geometry/Polar.h"
#include "store/Settings.h"
#include "store/WaypointTable.h"
#include "ui/Form.h"

class QKeyEvent;
class QToolBar;

namespace trelvan {

// The main form and the owner of the program's state for the whole run: the
// settings, the waypoint table, the last polar result and the two
// declination angles. It shows the base waypoint in geographic and UTM form
// with its grid convergence and magnetic variance, opens every other form
// from its menu and tool bar, reads both files when it opens, writes what a
// change touched at once (SaveChanges) and both again when it is destroyed.
// The other forms receive it in their constructor, work on its members
// directly and call SaveChanges after each change, so that nothing a user
// enters waits in memory for the close.
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
  };

  // `dataFolder` holds "conf.txt" and "wp.dat"; it is used as the bytes it
  // is, whatever their encoding.
  MainForm(Services& services, std::string dataFolder, QWidget* parent = nullptr);

  // Writes each file whose content in memory differs from what was last
  // written (or read) through the atomic save. A failure shows "Cannot write
  // to file!.." once for the call, keeps the data in memory and leaves the
  // file to be tried again at the next call and at the close. False when a
  // write failed.
  bool SaveChanges();
  // False once the save at the close failed for either file.
  bool ClosedSaved() const { return closedSaved_; }

  // Shows p as the base: converted into the map datum, geographic and UTM
  // fields, grid convergence and the magnetic variance from the clock.
  void ShowBase(const GeoPoint& p);
  // Rebuilds the selector from the table, selects baseWaypoint and shows it.
  void RefreshBase();
  // Shows again, in the current units and datum, the waypoint chosen in the
  // selector; with an empty table nothing is chosen and the base record is
  // shown as it stands.
  void ShowChosenBase();
  // Sets the altitude and angle unit labels from the settings.
  void ShowUnitLabels();
  // Runs a menu or tool bar command as the user's choice would.
  void RunCommand(int command);
  // Runs the Waypoints form over `owner`, this form or a task form open over
  // it (which shows a stored result there).
  void EditWaypoints(Form& owner);

  AppSettings settings{};
  WaypointTable waypoints{};
  PolarVector lastPolar{};
  double backAzimuth = 0;
  // After ShowBase: absolute values in the angle unit. The task forms store
  // the values at their own point here, in radians. The grid convergence is
  // NaN at a point beyond the grid (84 N and 80 S), where grid north is not
  // defined.
  double magneticVariance = 0;
  double gridConvergence = 0;

 protected:
  void OnOpen() override;
  void OnDestroy() override;
  void OnPressed(int id) override;
  void OnSelectionChanged(int id) override;
  void OnTextChanged(int id) override;
  // Escape does not end the program; Exit, the tool bar and the window's
  // close button do.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildCommandBar();
  // The save at the close: both files, one message for each that failed.
  void SaveFiles();
  // Writes both files, or with `changedOnly` those that differ from what is
  // on disk; returns how many writes failed.
  int WriteFiles(bool changedOnly);

  std::string dataFolder_;
  bool settingsLoaded_ = false;
  bool waypointsLoaded_ = false;
  // What the files on disk hold as far as this program knows: what was read
  // or last written whole.
  AppSettings savedSettings_{};
  WaypointTable savedWaypoints_{};
  bool closedSaved_ = true;
};

}  // namespace trelvan
