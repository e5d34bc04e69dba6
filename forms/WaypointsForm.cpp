#include "forms/WaypointsForm.h"

#include "forms/MainForm.h"

namespace trelvan {

WaypointsForm::WaypointsForm(MainForm& main, QWidget* parent)
    : Form(main.services(), QStringLiteral("Waypoints"), parent), main_(main) {}

}  // namespace trelvan
