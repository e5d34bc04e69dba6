#include "forms/UnitsForm.h"

#include "forms/MainForm.h"

namespace trelvan {

UnitsForm::UnitsForm(MainForm& main, QWidget* parent)
    : Form(main.services(), QStringLiteral("Units"), parent), main_(main) {}

}  // namespace trelvan
