#include "forms/WaypointsForm.h"

#include <QGridLayout>
#include <QShortcut>
#include <QVBoxLayout>
#include <limits>
#include <string_view>

#include "exchange/WaypointName.h"
#include "forms/Messages.h"
#include "forms/PositionDisplay.h"
#include "forms/WaypointList.h"
#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "geodesy/GridDomain.h"
#include "geodesy/Mgrs.h"
#include "measures/DmsEntry.h"
#include "measures/FieldNumber.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"

namespace trelvan {

namespace {

using W = WaypointsForm;

constexpr GeographicFields kGeographic{
    W::kLatHemisphere, W::kLatDeg, W::kLatMin, W::kLatSec, W::kLatHun, W::kLonHemisphere,
    W::kLonDeg,        W::kLonMin, W::kLonSec, W::kLonHun, W::kAltSign, W::kAlt};

constexpr GridFields kGrid{W::kEasting,        W::kEastingDm, W::kNorthing, W::kNorthingDm,
                           W::kGridHemisphere, W::kZone,      W::kBand};

// The fields typed in each input mode; the altitude and its sign belong to
// both.
constexpr int kLatLonGroup[] = {W::kLatDeg, W::kLatMin, W::kLatSec, W::kLatHun,
                                W::kLonDeg, W::kLonMin, W::kLonSec, W::kLonHun};
constexpr int kUtmGroup[] = {W::kEasting, W::kEastingDm, W::kNorthing, W::kNorthingDm, W::kZone};

// A check on what the user types in a field: a value at or above
// `firstRefused` is refused with `message` and the field gets `resetText`.
struct FieldCheck {
  int id;
  std::int32_t firstRefused;
  const char* message;
  const char* resetText;
};

constexpr FieldCheck kFieldChecks[] = {
    {W::kLatDeg, 90, messages::kRange0To89, ""},
    {W::kLonDeg, 180, messages::kRange0To179, ""},
    {W::kLatMin, 60, messages::kRange0To59, ""},
    {W::kLatSec, 60, messages::kRange0To59, ""},
    {W::kLonMin, 60, messages::kRange0To59, ""},
    {W::kLonSec, 60, messages::kRange0To59, ""},
    {W::kZone, 61, messages::kRange1To60, ""},
    {W::kEasting, 999999, messages::kLessThan999999, "0500000"},
};

}  // namespace

WaypointsForm::WaypointsForm(Services& services, Workspace& workspace, QWidget* parent)
    : Form(services, QStringLiteral("Waypoints"), parent), workspace_(workspace) {
  using K = ControlKind;
  const int frame = AddGroup(QStringLiteral("Waypoints"));
  AddControls({
      {kWaypointList, K::kEditableList, "", frame, 0, 0, 1, 7, kMaxNameLength},
      {kConvert, K::kButton, "Convert", frame, 0, 7},
  });
  AddControls(GeographicRows(frame, kGeographic, kAltUnit, K::kDigits));
  AddControls(GridRows(frame, kGrid, K::kDigits));
  AddControls({
      {0, K::kCaption, "MGRS", frame, 9, 0},
      {kMgrs, K::kEdit, "", frame, 9, 1, 1, 6},
  });
  const int mode = AddGroup(QStringLiteral("Input Mode"));
  AddControls({
      {kLatLonMode, K::kRadio, "Lat/Lon", mode, 0, 0},
      {kUtmMode, K::kRadio, "UTM", mode, 0, 1},
  });
  const int commands = AddGroup(QString());
  AddControls({
      {kSave, K::kButton, "Save", commands, 0, 0},
      {kDeleteOne, K::kButton, "Delete WP", commands, 0, 1},
      {kDeleteAll, K::kButton, "Delete ALL", commands, 0, 2},
  });
  SetReadOnly(kBand, true);
  SetReadOnly(kMgrs, true);
  // Every field as wide as the digits it shows; the columns stay together on
  // the left and the selector shows a whole name.
  const QString digits = QStringLiteral("0000000");
  const auto fit = [this, &digits](std::initializer_list<int> ids, int count) {
    for (int id : ids) FitWidth(id, digits.left(count));
  };
  fit({kEastingDm, kNorthingDm}, 1);
  fit({kLatMin, kLatSec, kLatHun, kLonMin, kLonSec, kLonHun, kZone}, 2);
  fit({kLatDeg, kLonDeg}, 3);
  fit({kAlt}, 5);
  fit({kEasting, kNorthing}, 7);
  FitWidth(kMgrs, QStringLiteral("60X WW 00000 00000"));
  for (int id : {kBand, kLatHemisphere, kLonHemisphere, kAltSign, kGridHemisphere}) {
    FitWidth(id, QStringLiteral("W"));
  }
  // Enter in the name field saves under the name just typed. The shortcut
  // takes the key before the selector would look the name up and show that
  // waypoint's stored position over the one typed. It sits on the selector,
  // which holds the focus for its name field.
  auto* saveOnEnter = new QShortcut(Control(kWaypointList));
  saveOnEnter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  saveOnEnter->setContext(Qt::WidgetShortcut);
  connect(saveOnEnter, &QShortcut::activated, this, [this] { Press(kSave); });
  GroupGrid(frame)->setColumnStretch(6, 1);
  FormLayout()->addStretch(1);
}

void WaypointsForm::OnOpen() {
  const WaypointTable& table = workspace_.Waypoints();
  FillWaypointList(*this, kWaypointList, table);
  // An edit index beyond the run selects nothing; the record it names (one
  // of the 50) is still shown, as the main form shows its base.
  const int edit = RecordIndex(Settings().editWaypoint);
  ListSelect(kWaypointList, edit);
  ShowWaypoint(table[edit].point);
  // Any mode other than UTM opens, reads and reacts as Lat/Lon, so that the
  // fields the user can type are always the ones that are read; the
  // settings take that mode too.
  const std::int32_t mode = Settings().inputMode == kModeUtm ? kModeUtm : kModeLatLon;
  if (mode != Settings().inputMode) workspace_.SetInputMode(mode);
  ShowInputMode(mode);
  if (const char* label = AltitudeLabel(Settings().distanceUnit)) {
    SetText(kAltUnit, QString::fromUtf8(label));
  }
}

void WaypointsForm::ShowWaypoint(const GeoPoint& p) {
  if (!HoldsPosition(p)) {
    ShowNoPosition();
    return;
  }
  const GeoPoint q = ConvertDatum(static_cast<std::uint16_t>(Settings().datumIndex), p);
  ShowGeographic(*this, kGeographic, q, Settings().distanceUnit);
  ShowGrid(*this, kGrid, q);
  SetText(kMgrs, QString::fromLatin1(MgrsOf(q).text));
}

double WaypointsForm::Field(int id) const { return ReadFieldNumber(Text(id).toStdString()); }

void WaypointsForm::ShowNoPosition() {
  ClearGeographic(*this, kGeographic);
  ClearGrid(*this, kGrid);
  SetText(kMgrs, QString());
}

double WaypointsForm::TypedHeight() const {
  const double height = Field(kAlt) * AltitudeEntryFactor(Settings().distanceUnit);
  return Text(kAltSign) == QStringLiteral("-") ? -height : height;
}

GeoPoint WaypointsForm::ReadPosition() const {
  if (Settings().inputMode == kModeLatLon) {
    const auto angle = [this](int deg, int min, int sec, int hun) {
      return DmsRadians(Field(deg), Field(min), Field(sec), Field(hun));
    };
    GeoPoint p{};
    p.datum = static_cast<std::uint16_t>(Settings().datumIndex);
    p.lat = angle(kLatDeg, kLatMin, kLatSec, kLatHun);
    if (Text(kLatHemisphere) == QStringLiteral("S")) p.lat = -p.lat;
    p.lon = angle(kLonDeg, kLonMin, kLonSec, kLonHun);
    if (Text(kLonHemisphere) == QStringLiteral("W")) p.lon = -p.lon;
    p.height = TypedHeight();
    return p;
  }
  GeoPoint p{};
  p.lat = std::numeric_limits<double>::quiet_NaN();
  p.lon = p.lat;
  FromGrid(TypedGrid(), BandRule::kHemisphere, p);
  return p;
}

UtmPoint WaypointsForm::TypedGrid() const {
  UtmPoint grid{};
  grid.easting = Field(kEasting) + Field(kEastingDm) * 0.1;
  grid.northing = Field(kNorthing) + Field(kNorthingDm) * 0.1;
  grid.zone = static_cast<std::uint16_t>(ReadFieldNumber(Text(kZone).toStdString()));
  // The band letter only tells the hemisphere.
  grid.band = Text(kGridHemisphere) == QStringLiteral("N") ? 'T' : 'C';
  grid.height = TypedHeight();
  grid.datum = static_cast<std::uint16_t>(Settings().datumIndex);
  grid.form = kUtmForm;
  return grid;
}

void WaypointsForm::ShowInputMode(std::int32_t mode) {
  CheckRadio(kLatLonMode, kUtmMode, mode == kModeUtm ? kUtmMode : kLatLonMode);
  for (int id : kLatLonGroup) SetReadOnly(id, mode == kModeUtm);
  for (int id : kUtmGroup) SetReadOnly(id, mode != kModeUtm);
}

bool WaypointsForm::GridRefused() {
  if (Settings().inputMode != kModeUtm) return false;
  GeoPoint unused{};
  const GridStatus status = FromGrid(TypedGrid(), BandRule::kHemisphere, unused);
  if (status == GridStatus::kOnGrid) return false;
  // A single "0" may begin "05" as it is typed, so zone 0 is refused only
  // here, where it would be read, with the zone field's own message.
  ShowMessage(QString::fromUtf8(
      status == GridStatus::kNoZone ? messages::kRange1To60 : messages::kGridPositionOutsideZone));
  return true;
}

void WaypointsForm::Toggle(int id, const char* first, const char* second) {
  SetText(id, QString::fromUtf8(Text(id) == QLatin1String(first) ? second : first));
}

void WaypointsForm::OnPressed(int id) {
  const bool latLon = Settings().inputMode == kModeLatLon;
  switch (id) {
    case kLatLonMode:
    case kUtmMode: {
      const std::int32_t mode = id == kUtmMode ? kModeUtm : kModeLatLon;
      workspace_.SetInputMode(mode);
      ShowInputMode(mode);
      break;
    }
    case kLatHemisphere:
      if (latLon) Toggle(id, "N", "S");
      break;
    case kLonHemisphere:
      if (latLon) Toggle(id, "E", "W");
      break;
    case kGridHemisphere:
      if (Settings().inputMode == kModeUtm) Toggle(id, "N", "S");
      break;
    case kAltSign:
      Toggle(id, "+", "-");
      break;
    case kSave:
      if (!GridRefused()) Save();
      break;
    case kConvert:
      if (!GridRefused()) ShowWaypoint(ReadPosition());
      break;
    case kDeleteOne:
      DeleteOne();
      break;
    case kDeleteAll:
      DeleteEverything();
      break;
    default:
      break;
  }
}

void WaypointsForm::OnSelectionChanged(int id) {
  if (id != kWaypointList) return;
  const int selection = ListSelection(kWaypointList);
  const WaypointTable& table = workspace_.Waypoints();
  if (selection < 0 || selection >= CountInUse(table)) return;
  ShowWaypoint(table[selection].point);
}

void WaypointsForm::OnTextChanged(int id) {
  for (const FieldCheck& check : kFieldChecks) {
    if (check.id != id) continue;
    const QString text = Text(id);
    // "00" is no zone at once; a single "0" may be the start of "05", so
    // zone 0 is refused only when a grid position is read (GridRefused).
    const bool refused = ReadFieldNumber(text.toStdString()) >= check.firstRefused ||
                         (id == kZone && text == QStringLiteral("00"));
    if (refused) {
      ShowMessage(QString::fromUtf8(check.message));
      SetText(id, QString::fromUtf8(check.resetText));
    }
    return;
  }
}

void WaypointsForm::Save() {
  // The record is made on a copy of the table and then stored whole.
  WaypointTable table = workspace_.Waypoints();
  const QString text = Text(kWaypointList);
  char name[kNameField];
  // A stored name is found whatever it holds; only a name that is to be
  // stored keeps to the rules of names.
  int target = exchange::EncodeName(text, name) == exchange::NameFault::kNone
                   ? FindByName(table, std::string_view(name))
                   : -1;
  if (const exchange::NameFault fault = target < 0 ? exchange::NameProblem(text, name)
                                                   : exchange::NameFault::kNone;
      fault != exchange::NameFault::kNone) {
    ShowMessage(NameFaultMessage(fault));
    return;
  }
  // The name of another waypoint than the one shown replaces its position
  // only when the user says so; the shown one under its own name is the
  // ordinary edit.
  if (target >= 0 && target != ListSelection(kWaypointList) &&
      !Ask(QString::fromUtf8(messages::kReplaceWaypoint).arg(exchange::PrintableName(text)))) {
    return;
  }
  const int n = CountInUse(table);
  if (target < 0) {
    if (n == kWaypointCapacity) {
      ShowMessage(QString::fromUtf8(messages::kTableFull));
      return;
    }
    target = n;
    table[target].used = 1;
    // The record joins the run first, so a name still left in its old bytes
    // counts as taken.
    if (text.isEmpty()) MakeFreeName(table, n, name);
    SetName(table[target], std::string_view(name));
    ListAppend(kWaypointList, exchange::NameText(table[target]));
  }
  ListSelect(kWaypointList, target);
  const GeoPoint p = ReadPosition();
  GeoPoint& stored = table[target].point;
  if (Settings().inputMode == kModeLatLon) {
    // Only the position and its datum are written; the record's spare bytes
    // keep what they held.
    stored.datum = p.datum;
    stored.lat = p.lat;
    stored.lon = p.lon;
    stored.height = p.height;
  } else {
    stored = p;
  }
  workspace_.StoreWaypoint(target, table[target]);
  ShowWaypoint(stored);
}

void WaypointsForm::DeleteOne() {
  const QString text = Text(kWaypointList);
  char name[kNameField];
  if (exchange::EncodeName(text, name) != exchange::NameFault::kNone) return;
  const int index = FindByName(workspace_.Waypoints(), std::string_view(name));
  if (index < 0) return;
  if (!Ask(QString::fromUtf8(messages::kDeleteWaypoint).arg(exchange::PrintableName(text)))) {
    return;
  }
  workspace_.DeleteWaypoint(index);
  ListRemove(kWaypointList, index);
  // The form moves on to the waypoint that now holds the deleted one's
  // place (the last one when the deleted one was last), so that the
  // deletion shows and a Save cannot write the deleted position back under
  // its old name; an empty table leaves empty fields.
  const WaypointTable& table = workspace_.Waypoints();
  const int count = CountInUse(table);
  const int shown = index < count ? index : count - 1;
  ListSelect(kWaypointList, shown);
  if (shown >= 0) {
    SetText(kWaypointList, ListText(kWaypointList, shown));
    ShowWaypoint(table[shown].point);
  } else {
    SetText(kWaypointList, QString());
    ShowNoPosition();
  }
}

void WaypointsForm::DeleteEverything() {
  // A whole day's waypoints go at one click: the user confirms first, and
  // No (the default) changes nothing.
  const int count = CountInUse(workspace_.Waypoints());
  if (count > 0 && !Ask(QString::fromUtf8(messages::kDeleteAllWaypoints).arg(count))) {
    return;
  }
  workspace_.DeleteAllWaypoints();
  ListClear(kWaypointList);
}

}  // namespace trelvan
