#include "forms/MainForm.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "forms/AboutForm.h"
#include "forms/BackPolarPlotForm.h"
#include "forms/Forward3DForm.h"
#include "forms/Inverse3DForm.h"
#include "forms/Messages.h"
#include "forms/PositionDisplay.h"
#include "forms/Resection3DForm.h"
#include "forms/UnitsForm.h"
#include "forms/WaypointExchange.h"
#include "forms/WaypointsForm.h"
#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "geodesy/DatumShift.h"
#include "magnetic/MagneticModel.h"
#include "measures/FieldNumber.h"
#include "measures/Units.h"
#include "store/WaypointFile.h"

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

MainForm::MainForm(Services& services, const QString& dataFolder, QWidget* parent)
    : Form(services, QStringLiteral("TRELVAN"), parent), dataFolder_(dataFolder) {
  RegisterResources();
  setWindowIcon(QIcon(QStringLiteral(":/icons/trelvan.svg")));
  BuildCommandBar();

  using K = ControlKind;
  const int base = AddGroup(QStringLiteral("Base Coor."));
  AddControls({
      {kWaypointList, K::kList, "", base, 0, 0, 1, 5},
      {kEdit, K::kButton, "Edit...", base, 0, 5},
      {0, K::kCaption, "Deg", base, 1, 2},
      {0, K::kCaption, "Min", base, 1, 3},
      {0, K::kCaption, "Sec", base, 1, 4},
      {0, K::kCaption, "%", base, 1, 5},
      {0, K::kCaption, "Lat", base, 2, 0},
      {kLatHemisphere, K::kButton, "N", base, 2, 1},
      {kLatDeg, K::kEdit, "", base, 2, 2},
      {kLatMin, K::kEdit, "", base, 2, 3},
      {kLatSec, K::kEdit, "", base, 2, 4},
      {kLatHun, K::kEdit, "", base, 2, 5},
      {0, K::kCaption, "Lon", base, 3, 0},
      {kLonHemisphere, K::kButton, "E", base, 3, 1},
      {kLonDeg, K::kEdit, "", base, 3, 2},
      {kLonMin, K::kEdit, "", base, 3, 3},
      {kLonSec, K::kEdit, "", base, 3, 4},
      {kLonHun, K::kEdit, "", base, 3, 5},
      {0, K::kCaption, "Alt", base, 4, 0},
      {kAltSign, K::kButton, "+", base, 4, 1},
      {kAlt, K::kEdit, "", base, 4, 2, 1, 2},
      {kAltUnit, K::kLabel, "m", base, 4, 4},
      {0, K::kCaption, "m", base, 5, 2, 1, 2},
      {0, K::kCaption, "dm", base, 5, 4},
      {0, K::kCaption, "Easting", base, 6, 0, 1, 2},
      {kEasting, K::kEdit, "", base, 6, 2, 1, 2},
      {kEastingDm, K::kEdit, "", base, 6, 4},
      {0, K::kCaption, "Northing", base, 7, 0, 1, 2},
      {kNorthing, K::kEdit, "", base, 7, 2, 1, 2},
      {kNorthingDm, K::kEdit, "", base, 7, 4},
      {0, K::kCaption, "HSphere", base, 8, 0},
      {kGridHemisphere, K::kButton, "N", base, 8, 1},
      {0, K::kCaption, "Zone", base, 8, 2},
      {kZone, K::kEdit, "", base, 8, 3},
      {kBand, K::kEdit, "", base, 8, 4},
  });
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
}

void MainForm::BuildCommandBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(6);  // the separator between the menu and the tool bar

  auto* menuBar = new QMenuBar(bar);
  QMenu* menu = menuBar->addMenu(QStringLiteral("Menu"));
  menu->setObjectName(QStringLiteral("Menu"));
  const auto addItem = [this](QMenu* into, const char* caption, int command) {
    QAction* action = into->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::number(command));
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
  };
  addItem(menu, "Resection 3D...", kCommandResection3D);
  addItem(menu, "Back Polar Plot 3D...", kCommandBackPolar);
  addItem(menu, "Inverse 3D...", kCommandInverse3D);
  addItem(menu, "Forward 3D...", kCommandForward3D);
  menu->addSeparator();
  addItem(menu, "Waypoints...", kCommandWaypoints);
  addItem(menu, "Im&port Waypoints...", kCommandImportWaypoints);
  addItem(menu, "&Export Waypoints...", kCommandExportWaypoints);
  addItem(menu, "Units...", kCommandUnits);
  menu->addSeparator();
  addItem(menu, "About...", kCommandAbout);
  addItem(menu, "Exit", kCommandExit);
  row->addWidget(menuBar);

  auto* tools = new QToolBar(bar);
  tools->setIconSize(QSize(16, 16));
  const auto addTool = [this, tools](const char* icon, const char* tip, int command) {
    QAction* action = tools->addAction(QIcon(QString::fromUtf8(icon)), QString::fromUtf8(tip));
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
      Forward3DForm form(*this, this);
      RunModal(form);
      break;
    }
    case kCommandInverse3D: {
      Inverse3DForm form(*this, this);
      RunModal(form);
      break;
    }
    case kCommandBackPolar: {
      BackPolarPlotForm form(*this, this);
      RunModal(form);
      break;
    }
    case kCommandResection3D: {
      Resection3DForm form(*this, this);
      RunModal(form);
      break;
    }
    case kCommandWaypoints: {
      WaypointsForm form(*this, this);
      RunModal(form);
      break;
    }
    case kCommandImportWaypoints:
      ImportWaypoints(*this);
      break;
    case kCommandExportWaypoints:
      ExportWaypoints(*this);
      break;
    case kCommandUnits:
    case kToolUnits: {
      UnitsForm form(*this, this);
      RunModal(form);
      break;
    }
    case kCommandAbout:
    case kToolAbout: {
      AboutForm form(*this, this);
      RunModal(form);
      break;
    }
    default:
      break;
  }
}

void MainForm::OnOpen() {
  const QByteArray folder = dataFolder_.toLocal8Bit();
  if (LoadSettings(folder.constData(), settings) == LoadResult::kCannotCreate) {
    ShowMessage(QString::fromUtf8(messages::kCannotCreateFile));
    End(0);
    return;
  }
  settingsLoaded_ = true;
  ShowUnitLabels();
  const LoadResult table = LoadWaypoints(folder.constData(), waypoints);
  if (table == LoadResult::kCannotCreate) {
    ShowMessage(QString::fromUtf8(messages::kCannotCreateFile));
    End(0);
    return;
  }
  waypointsLoaded_ = true;
  if (table == LoadResult::kCreated) {
    settings.editWaypoint = 0;
    settings.baseWaypoint = 0;
  }
  settings.editWaypoint = RecordIndex(settings.editWaypoint);
  settings.baseWaypoint = RecordIndex(settings.baseWaypoint);
  RefreshBase();
}

void MainForm::OnDestroy() { SaveFiles(); }

void MainForm::SaveFiles() {
  // A file that could not be read at the start is not written either: what
  // is on disk may still be the user's data.
  const QByteArray folder = dataFolder_.toLocal8Bit();
  if (settingsLoaded_ && !SaveSettings(folder.constData(), settings)) {
    ShowMessage(QString::fromUtf8(messages::kCannotWriteFile));
  }
  if (waypointsLoaded_) SaveWaypointTable();
}

bool MainForm::SaveWaypointTable() {
  const QByteArray folder = dataFolder_.toLocal8Bit();
  if (SaveWaypoints(folder.constData(), waypoints)) return true;
  ShowMessage(QString::fromUtf8(messages::kCannotWriteFile));
  return false;
}

void MainForm::ShowUnitLabels() {
  if (const char* label = AltitudeLabel(settings.distanceUnit)) {
    SetText(kAltUnit, QString::fromUtf8(label));
  }
  SetText(kAngleUnit, QString::fromUtf8(AngleUnitLabel(settings.angleUnit)));
}

void MainForm::ShowBase(const GeoPoint& p) {
  const GeoPoint q = ConvertDatum(static_cast<std::uint16_t>(settings.datumIndex), p);
  ShowGeographic(*this, kBaseFields, q, settings.distanceUnit);
  ShowGrid(*this, kBaseGrid, q);
  gridConvergence = ShowSignedAngle(*this, kConvergenceSign, kConvergenceWhole, kConvergenceHun,
                                    GridConvergence(q), settings.angleUnit);
  const double variance = MagneticVariance(DateStampFrom(Now()), q) * kDegToRad;
  magneticVariance = ShowSignedAngle(*this, kVarianceSign, kVarianceWhole, kVarianceHun, variance,
                                     settings.angleUnit);
}

void MainForm::RefreshBase() {
  FillWaypointList(*this, kWaypointList, waypoints);
  settings.baseWaypoint = RecordIndex(settings.baseWaypoint);
  ListSelect(kWaypointList, settings.baseWaypoint);
  ShowBase(waypoints[settings.baseWaypoint].point);
}

void MainForm::OnPressed(int id) {
  if (id == kEdit) {
    settings.editWaypoint = settings.baseWaypoint;
    RunCommand(kCommandWaypoints);
  }
}

void MainForm::OnSelectionChanged(int id) {
  if (id != kWaypointList) return;
  const int selection = ListSelection(kWaypointList);
  if (selection < 0 || selection >= kWaypointCapacity) return;
  settings.baseWaypoint = selection;
  ShowBase(waypoints[selection].point);
}

void MainForm::OnTextChanged(int id) {
  if (id != kLonDeg) return;
  if (ReadFieldNumber(Text(kLonDeg).toStdString()) >= 180) {
    ShowMessage(QString::fromUtf8(messages::kRange0To179));
    SetText(kLonDeg, QString());
  }
}

void MainForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  Form::keyPressEvent(event);
}

}  // namespace trelvan
