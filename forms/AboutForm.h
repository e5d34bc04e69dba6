#pragma once

#include "ui/Form.h"

namespace trelvan {

// Shows the program's picture, name and version, and the magnetic model
// with its years. It has no state; the window's close button, Escape or
// "OK" end it.
class AboutForm : public Form {
 public:
  enum Id {
    kOk = 1,
    kName = 1000,
    kProgramVersion = 1001,
    kModel = 1002,
  };

  explicit AboutForm(Services& services, QWidget* parent = nullptr);

 protected:
  void OnPressed(int id) override;
};

}  // namespace trelvan
