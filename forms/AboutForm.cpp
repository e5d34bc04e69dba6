#include "forms/AboutForm.h"

#include "forms/MainForm.h"

namespace trelvan {

AboutForm::AboutForm(MainForm& main, QWidget* parent)
    : Form(main.services(), QStringLiteral("About"), parent), main_(main) {}

}  // namespace trelvan
