#include "forms/Resection3DForm.h"

#include "forms/MainForm.h"

namespace trelvan {

Resection3DForm::Resection3DForm(MainForm& main, QWidget* parent)
    : Form(main.services(), QStringLiteral("Resection 3D"), parent), main_(main) {}

}  // namespace trelvan
