#include "forms/Inverse3DForm.h"

#include "forms/MainForm.h"

namespace trelvan {

Inverse3DForm::Inverse3DForm(MainForm& main, QWidget* parent)
    : Form(main.services(), QStringLiteral("Inverse 3D"), parent), main_(main) {}

}  // namespace trelvan
