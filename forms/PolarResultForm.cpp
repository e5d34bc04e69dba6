#include "forms/PolarResultForm.h"

#include <QVBoxLayout>
#include <string_view>

#include "measures/AngleEntry.h"
#include "measures/DisplaySplit.h"
#include "measures/Units.h"

namespace trelvan {

PolarResultForm::PolarResultForm(Services& services, Workspace& workspace, const TaskResult& result,
                                 QWidget* parent)
    : TaskForm(services, workspace, QStringLiteral("Polar"), parent), result_(result) {
  using K = ControlKind;
  const int polar = AddGroup(QStringLiteral("Target Polar Coor."));
  AddControls({
      {kAngleUnit, K::kLabel, "mils", polar, 0, 2},
      {0, K::kCaption, "%", polar, 0, 3},
      {0, K::kCaption, "Azimuth", polar, 1, 0},
      {kReference, K::kButton, "TRUE", polar, 1, 1},
      {kAzimuthWhole, K::kEdit, "", polar, 1, 2},
      {kAzimuthHundredths, K::kEdit, "", polar, 1, 3},
      {0, K::kCaption, "Back Azimuth", polar, 2, 0, 1, 2},
      {kBackAzimuthWhole, K::kEdit, "", polar, 2, 2},
      {kBackAzimuthHundredths, K::kEdit, "", polar, 2, 3},
      {0, K::kCaption, "Elevation", polar, 3, 0},
      {kElevationSign, K::kButton, "+", polar, 3, 1},
      {kElevationWhole, K::kEdit, "", polar, 3, 2},
      {kElevationHundredths, K::kEdit, "", polar, 3, 3},
      {kDistanceUnit, K::kLabel, "m", polar, 4, 2},
      {0, K::kCaption, "%", polar, 4, 3},
      {0, K::kCaption, "Range", polar, 5, 0},
      {kRangeWhole, K::kEdit, "", polar, 5, 2},
      {kRangeHundredths, K::kEdit, "", polar, 5, 3},
  });
  const int commands = AddGroup(QString());
  AddControls({{kBack, K::kButton, "Back", commands, 0, 0}});
  for (int id : {kAzimuthWhole, kAzimuthHundredths, kBackAzimuthWhole, kBackAzimuthHundredths,
                 kElevationWhole, kElevationHundredths, kRangeWhole, kRangeHundredths}) {
    SetReadOnly(id, true);
  }
  // Every field as wide as its digits; the columns stay together on the left.
  for (int id : {kAzimuthWhole, kBackAzimuthWhole, kElevationWhole}) {
    FitWidth(id, QStringLiteral("0000"));
  }
  for (int id :
       {kAzimuthHundredths, kBackAzimuthHundredths, kElevationHundredths, kRangeHundredths}) {
    FitWidth(id, QStringLiteral("00"));
  }
  FitWidth(kRangeWhole, QStringLiteral("00000000"));
  FitWidth(kReference, kReferenceCaptions);
  FitWidth(kElevationSign, QStringLiteral("+"));
  GroupGrid(polar)->setColumnStretch(4, 1);
  FormLayout()->addStretch(1);
}

void PolarResultForm::OnOpen() {
  ShowUnitLabels(0, kAngleUnit, kDistanceUnit);
  double elevation = result_.polar.elevation;
  if (elevation < 0) {
    SetText(kElevationSign, QStringLiteral("-"));
    elevation = -elevation;
  } else {
    SetText(kElevationSign, QStringLiteral("+"));
  }
  ShowAzimuths();
  ShowAngle(kElevationWhole, kElevationHundredths, elevation);
  const double range = result_.polar.range * DistanceDisplayFactor(Settings().distanceUnit);
  const HundredthParts parts = SplitHundredths32(range);
  SetText(kRangeWhole, QString::asprintf("%08ld", static_cast<long>(parts.whole)));
  SetText(kRangeHundredths, QString::asprintf("%02d", parts.hun));
}

void PolarResultForm::OnPressed(int id) {
  switch (id) {
    case kReference:
      CycleReference(kReference);
      ShowAzimuths();
      result_.reference = ReferenceShown(kReference);
      workspace_.SetLastResult(result_);
      break;
    case kBack:
      End(0);
      break;
    default:
      break;  // the elevation sign button only displays
  }
}

void PolarResultForm::ShowAzimuths() {
  if (!GridNorthDefined(kReference, result_.declinations)) {
    for (int id : {kAzimuthWhole, kAzimuthHundredths, kBackAzimuthWhole, kBackAzimuthHundredths}) {
      SetText(id, QString());
    }
    return;
  }
  const std::string_view reference = ReferenceShown(kReference);
  const Declinations& at = result_.declinations;
  ShowAngle(
      kAzimuthWhole, kAzimuthHundredths,
      ReferFromTrue(reference, result_.polar.azimuth, at.magneticVariance, at.gridConvergence));
  ShowAngle(kBackAzimuthWhole, kBackAzimuthHundredths,
            ReferFromTrue(reference, result_.backAzimuth, at.magneticVariance, at.gridConvergence));
}

void PolarResultForm::ShowAngle(int wholeId, int hundredthsId, double radians) {
  const HundredthParts parts = SplitHundredths(radians * RadiansToAngleUnit(Settings().angleUnit));
  SetText(wholeId, QString::asprintf("%04d", parts.whole));
  SetText(hundredthsId, QString::asprintf("%02d", parts.hun));
}

}  // namespace trelvan
