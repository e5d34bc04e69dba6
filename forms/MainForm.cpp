#include "forms/MainForm.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>
#include <limits>

#include "forms/AboutForm.h"
#include "forms/BackPolarPlotForm.h"
#include "forms/Forward3DForm.h"
#include "forms/Inverse3DForm.h"
#include "forms/Messages.h"
#include "forms/PlanWindow.h"
#include "forms/PositionDisplay.h"
#include "forms/Resection3DForm.h"
#include "forms/UnitsForm.h"
#include "forms/WaypointExchange.h"
#include "forms/WaypointList.h"
#include "forms/WaypointListWindow.h"
#include "forms/WaypointsForm.h"
#include "geodesy/DatumShift.h"
#include "magnetic/Igrf14.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"
#include "ui/SvgIcon.h"
#include "workspace/Declinations.h"

// The icons and pictures live in this static library; a resource file that
// nothing names would be dropped by the linker, so it is registered here.
static void RegisterResources() { Q_INIT_RESOURCE(trelvan); }

namespace trelvan {

namespace {

constexpr GeographicFields kBaseFields{
    MainForm::kLatHemisphere, MainForm::kLatDeg, MainForm::kLatMin, MainForm::kLatSec,
    MainForm::kLatHun,        MainForm::kLonHemisphere, MainForm::kLonDeg, MainForm::kLonMin,
    MainForm::kLonSec,        MainForm::kLonHun, MainForm::kAltSign, MainForm::kAlt};

constexpr GridFields kBaseGrid{MainForm::kEasting,        MainForm::kEastingDm,
                               MainForm::kNorthing,       MainForm::kNorthingDm,
                               MainForm::kGridHemisphere, MainForm::kZone,
                               MainForm::kBand};

}  // namespace

MainForm::MainForm(Services& services, Workspace& workspace, QWidget* parent)
    : Form(services, QStringLiteral("TRELVAN"), parent), workspace_(workspace) {
  RegisterResources();
  setWindowIcon(SvgIcon(QStringLiteral(":/icons/trelvan.svg")));
  BuildCommandBar();

  using K = ControlKind;
  const int base = AddGroup(QStringLiteral("Base Coor."));
  AddControls({
      {kWaypointList, K::kList, "", base, 0, 0, 1, 5},
      {kEdit, K::kButton, "Edit...", base, 0, 5},
  });
  AddControls(GeographicRows(base, kBaseFields, kAltUnit, K::kEdit));
  AddControls(GridRows(base, kBaseGrid, K::kEdit));
  const int angles = AddGroup(QStringLiteral("Declination Angles"));
  AddControls({
      {kAngleUnit, K::kLabel, "mils", angles, 0, 2},
      {0, K::kCaption, "%", angles, 0, 3},
      {0, K::kCaption, "Grid Convergence", angles, 1, 0},
      {kConvergenceSign, K::kButton, "+", angles, 1, 1},
      {kConvergenceWhole, K::kEdit, "", angles, 1, 2},
      {kConvergenceHun, K::kEdit, "", angles, 1, 3},
      {0, K::kCaption, "Magnetic Variance", angles, 2, 0},
      {kVarianceSign, K::kButton, "+", angles, 2, 1},
      {kVarianceWhole, K::kEdit, "", angles, 2, 2},
      {kVarianceHun, K::kEdit, "", angles, 2, 3},
  });
  // The main form only displays.
  for (int id : {kLatDeg, kLatMin, kLatSec, kLatHun, kLonDeg, kLonMin, kLonSec, kLonHun, kAlt,
                 kEasting, kEastingDm, kNorthing, kNorthingDm, kZone, kBand, kConvergenceWhole,
                 kConvergenceHun, kVarianceWhole, kVarianceHun}) {
    SetReadOnly(id, true);
  }
  // Every field as wide as its digits; the columns stay together on the left.
  const QString digits = QStringLiteral("0000000");
  const auto fit = [this, &digits](std::initializer_list<int> ids, int count) {
    for (int id : ids) FitWidth(id, digits.left(count));
  };
  fit({kEastingDm, kNorthingDm}, 1);
  fit({kLatMin, kLatSec, kLatHun, kLonMin, kLonSec, kLonHun, kZone, kConvergenceHun, kVarianceHun},
      2);
  fit({kLatDeg, kLonDeg, kConvergenceWhole, kVarianceWhole}, 3);
  fit({kAlt}, 5);
  fit({kEasting, kNorthing}, 7);
  for (int id : {kBand, kLatHemisphere, kLonHemisphere, kAltSign, kGridHemisphere, kConvergenceSign,
                 kVarianceSign}) {
    FitWidth(id, QStringLiteral("W"));
  }
  GroupGrid(base)->setColumnStretch(6, 1);
  GroupGrid(angles)->setColumnStretch(4, 1);
  FormLayout()->addStretch(1);
  connect(&workspace_, &Workspace::Changed, this, &MainForm::ShowChanges);
  connect(&workspace_, &Workspace::SaveFailed, this,
          [this] { ShowMessage(QString::fromUtf8(messages::kCannotWriteFile)); });
}

void MainForm::BuildCommandBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(6);  // the separator between the menu and the tool bar

  // Alt and the underlined letter open the menu and choose its items; F10
  // opens it too, as on most desktops. The shortcuts act while the main form
  // is the active window, so they never reach an open task form. Waypoints
  // takes Ctrl+E, for editing them: Ctrl+W closes a window on most desktops.
  auto* menuBar = new QMenuBar(bar);
  QMenu* menu = menuBar->addMenu(QStringLiteral("&Menu"));
  menu->setObjectName(QStringLiteral("Menu"));
  auto* openMenu = new QAction(this);
  openMenu->setShortcut(Qt::Key_F10);
  connect(openMenu, &QAction::triggered, menuBar,
          [menuBar, menu] { menuBar->setActiveAction(menu->menuAction()); });
  addAction(openMenu);
  const auto addItem = [this](QMenu* into, const char* caption, int command,
                              const QKeySequence& shortcut) {
    QAction* action = into->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::number(command));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
  };
  addItem(menu, "&Resection 3D...", kCommandResection3D, Qt::CTRL | Qt::Key_R);
  addItem(menu, "&Back Polar Plot 3D...", kCommandBackPolar, Qt::CTRL | Qt::Key_B);
  addItem(menu, "&Inverse 3D...", kCommandInverse3D, Qt::CTRL | Qt::Key_I);
  addItem(menu, "&Forward 3D...", kCommandForward3D, Qt::CTRL | Qt::Key_F);
  menu->addSeparator();
  addItem(menu, "&Waypoints...", kCommandWaypoints, Qt::CTRL | Qt::Key_E);
  addItem(menu, "Waypoint &List...", kCommandWaypointList, Qt::CTRL | Qt::Key_L);
  addItem(menu, "Plan &View...", kCommandPlanView, Qt::CTRL | Qt::Key_P);
  addItem(menu, "Im&port Waypoints...", kCommandImportWaypoints, Qt::CTRL | Qt::Key_O);
  addItem(menu, "&Export Waypoints...", kCommandExportWaypoints,
          Qt::CTRL | Qt::SHIFT | Qt::Key_S);
  addItem(menu, "&Units...", kCommandUnits, Qt::CTRL | Qt::Key_U);
  menu->addSeparator();
  addItem(menu, "&About...", kCommandAbout, Qt::Key_F1);
  addItem(menu, "E&xit", kCommandExit, Qt::CTRL | Qt::Key_Q);
  row->addWidget(menuBar);

  auto* tools = new QToolBar(bar);
  tools->setIconSize(QSize(16, 16));
  const auto addTool = [this, tools](const char* icon, const char* tip, int command) {
    QAction* action = tools->addAction(SvgIcon(QString::fromUtf8(icon)), QString::fromUtf8(tip));
    action->setObjectName(QString::number(command));
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
  };
  addTool(":/icons/exit.svg", "Exit", kToolExit);
  addTool(":/icons/units.svg", "Units", kToolUnits);
  addTool(":/icons/about.svg", "About", kToolAbout);
  row->addWidget(tools);
  row->addStretch(1);
  FormLayout()->setMenuBar(bar);
}

void MainForm::RunCommand(int command) {
  switch (command) {
    case kCommandExit:
    case kToolExit:
      End(0);
      break;
    case kCommandForward3D: {
      Forward3DForm form(services(), workspace_, this);
      RunModal(form);
      break;
    }
    case kCommandInverse3D: {
      Inverse3DForm form(services(), workspace_, this);
      RunModal(form);
      break;
    }
    case kCommandBackPolar: {
      BackPolarPlotForm form(services(), workspace_, this);
      RunModal(form);
      break;
    }
    case kCommandResection3D: {
      Resection3DForm form(services(), workspace_, this);
      RunModal(form);
      break;
    }
    case kCommandWaypoints: {
      WaypointsForm form(services(), workspace_, this);
      RunModal(form);
      break;
    }
    case kCommandWaypointList:
      ShowWaypointList();
      break;
    case kCommandPlanView:
      if (!plan_) plan_ = new PlanWindow(services(), workspace_, this);
      plan_->Open();
      break;
    case kCommandImportWaypoints:
      ImportWaypoints(*this, workspace_);
      break;
    case kCommandExportWaypoints:
      ExportWaypoints(*this, workspace_);
      break;
    case kCommandUnits:
    case kToolUnits: {
      UnitsForm form(services(), workspace_, this);
      RunModal(form);
      break;
    }
    case kCommandAbout:
    case kToolAbout: {
      AboutForm form(services(), this);
      RunModal(form);
      break;
    }
    default:
      break;
  }
}

void MainForm::ShowWaypointList() {
  if (!waypointList_) {
    waypointList_ = new WaypointListWindow(
        services(), workspace_, [this] { RunCommand(kCommandWaypoints); }, this);
    // Wide enough for every column where the screen allows, and beside the
    // main form where there is room, so that both show.
    const QRect screenArea = screen()->availableGeometry();
    waypointList_->resize(waypointList_->sizeHint().boundedTo(
        QSize(screenArea.width() * 19 / 20, screenArea.height() * 2 / 3)));
    const QPoint beside = frameGeometry().topRight() + QPoint(8, 0);
    if (screenArea.contains(QRect(beside, waypointList_->size()))) waypointList_->move(beside);
  }
  waypointList_->show();
  waypointList_->raise();
  waypointList_->activateWindow();
}

void MainForm::OnOpen() {
  if (!workspace_.Load()) {
    ShowMessage(QString::fromUtf8(messages::kCannotCreateFile));
    End(0);
    return;
  }
  if (!Igrf14CoversYear(Now().date().year())) {
    ShowMessage(QString::fromUtf8(messages::kOutsideMagneticModel));
  }
}

void MainForm::OnDestroy() { workspace_.SaveAtClose(); }

void MainForm::ShowChanges(Workspace::Parts parts) {
  if (!(parts & (Workspace::kUnits | Workspace::kBase | Workspace::kTable))) return;
  if (parts & Workspace::kUnits) ShowUnitLabels();
  const WaypointTable& table = workspace_.Waypoints();
  if (parts & Workspace::kTable) FillWaypointList(*this, kWaypointList, table);
  const int base = RecordIndex(workspace_.Settings().baseWaypoint);
  ListSelect(kWaypointList, base);
  ShowBase(table[static_cast<std::size_t>(base)].point);
}

void MainForm::ShowUnitLabels() {
  const AppSettings& settings = workspace_.Settings();
  if (const char* label = AltitudeLabel(settings.distanceUnit)) {
    SetText(kAltUnit, QString::fromUtf8(label));
  }
  SetText(kAngleUnit, QString::fromUtf8(AngleUnitLabel(settings.angleUnit)));
}

void MainForm::ShowBase(const GeoPoint& p) {
  if (!HoldsPosition(p)) {
    // A damaged record is no place: nothing is computed from it, and the
    // fields show nothing rather than numbers that look real.
    ClearGeographic(*this, kBaseFields);
    ClearGrid(*this, kBaseGrid);
    for (int id : {kConvergenceWhole, kConvergenceHun, kVarianceWhole, kVarianceHun}) {
      SetText(id, QString());
    }
    SetText(kConvergenceSign, QStringLiteral("+"));
    SetText(kVarianceSign, QStringLiteral("+"));
    shownConvergence_ = 0;
    shownVariance_ = 0;
    return;
  }
  const AppSettings& settings = workspace_.Settings();
  const GeoPoint q = ConvertDatum(static_cast<std::uint16_t>(settings.datumIndex), p);
  ShowGeographic(*this, kBaseFields, q, settings.distanceUnit);
  const Declinations at = DeclinationsAt(Now(), q);
  if (ShowGrid(*this, kBaseGrid, q)) {
    shownConvergence_ = ShowSignedAngle(*this, kConvergenceSign, kConvergenceWhole, kConvergenceHun,
                                        at.gridConvergence, settings.angleUnit);
  } else {
    // Beyond 84 N and 80 S there is no grid north to converge to.
    SetText(kConvergenceSign, QStringLiteral("+"));
    SetText(kConvergenceWhole, QString());
    SetText(kConvergenceHun, QString());
    shownConvergence_ = std::numeric_limits<double>::quiet_NaN();
  }
  shownVariance_ = ShowSignedAngle(*this, kVarianceSign, kVarianceWhole, kVarianceHun,
                                   at.magneticVariance, settings.angleUnit);
}

void MainForm::OnPressed(int id) {
  if (id == kEdit) {
    workspace_.SetEditWaypoint(workspace_.Settings().baseWaypoint);
    RunCommand(kCommandWaypoints);
  }
}

void MainForm::OnSelectionChanged(int id) {
  if (id != kWaypointList) return;
  const int selection = ListSelection(kWaypointList);
  if (selection < 0 || selection >= kWaypointCapacity) return;
  workspace_.SetBase(selection);
}

void MainForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  Form::keyPressEvent(event);
}

}  // namespace trelvan
