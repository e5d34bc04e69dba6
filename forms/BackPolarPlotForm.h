#pragma once

#include "ui/Form.h"

namespace trelvan {

class MainForm;

// PLACEHOLDER until the form is built.
class BackPolarPlotForm : public Form {
 public:
  explicit BackPolarPlotForm(MainForm& main, QWidget* parent = nullptr);

 private:
  MainForm& main_;
};

}  // namespace trelvan
