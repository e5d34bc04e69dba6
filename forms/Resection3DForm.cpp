#include "forms/Resection3DForm.h"

#include <QVBoxLayout>
#include <cmath>

#include "forms/Messages.h"
#include "forms/PositionDisplay.h"
#include "forms/WaypointList.h"
#include "geometry/Linear3.h"
#include "geometry/Resection.h"
#include "measures/Units.h"

namespace trelvan {

Resection3DForm::Resection3DForm(Services& services, Workspace& workspace, QWidget* parent)
    : TaskForm(services, workspace, QStringLiteral("Resection 3D"), parent) {
  using K = ControlKind;
  const int group = AddGroup(QStringLiteral("Resection"));
  AddControls({
      {0, K::kCaption, "Wp#1:", group, 0, 0},
      {kWaypoint1List, K::kList, "", group, 0, 1, 1, 3},
      {0, K::kCaption, "Wp#2:", group, 1, 0},
      {kWaypoint2List, K::kList, "", group, 1, 1, 1, 3},
      {kDistanceUnit, K::kLabel, "m", group, 2, 2},
      {0, K::kCaption, "%", group, 2, 3},
      {0, K::kCaption, "Range to Wp#1", group, 3, 0, 1, 2},
      {kRange1Whole, K::kDigits, "0", group, 3, 2},
      {kRange1Hundredths, K::kDigits, "00", group, 3, 3},
      {0, K::kCaption, "Range to Wp#2", group, 4, 0, 1, 2},
      {kRange2Whole, K::kDigits, "0", group, 4, 2},
      {kRange2Hundredths, K::kDigits, "00", group, 4, 3},
      {kAngleUnit, K::kLabel, "mils", group, 5, 2},
      {0, K::kCaption, "%", group, 5, 3},
      {0, K::kCaption, "Elevation to Wp#1", group, 6, 0},
      {kElevation1Sign, K::kButton, "+", group, 6, 1},
      {kElevation1Whole, K::kDigits, "0", group, 6, 2},
      {kElevation1Hundredths, K::kDigits, "00", group, 6, 3},
      {0, K::kCaption, "Elevation to Wp#2", group, 7, 0},
      {kElevation2Sign, K::kButton, "+", group, 7, 1},
      {kElevation2Whole, K::kDigits, "0", group, 7, 2},
      {kElevation2Hundredths, K::kDigits, "00", group, 7, 3},
      {0, K::kCaption, "Clockwise Angle(1 to 2)", group, 8, 0, 1, 2},
      {kAngleWhole, K::kDigits, "0", group, 8, 2},
      {kAngleHundredths, K::kDigits, "00", group, 8, 3},
  });
  const int commands = AddGroup(QString());
  AddControls({
      {kOk, K::kDefaultButton, "OK", commands, 0, 0},
      {kCancel, K::kButton, "Cancel", commands, 0, 1},
  });
  // Fields as wide as the digits they usually take (a hundredths field may
  // take more than two); the columns stay together on the left.
  for (int id : {kRange1Whole, kRange2Whole}) FitWidth(id, QStringLiteral("000000000"));
  for (int id : {kElevation1Whole, kElevation2Whole, kAngleWhole}) {
    FitWidth(id, QStringLiteral("0000"));
  }
  for (int id : {kRange1Hundredths, kRange2Hundredths, kElevation1Hundredths, kElevation2Hundredths,
                 kAngleHundredths}) {
    FitWidth(id, QStringLiteral("000"));
  }
  for (int id : {kElevation1Sign, kElevation2Sign}) FitWidth(id, QStringLiteral("+"));
  GroupGrid(group)->setColumnStretch(4, 1);
  FormLayout()->addStretch(1);
}

void Resection3DForm::OnOpen() {
  for (int list : {kWaypoint1List, kWaypoint2List}) {
    FillWaypointList(*this, list, workspace_.Waypoints());
    ListSelect(list, Settings().editWaypoint);
  }
  ResetEntries({kRange1Whole, kRange2Whole, kElevation1Whole, kElevation2Whole, kAngleWhole},
               {kRange1Hundredths, kRange2Hundredths, kElevation1Hundredths, kElevation2Hundredths,
                kAngleHundredths});
  ShowUnitLabels(0, kAngleUnit, kDistanceUnit);
}

void Resection3DForm::OnPressed(int id) {
  switch (id) {
    case kOk:
      Compute();
      break;
    case kCancel:
      End(0);
      break;
    case kElevation1Sign:
    case kElevation2Sign:
      ToggleSign(id);
      break;
    default:
      break;
  }
}

void Resection3DForm::OnTextChanged(int id) {
  switch (id) {
    case kElevation1Whole:
    case kElevation2Whole:
      CheckElevationField(id);
      break;
    case kAngleWhole:
      // The angle between the waypoints takes the limits of an azimuth.
      CheckAzimuthField(id);
      break;
    default:
      break;  // ranges and hundredths are never checked
  }
}

void Resection3DForm::Compute() {
  if (ListSelection(kWaypoint1List) == ListSelection(kWaypoint2List)) {
    ShowMessage(QString::fromUtf8(messages::kTwoDifferentWaypoints));
    return;
  }
  // One list without a choice: no record is read for it, and the focus goes
  // to the list the user still has to choose in.
  const int record1 = SelectedRecord(kWaypoint1List);
  const int record2 = SelectedRecord(kWaypoint2List);
  if (record1 < 0 || record2 < 0) {
    ShowMessage(QString::fromUtf8(record1 < 0 ? messages::kChooseWaypoint1
                                              : messages::kChooseWaypoint2));
    Control(record1 < 0 ? kWaypoint1List : kWaypoint2List)->setFocus();
    return;
  }
  GeoPoint w1{};
  GeoPoint w2{};
  if (!PositionOf(record1, w1) || !PositionOf(record2, w2)) return;

  double range1 = ReadEntry(kRange1Whole, kRange1Hundredths);
  double range2 = ReadEntry(kRange2Whole, kRange2Hundredths);
  double elevation1 = ReadSignedEntry(kElevation1Whole, kElevation1Hundredths, kElevation1Sign);
  double elevation2 = ReadSignedEntry(kElevation2Whole, kElevation2Hundredths, kElevation2Sign);
  double angle = ReadEntry(kAngleWhole, kAngleHundredths);
  if (angle == 0) {
    ShowMessage(QString::fromUtf8(messages::kAngleCannotBeZero));
    return;
  }
  const double toRadians = AngleUnitToRadians(Settings().angleUnit);
  elevation1 = elevation1 * toRadians;
  elevation2 = elevation2 * toRadians;
  angle = angle * toRadians;
  const double toMetres = DistanceEntryFactor(Settings().distanceUnit);
  range1 = range1 * toMetres;
  range2 = range2 * toMetres;

  GeoPoint station{};
  if (SolveResection(angle, PolarVector{range1, 0, elevation1}, PolarVector{range2, 0, elevation2},
                     w1, w2, station) != SolveStatus::kSolved) {
    ShowMessage(QString::fromUtf8(messages::kCheckInputValues));
    return;
  }
  // The solver places a station for any two ranges; one that misses them is
  // not stored.
  if (CheckResection(station, PolarVector{range1, 0, elevation1},
                     PolarVector{range2, 0, elevation2}, w1, w2) != SolveStatus::kSolved) {
    ShowMessage(QString::fromUtf8(messages::kNoPositionFits));
    return;
  }
  workspace_.SetLastResult(TaskResult{
      .task = Task::kResection3D,
      .station = station,
      .waypoints = {w1, w2},
      .horizontalRanges = {range1 * std::cos(elevation1), range2 * std::cos(elevation2)}});
  const QString name1 = ListText(kWaypoint1List, record1);
  const QString name2 = ListText(kWaypoint2List, record2);
  // A full table stores nothing; StoreResult says so.
  if (!StoreResult(station)) return;
  RefillAndSelect(kWaypoint1List, name1);
  RefillAndSelect(kWaypoint2List, name2);
}

}  // namespace trelvan
