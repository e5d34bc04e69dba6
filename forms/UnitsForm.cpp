#include "forms/UnitsForm.h"

#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <iterator>

#include "geodesy/Datum.h"
#include "measures/Units.h"

namespace trelvan {

namespace {

// A radio button and the unit code it stands for.
struct UnitRadio {
  int id;
  std::int32_t code;
};

constexpr UnitRadio kAngleRadios[] = {
    {UnitsForm::kDegreesRadio, AngleUnit::kDegrees},
    {UnitsForm::kMilsRadio, AngleUnit::kMils},
};

// In the order the distance codes run, which is also the order on the form.
constexpr UnitRadio kDistanceRadios[] = {
    {UnitsForm::kMetersRadio, DistanceUnit::kMeters},
    {UnitsForm::kKilometersRadio, DistanceUnit::kKilometers},
    {UnitsForm::kFeetRadio, DistanceUnit::kFeet},
    {UnitsForm::kNauticalMilesRadio, DistanceUnit::kNauticalMiles},
    {UnitsForm::kStatuteMilesRadio, DistanceUnit::kStatuteMiles},
    {UnitsForm::kYardsRadio, DistanceUnit::kYards},
};
static_assert(std::size(kDistanceRadios) == kDistanceUnitCount);

// Characters of the longest name in the datum table.
int LongestDatumName() {
  std::size_t longest = 0;
  for (std::uint16_t i = 0; i < kDatumCount; ++i)
    longest = std::max(longest, std::strlen(DatumName(i)));
  return static_cast<int>(longest);
}

// The radio button of `code`, or 0 (no button) for a code without one.
template <std::size_t N>
int RadioOf(const UnitRadio (&radios)[N], std::int32_t code) {
  for (const UnitRadio& radio : radios) {
    if (radio.code == code) return radio.id;
  }
  return 0;
}

// The code of radio button `id` into `code`; false when `id` is none of them.
template <std::size_t N>
bool CodeOf(const UnitRadio (&radios)[N], int id, std::int32_t& code) {
  for (const UnitRadio& radio : radios) {
    if (radio.id == id) {
      code = radio.code;
      return true;
    }
  }
  return false;
}

}  // namespace

UnitsForm::UnitsForm(Services& services, Workspace& workspace, QWidget* parent)
    : Form(services, QStringLiteral("Units"), parent), workspace_(workspace) {
  using K = ControlKind;
  const int angle = AddGroup(QStringLiteral("Angle Unit"));
  AddControls({
      {kDegreesRadio, K::kRadio, kDegreesCaption, angle, 0, 0},
      {kMilsRadio, K::kRadio, kMilsCaption, angle, 0, 1},
  });
  const int distance = AddGroup(QStringLiteral("Distance Unit"));
  for (int i = 0; i < kDistanceUnitCount; ++i) {
    AddControls(
        {{kDistanceRadios[i].id, K::kRadio, kDistanceUnits[i].caption, distance, i / 2, i % 2}});
  }
  const int datum = AddGroup(QStringLiteral("Map Datum"));
  AddControls({{kDatumList, K::kList, "", datum, 0, 0}});
  // Wide enough for the longest datum name.
  FitListWidth(kDatumList, LongestDatumName());
  // Stretched to the size of the main window, the buttons keep to the bottom.
  FormLayout()->addStretch(1);
  const int buttons = AddGroup(QString());
  AddControls({
      {kOk, K::kDefaultButton, "OK", buttons, 0, 0},
      {kCancel, K::kButton, "Cancel", buttons, 0, 1},
  });
}

void UnitsForm::OnOpen() {
  const AppSettings& settings = workspace_.Settings();
  pendingAngleUnit_ = settings.angleUnit;
  pendingDistanceUnit_ = settings.distanceUnit;
  // A code without a button (an angle unit of 7, say) leaves every button
  // of its group unchecked, and "OK" keeps the code as it is.
  CheckRadio(kDegreesRadio, kMilsRadio, RadioOf(kAngleRadios, pendingAngleUnit_));
  CheckRadio(kMetersRadio, kYardsRadio, RadioOf(kDistanceRadios, pendingDistanceUnit_));
  ListClear(kDatumList);
  for (std::uint16_t i = 0; i < kDatumCount; ++i) {
    ListAppend(kDatumList, QString::fromLatin1(DatumName(i)));
  }
  // A datum index from the settings file outside the table opens on datum 0,
  // so that "OK" always stores a datum that exists.
  const std::int32_t datumIndex = settings.datumIndex;
  ListSelect(kDatumList, datumIndex >= 0 && datumIndex < kDatumCount ? datumIndex : 0);
}

void UnitsForm::OnPressed(int id) {
  if (CodeOf(kAngleRadios, id, pendingAngleUnit_)) return;
  if (CodeOf(kDistanceRadios, id, pendingDistanceUnit_)) return;
  if (id == kOk) {
    Commit();
    End(Accepted);
  } else if (id == kCancel) {
    End(Rejected);
  }
}

void UnitsForm::Commit() {
  const int datum = ListSelection(kDatumList);
  workspace_.SetUnits(pendingAngleUnit_, pendingDistanceUnit_,
                      datum >= 0 ? datum : workspace_.Settings().datumIndex);
}

}  // namespace trelvan
