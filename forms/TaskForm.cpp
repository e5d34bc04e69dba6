#include "forms/TaskForm.h"

#include <cmath>

#include "forms/Messages.h"
#include "forms/WaypointList.h"
#include "forms/WaypointsForm.h"
#include "geodesy/DatumShift.h"
#include "measures/AngleEntry.h"
#include "measures/FieldNumber.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"
#include "workspace/Declinations.h"

namespace trelvan {

namespace {

std::string_view Caption(const QByteArray& text) {
  return std::string_view(text.constData(), static_cast<std::size_t>(text.size()));
}

QString CaptionText(std::string_view caption) {
  return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

}  // namespace

TaskForm::TaskForm(Services& services, Workspace& workspace, const QString& title, QWidget* parent)
    : Form(services, title, parent), workspace_(workspace) {}

double TaskForm::ReadEntry(int wholeId, int hundredthsId) const {
  return EntryValue(ReadFieldNumber(Text(wholeId).toStdString()),
                    ReadFieldNumber(Text(hundredthsId).toStdString()));
}

double TaskForm::ReadSignedEntry(int wholeId, int hundredthsId, int signId) const {
  double value = ReadEntry(wholeId, hundredthsId);
  if (Text(signId) == CaptionText(kMinus)) value = value * -1.0;
  return value;
}

void TaskForm::ResetEntries(std::initializer_list<int> wholeIds,
                            std::initializer_list<int> hundredthIds) {
  for (int id : wholeIds) SetText(id, QStringLiteral("0"));
  for (int id : hundredthIds) SetText(id, QStringLiteral("00"));
}

void TaskForm::ToggleSign(int buttonId) {
  const QByteArray caption = Text(buttonId).toUtf8();
  SetText(buttonId, CaptionText(ToggledSign(Caption(caption))));
}

void TaskForm::CycleReference(int buttonId) {
  const QByteArray caption = Text(buttonId).toUtf8();
  SetText(buttonId, CaptionText(NextReference(Caption(caption))));
}

void TaskForm::CheckAzimuthField(int id) {
  const std::int32_t unit = Settings().angleUnit;
  if (!AzimuthWholeRejected(ReadFieldNumber(Text(id).toStdString()), unit)) return;
  ShowMessage(QString::fromUtf8(IsMils(unit) ? messages::kRange0To6399 : messages::kRange0To359));
  SetText(id, QString());
}

void TaskForm::CheckElevationField(int id) {
  const std::int32_t unit = Settings().angleUnit;
  if (!ElevationWholeRejected(ReadFieldNumber(Text(id).toStdString()), unit)) return;
  ShowMessage(QString::fromUtf8(IsMils(unit) ? messages::kRange0To1599 : messages::kRange0To89));
  SetText(id, QString());
}

void TaskForm::ShowUnitLabels(int altitudeLabel, int angleLabel, int distanceLabel) {
  const std::int32_t distance = Settings().distanceUnit;
  if (altitudeLabel != 0) {
    if (const char* label = AltitudeLabel(distance))
      SetText(altitudeLabel, QString::fromUtf8(label));
  }
  if (angleLabel != 0) {
    SetText(angleLabel, QString::fromUtf8(AngleUnitLabel(Settings().angleUnit)));
  }
  if (distanceLabel != 0) {
    if (const char* label = DistanceLabel(distance))
      SetText(distanceLabel, QString::fromUtf8(label));
  }
}

void TaskForm::ShowPosition(const GeographicFields& fields, const GeoPoint& p) {
  if (!HoldsPosition(p)) {
    ClearGeographic(*this, fields);
    return;
  }
  const GeoPoint q = ConvertDatum(static_cast<std::uint16_t>(Settings().datumIndex), p);
  ShowGeographic(*this, fields, q, Settings().distanceUnit);
}

Declinations TaskForm::DeclinationsAt(const GeoPoint& p) const {
  return trelvan::DeclinationsAt(Now(), p);
}

bool TaskForm::GridNorthDefined(int referenceId, const Declinations& at) {
  if (Text(referenceId) != CaptionText(kGridNorth) || std::isfinite(at.gridConvergence)) {
    return true;
  }
  ShowMessage(QString::fromUtf8(messages::kGridNorthUndefined));
  return false;
}

bool TaskForm::ReadPolarAt(const PolarEntryFields& f, const Declinations& at, PolarVector& v) {
  double azimuth = ReadEntry(f.azimuthWhole, f.azimuthHundredths);
  double elevation = ReadSignedEntry(f.elevationWhole, f.elevationHundredths, f.elevationSign);
  const double range =
      ReadEntry(f.rangeWhole, f.rangeHundredths) * DistanceEntryFactor(Settings().distanceUnit);
  if (!GridNorthDefined(f.reference, at)) return false;
  const double toRadians = AngleUnitToRadians(Settings().angleUnit);
  azimuth = azimuth * toRadians;
  elevation = elevation * toRadians;
  azimuth = ReferToTrue(ReferenceShown(f.reference), azimuth, at.magneticVariance,
                        at.gridConvergence);
  v = PolarVector{range, azimuth, elevation};
  return true;
}

std::string_view TaskForm::ReferenceShown(int id) const {
  const QByteArray caption = Text(id).toUtf8();
  return ReferenceOf(Caption(caption));
}

bool TaskForm::PositionOf(int record, GeoPoint& p) {
  p = workspace_.Waypoints()[static_cast<std::size_t>(record)].point;
  if (HoldsPosition(p)) return true;
  ShowMessage(QString::fromUtf8(messages::kNoValidPosition));
  return false;
}

int TaskForm::SelectedRecord(int id) const {
  const int selection = ListSelection(id);
  return selection >= 0 && selection < CountInUse(workspace_.Waypoints()) ? selection : -1;
}

bool TaskForm::StoreResult(const GeoPoint& p) {
  // The workspace saves the new waypoint before the Waypoints form shows it.
  if (!workspace_.StoreResult(p)) {
    ShowMessage(QString::fromUtf8(messages::kTableFull));
    return false;
  }
  WaypointsForm form(services(), workspace_, this);
  RunModal(form);
  return true;
}

int TaskForm::RefillAndSelect(int id, const QString& name) {
  FillWaypointList(*this, id, workspace_.Waypoints());
  const int entry = FindListEntry(*this, id, name);
  ListSelect(id, entry >= 0 ? entry : 0);
  return ListSelection(id);
}

}  // namespace trelvan
