#include "forms/BackPolarPlotForm.h"

#include "forms/MainForm.h"

namespace trelvan {

BackPolarPlotForm::BackPolarPlotForm(MainForm& main, QWidget* parent)
    : Form(main.services(), QStringLiteral("Back Polar Plot"), parent), main_(main) {}

}  // namespace trelvan
