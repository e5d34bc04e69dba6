#pragma once

#include "ui/Form.h"

namespace trelvan {

class MainForm;

// PLACEHOLDER until the form is built.
class AboutForm : public Form {
 public:
  explicit AboutForm(MainForm& main, QWidget* parent = nullptr);

 private:
  MainForm& main_;
};

}  // namespace trelvan
