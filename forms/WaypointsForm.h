#pragma once

#include "ui/Form.h"

namespace trelvan {

class MainForm;

// PLACEHOLDER until the form is built.
class WaypointsForm : public Form {
 public:
  explicit WaypointsForm(MainForm& main, QWidget* parent = nullptr);

 private:
  MainForm& main_;
};

}  // namespace trelvan
