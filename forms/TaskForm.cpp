#include "forms/TaskForm.h"

#include <cmath>
#include <limits>

#include "forms/MagneticVariance.h"
#include "forms/MainForm.h"
#include "forms/Messages.h"
#include "forms/WaypointList.h"
#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "geodesy/DatumShift.h"
#include "geodesy/GridDomain.h"
#include "magnetic/Igrf14.h"
#include "measures/AngleEntry.h"
#include "measures/FieldNumber.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"

namespace trelvan {

namespace {

std::string_view Caption(const QByteArray& text) {
  return std::string_view(text.constData(), static_cast<std::size_t>(text.size()));
}

QString CaptionText(std::string_view caption) {
  return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

}  // namespace

TaskForm::TaskForm(MainForm& main, const QString& title, QWidget* parent)
    : Form(main.services(), title, parent), main_(main) {}

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
  const std::int32_t unit = main_.settings.angleUnit;
  if (!AzimuthWholeRejected(ReadFieldNumber(Text(id).toStdString()), unit)) return;
  ShowMessage(QString::fromUtf8(IsMils(unit) ? messages::kRange0To6399 : messages::kRange0To359));
  SetText(id, QString());
}

void TaskForm::CheckElevationField(int id) {
  const std::int32_t unit = main_.settings.angleUnit;
  if (!ElevationWholeRejected(ReadFieldNumber(Text(id).toStdString()), unit)) return;
  ShowMessage(QString::fromUtf8(IsMils(unit) ? messages::kRange0To1599 : messages::kRange0To89));
  SetText(id, QString());
}

void TaskForm::ShowUnitLabels(int altitudeLabel, int angleLabel, int distanceLabel) {
  const std::int32_t distance = main_.settings.distanceUnit;
  if (altitudeLabel != 0) {
    if (const char* label = AltitudeLabel(distance))
      SetText(altitudeLabel, QString::fromUtf8(label));
  }
  if (angleLabel != 0) {
    SetText(angleLabel, QString::fromUtf8(AngleUnitLabel(main_.settings.angleUnit)));
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
  const GeoPoint q = ConvertDatum(static_cast<std::uint16_t>(main_.settings.datumIndex), p);
  ShowGeographic(*this, fields, q, main_.settings.distanceUnit);
}

void TaskForm::SetDeclinationsAt(const GeoPoint& p) {
  main_.magneticVariance = MagneticVarianceAt(Now(), p) * kDegToRad;
  UtmPoint grid{};
  main_.gridConvergence = ToGrid(p, grid) == GridStatus::kOnGrid
                              ? UtmConvergence(grid)
                              : std::numeric_limits<double>::quiet_NaN();
}

bool TaskForm::GridNorthDefined(int referenceId) {
  if (Text(referenceId) != CaptionText(kGridNorth) || std::isfinite(main_.gridConvergence)) {
    return true;
  }
  ShowMessage(QString::fromUtf8(messages::kGridNorthUndefined));
  return false;
}

bool TaskForm::ReadPolarAt(const PolarEntryFields& f, const GeoPoint& at, PolarVector& v) {
  double azimuth = ReadEntry(f.azimuthWhole, f.azimuthHundredths);
  double elevation = ReadSignedEntry(f.elevationWhole, f.elevationHundredths, f.elevationSign);
  const double range =
      ReadEntry(f.rangeWhole, f.rangeHundredths) * DistanceEntryFactor(main_.settings.distanceUnit);
  SetDeclinationsAt(at);
  if (!GridNorthDefined(f.reference)) return false;
  const double toRadians = AngleUnitToRadians(main_.settings.angleUnit);
  azimuth = azimuth * toRadians;
  elevation = elevation * toRadians;
  const QByteArray reference = Text(f.reference).toUtf8();
  azimuth = ReferToTrue(Caption(reference), azimuth, main_.magneticVariance, main_.gridConvergence);
  v = PolarVector{range, azimuth, elevation};
  return true;
}

bool TaskForm::PositionOf(int record, GeoPoint& p) {
  p = main_.waypoints[static_cast<std::size_t>(record)].point;
  if (HoldsPosition(p)) return true;
  ShowMessage(QString::fromUtf8(messages::kNoValidPosition));
  return false;
}

int TaskForm::SelectedRecord(int id) const {
  const int selection = ListSelection(id);
  return selection >= 0 && selection < CountInUse(main_.waypoints) ? selection : -1;
}

bool TaskForm::StoreResult(const GeoPoint& p) {
  WaypointTable& table = main_.waypoints;
  const int slot = FirstFree(table);
  if (slot < 0) {
    ShowMessage(QString::fromUtf8(messages::kTableFull));
    return false;
  }
  Waypoint& record = table[static_cast<std::size_t>(slot)];
  record.used = 1;
  record.point = p;
  main_.settings.editWaypoint = slot;
  // The record is flagged before its name is chosen and still holds its old
  // name, so an old "WP #" name left in the free record is not reused.
  char name[kNameField];
  MakeFreeName(table, slot, name);
  SetName(record, name);
  // On disk before the Waypoints form shows it.
  main_.SaveChanges();
  main_.EditWaypoints(*this);
  return true;
}

int TaskForm::RefillAndSelect(int id, const QString& name) {
  FillWaypointList(*this, id, main_.waypoints);
  const int entry = FindListEntry(*this, id, name);
  ListSelect(id, entry >= 0 ? entry : 0);
  return ListSelection(id);
}

}  // namespace trelvan
