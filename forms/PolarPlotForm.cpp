#include "forms/PolarPlotForm.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "forms/Messages.h"
#include "forms/PositionDisplay.h"
#include "forms/WaypointList.h"
#include "measures/AngleEntry.h"

namespace trelvan {

namespace {

constexpr GeographicFields kPositionFields{
    PolarPlotForm::kLatHemisphere, PolarPlotForm::kLatDeg,  PolarPlotForm::kLatMin,
    PolarPlotForm::kLatSec,        PolarPlotForm::kLatHun,  PolarPlotForm::kLonHemisphere,
    PolarPlotForm::kLonDeg,        PolarPlotForm::kLonMin,  PolarPlotForm::kLonSec,
    PolarPlotForm::kLonHun,        PolarPlotForm::kAltSign, PolarPlotForm::kAlt};

constexpr PolarEntryFields kMeasurementFields{
    PolarPlotForm::kReference,         PolarPlotForm::kAzimuthWhole,
    PolarPlotForm::kAzimuthHundredths, PolarPlotForm::kElevationSign,
    PolarPlotForm::kElevationWhole,    PolarPlotForm::kElevationHundredths,
    PolarPlotForm::kRangeWhole,        PolarPlotForm::kRangeHundredths};

}  // namespace

PolarPlotForm::PolarPlotForm(Services& services, Workspace& workspace, const Look& look,
                             QWidget* parent)
    : TaskForm(services, workspace, QString::fromUtf8(look.title), parent),
      task_(look.task),
      altitudeLabel_(look.altitudeLabel),
      angleLabel_(look.angleLabel),
      distanceLabel_(look.distanceLabel) {
  using K = ControlKind;
  const int upper = AddGroup(QString::fromUtf8(look.upperGroup));
  AddControls({
      {kWaypointList, K::kList, "", upper, 0, 0, 1, 6},
  });
  AddControls(GeographicRows(upper, kPositionFields, look.altitudeLabel, K::kEdit));
  const int lower = AddGroup(QStringLiteral("Target Polar Coor."));
  AddControls({
      {look.angleLabel, K::kLabel, "mils", lower, 0, 2},
      {0, K::kCaption, "%", lower, 0, 3},
      {0, K::kCaption, "Azimuth", lower, 1, 0},
      {kReference, K::kButton, "TRUE", lower, 1, 1},
      {kAzimuthWhole, K::kDigits, "0", lower, 1, 2},
      {kAzimuthHundredths, K::kDigits, "00", lower, 1, 3},
      {0, K::kCaption, "Elevation", lower, 2, 0},
      {kElevationSign, K::kButton, "+", lower, 2, 1},
      {kElevationWhole, K::kDigits, "0", lower, 2, 2},
      {kElevationHundredths, K::kDigits, "00", lower, 2, 3},
      {look.distanceLabel, K::kLabel, "m", lower, 3, 2},
      {0, K::kCaption, "%", lower, 3, 3},
      {0, K::kCaption, look.rangeRow, lower, 4, 0, 1, 2},
      {kRangeWhole, K::kDigits, "0", lower, 4, 2},
      {kRangeHundredths, K::kDigits, "00", lower, 4, 3},
  });
  const int commands = AddGroup(QString());
  AddControls({
      {kOk, K::kDefaultButton, "OK", commands, 0, 0},
      {kCancel, K::kButton, "Cancel", commands, 0, 1},
  });
  for (int id : {kLatDeg, kLatMin, kLatSec, kLatHun, kLonDeg, kLonMin, kLonSec, kLonHun, kAlt}) {
    SetReadOnly(id, true);
  }
  // Every field as wide as the digits it shows or usually takes (longer
  // entries scroll); the columns stay together on the left.
  const QString digits = QStringLiteral("00000000");
  const auto fit = [this, &digits](std::initializer_list<int> ids, int count) {
    for (int id : ids) FitWidth(id, digits.left(count));
  };
  fit({kLatMin, kLatSec, kLatHun, kLonMin, kLonSec, kLonHun}, 2);
  fit({kLatDeg, kLonDeg, kAzimuthHundredths, kElevationHundredths, kRangeHundredths}, 3);
  fit({kAzimuthWhole, kElevationWhole}, 4);
  fit({kAlt}, 5);
  fit({kRangeWhole}, 8);
  for (int id : {kLatHemisphere, kLonHemisphere, kAltSign, kElevationSign}) {
    FitWidth(id, QStringLiteral("W"));
  }
  FitWidth(kReference, kReferenceCaptions);
  GroupGrid(upper)->setColumnStretch(6, 1);
  GroupGrid(lower)->setColumnStretch(4, 1);
  FormLayout()->addStretch(1);
}

void PolarPlotForm::OnOpen() {
  const WaypointTable& table = workspace_.Waypoints();
  FillWaypointList(*this, kWaypointList, table);
  // An index beyond the run selects nothing; the record it names (one of
  // the 50) is still shown, as the main form shows its base.
  const int listed = RecordIndex(ListedWaypoint());
  ListSelect(kWaypointList, listed);
  ShowPosition(kPositionFields, table[static_cast<std::size_t>(listed)].point);
  ResetEntries({kAzimuthWhole, kElevationWhole, kRangeWhole},
               {kAzimuthHundredths, kElevationHundredths, kRangeHundredths});
  ShowUnitLabels(altitudeLabel_, angleLabel_, distanceLabel_);
}

void PolarPlotForm::OnPressed(int id) {
  switch (id) {
    case kOk:
      Compute();
      break;
    case kCancel:
      End(0);
      break;
    case kElevationSign:
      ToggleSign(kElevationSign);
      break;
    case kReference:
      CycleReference(kReference);
      break;
    default:
      break;  // the hemisphere and altitude sign buttons only display
  }
}

void PolarPlotForm::OnSelectionChanged(int id) {
  if (id != kWaypointList) return;
  const int record = SelectedRecord(kWaypointList);
  if (record < 0) return;
  ListWaypoint(record);
  ShowPosition(kPositionFields, workspace_.Waypoints()[static_cast<std::size_t>(record)].point);
}

void PolarPlotForm::OnTextChanged(int id) {
  if (id == kAzimuthWhole) CheckAzimuthField(id);
  if (id == kElevationWhole) CheckElevationField(id);
}

void PolarPlotForm::Compute() {
  // Without a chosen waypoint there is nothing to measure from: no record
  // outside the ones listed is ever read.
  const int record = SelectedRecord(kWaypointList);
  if (record < 0) {
    ShowMessage(QString::fromUtf8(messages::kNoWaypoint));
    return;
  }
  GeoPoint known{};
  if (!PositionOf(record, known)) return;
  const QString knownName = ListText(kWaypointList, record);
  PolarVector measured{};
  const Declinations at = DeclinationsAt(known);
  if (!ReadPolarAt(kMeasurementFields, at, measured)) return;
  const GeoPoint found = Solve(measured, known);
  // Forward 3D measures from the waypoint it knows, Back Polar Plot to it.
  const bool fromKnown = task_ == Task::kForward3D;
  workspace_.SetLastResult(TaskResult{.task = task_,
                                      .station = fromKnown ? known : found,
                                      .target = fromKnown ? found : known,
                                      .polar = measured,
                                      .reference = ReferenceShown(kMeasurementFields.reference),
                                      .declinations = at});
  if (!StoreResult(found)) return;
  // The remembered name, or entry 0 when the Waypoints form renamed or
  // deleted it; record 0 still when it left no waypoint at all.
  const int entry = RefillAndSelect(kWaypointList, knownName);
  ShowPosition(kPositionFields,
               workspace_.Waypoints()[static_cast<std::size_t>(entry >= 0 ? entry : 0)].point);
}

}  // namespace trelvan
