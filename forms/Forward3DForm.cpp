#include "forms/Forward3DForm.h"

#include "forms/MainForm.h"

namespace trelvan {

Forward3DForm::Forward3DForm(MainForm& main, QWidget* parent)
    : Form(main.services(), QStringLiteral("Forward 3D"), parent), main_(main) {}

}  // namespace trelvan
