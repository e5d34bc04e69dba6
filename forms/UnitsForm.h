#pragma once

#include <cstdint>

#include "ui/Form.h"
#include "workspace/Workspace.h"

namespace trelvan {

// Lets the user choose the angle unit, the distance unit and the map datum.
// The choice is pending while the form is open and reaches the workspace's
// settings only through "OK" (and from there every view, the main form
// relabelled and showing its base in the new units and datum); "Cancel"
// and the window's close button drop it.
class UnitsForm : public Form {
 public:
  enum Id {
    kDatumList = 1000,
    kDegreesRadio = 1009,
    kMilsRadio = 1010,
    kMetersRadio = 1011,
    kFeetRadio = 1012,
    kKilometersRadio = 1013,
    kNauticalMilesRadio = 1014,
    kStatuteMilesRadio = 1015,
    kCancel = 1017,
    kOk = 1018,
    kYardsRadio = 1041,
  };

  UnitsForm(Services& services, Workspace& workspace, QWidget* parent = nullptr);

  // The pending units: the codes of the settings, taken from the workspace
  // when the form opens and changed by the radio buttons.
  std::int32_t pendingAngleUnit() const { return pendingAngleUnit_; }
  std::int32_t pendingDistanceUnit() const { return pendingDistanceUnit_; }

 protected:
  void OnOpen() override;
  void OnPressed(int id) override;

 private:
  // Stores the pending choice in the workspace's settings.
  void Commit();

  Workspace& workspace_;
  std::int32_t pendingAngleUnit_ = 0;
  std::int32_t pendingDistanceUnit_ = 0;
};

}  // namespace trelvan
