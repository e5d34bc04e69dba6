#include "forms/Inverse3DForm.h"

#include <QVBoxLayout>

#include "forms/PolarResultForm.h"
#include "forms/PositionDisplay.h"
#include "forms/WaypointList.h"
#include "geometry/Polar.h"

namespace trelvan {

const Inverse3DForm::Group Inverse3DForm::kBase{
    kBaseList,
    {kBaseLatHemisphere, kBaseLatDeg, kBaseLatMin, kBaseLatSec, kBaseLatHun, kBaseLonHemisphere,
     kBaseLonDeg, kBaseLonMin, kBaseLonSec, kBaseLonHun, kBaseAltSign, kBaseAlt},
    kBaseAltUnit};

const Inverse3DForm::Group Inverse3DForm::kTarget{
    kTargetList,
    {kTargetLatHemisphere, kTargetLatDeg, kTargetLatMin, kTargetLatSec, kTargetLatHun,
     kTargetLonHemisphere, kTargetLonDeg, kTargetLonMin, kTargetLonSec, kTargetLonHun,
     kTargetAltSign, kTargetAlt},
    kTargetAltUnit};

Inverse3DForm::Inverse3DForm(Services& services, Workspace& workspace, QWidget* parent)
    : TaskForm(services, workspace, QStringLiteral("Inverse 3D"), parent) {
  AddPositionGroup(QStringLiteral("Base Coor. _________ Inverse 3D"), kBase);
  AddPositionGroup(QStringLiteral("Target Coor."), kTarget);
  const int commands = AddGroup(QString());
  AddControls({
      {kOk, ControlKind::kDefaultButton, "OK", commands, 0, 0},
      {kCancel, ControlKind::kButton, "Cancel", commands, 0, 1},
  });
  FormLayout()->addStretch(1);
}

void Inverse3DForm::AddPositionGroup(const QString& caption, const Group& g) {
  using K = ControlKind;
  const GeographicFields& f = g.fields;
  const int group = AddGroup(caption);
  AddControls({
      {g.list, K::kList, "", group, 0, 0, 1, 6},
  });
  AddControls(GeographicRows(group, f, g.altitudeLabel, K::kEdit));
  for (int id :
       {f.latDeg, f.latMin, f.latSec, f.latHun, f.lonDeg, f.lonMin, f.lonSec, f.lonHun, f.alt}) {
    SetReadOnly(id, true);
  }
  // Every field as wide as its digits; the columns stay together on the left.
  for (int id : {f.latDeg, f.lonDeg}) FitWidth(id, QStringLiteral("000"));
  for (int id : {f.latMin, f.latSec, f.latHun, f.lonMin, f.lonSec, f.lonHun}) {
    FitWidth(id, QStringLiteral("00"));
  }
  FitWidth(f.alt, QStringLiteral("00000"));
  for (int id : {f.latHemisphere, f.lonHemisphere, f.altSign}) FitWidth(id, QStringLiteral("W"));
  GroupGrid(group)->setColumnStretch(6, 1);
}

void Inverse3DForm::OnOpen() {
  FillWaypointList(*this, kBaseList, workspace_.Waypoints());
  FillWaypointList(*this, kTargetList, workspace_.Waypoints());
  ListSelect(kBaseList, Settings().baseWaypoint);
  ListSelect(kTargetList, Settings().editWaypoint);
  ShowChosen(kBase);
  ShowChosen(kTarget);
  ShowUnitLabels(kBaseAltUnit, 0, 0);
  ShowUnitLabels(kTargetAltUnit, 0, 0);
}

void Inverse3DForm::OnDestroy() {
  // A base list without a choice (an empty table) leaves the base as it was.
  const int base = SelectedRecord(kBaseList);
  if (base >= 0) workspace_.SetBase(base);
}

void Inverse3DForm::OnPressed(int id) {
  switch (id) {
    case kOk:
      Measure();
      break;
    case kCancel:
      End(0);
      break;
    default:
      break;  // the hemisphere and altitude sign buttons only display
  }
}

void Inverse3DForm::OnSelectionChanged(int id) {
  if (id == kBaseList) ShowChosen(kBase);
  if (id == kTargetList) ShowChosen(kTarget);
}

void Inverse3DForm::ShowChosen(const Group& group) {
  const int record = SelectedRecord(group.list);
  if (record >= 0) {
    ShowPosition(group.fields, workspace_.Waypoints()[static_cast<std::size_t>(record)].point);
  }
}

void Inverse3DForm::Measure() {
  // Until both waypoints are chosen there is nothing to measure, and no
  // record outside the ones listed is ever read.
  const int baseRecord = SelectedRecord(kBaseList);
  const int targetRecord = SelectedRecord(kTargetList);
  if (baseRecord < 0 || targetRecord < 0) return;
  GeoPoint base{};
  GeoPoint target{};
  if (!PositionOf(baseRecord, base) || !PositionOf(targetRecord, target)) return;
  TaskResult result{.task = Task::kInverse3D, .station = base, .target = target};
  // The back azimuth is measured in the target's own frame, not derived
  // from the forward azimuth by adding half a turn.
  result.backAzimuth = InversePolar(target, base).azimuth;
  result.polar = InversePolar(base, target);
  result.declinations = DeclinationsAt(base);
  workspace_.SetLastResult(result);
  PolarResultForm form(services(), workspace_, result, this);
  RunModal(form);
}

}  // namespace trelvan
