#pragma once

#include "plan/Plan.h"
#include "plan/PlanView.h"
#include "ui/Form.h"
#include "workspace/Workspace.h"

namespace trelvan {

class PlanCanvas;

// The plan: a window beside the forms, not modal, that draws the waypoints
// around the base, the norths at the base and the last task's geometry,
// and draws them again after every change of the workspace. The wheel and
// the +/- keys zoom, dragging and the arrow keys pan, Home fits all the
// waypoints, and a click on a marker makes that waypoint the base.
// "Export Picture..." writes what the window shows as SVG, PNG or PDF. The
// window's size and zoom are kept in the desktop's settings (QSettings),
// apart from the data folder.
class PlanWindow : public Form {
 public:
  enum Id {
    kExportPicture = 1001,
  };

  PlanWindow(Services& services, Workspace& workspace, QWidget* parent = nullptr);
  ~PlanWindow() override;

  // Shows the window, or brings it to the front when it is open.
  void Open();

  const Plan& Shown() const { return plan_; }
  const PlanView& View() const { return view_; }
  // The widget the plan is painted on.
  QWidget* Canvas() const;

 protected:
  void OnPressed(int id) override;

 private:
  friend class PlanCanvas;

  // Makes the plan again after a change of the workspace. A new base that
  // was on the plan keeps its place in the window, so that the picture
  // does not jump; one that was not is fitted.
  void Follow(Workspace::Parts parts);
  // The view of the canvas's first size: every waypoint fitted, at the kept
  // zoom when there is one.
  void PlaceFirstView();
  void SetView(const PlanView& view);
  void Fit();
  void ExportPicture();

  Workspace& workspace_;
  PlanCanvas* canvas_;
  Plan plan_;
  PlanView view_;
  bool placed_ = false;
};

}  // namespace trelvan
