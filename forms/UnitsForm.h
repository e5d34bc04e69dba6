#pragma once

#include "ui/Form.h"

namespace trelvan {

class MainForm;

// PLACEHOLDER until the form is built.
class UnitsForm : public Form {
 public:
  explicit UnitsForm(MainForm& main, QWidget* parent = nullptr);

 private:
  MainForm& main_;
};

}  // namespace trelvan
