#include "forms/PolarResultForm.h"

#include "forms/MainForm.h"

namespace trelvan {

PolarResultForm::PolarResultForm(MainForm& main, QWidget* parent)
    : Form(main.services(), QStringLiteral("Polar"), parent), main_(main) {}

}  // namespace trelvan
