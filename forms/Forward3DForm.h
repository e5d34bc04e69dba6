#pragma once

#include "ui/Form.h"

namespace trelvan {

class MainForm;

// PLACEHOLDER until the form is built.
class Forward3DForm : public Form {
 public:
  explicit Forward3DForm(MainForm& main, QWidget* parent = nullptr);

 private:
  MainForm& main_;
};

}  // namespace trelvan
