#include "forms/WaypointTableModel.h"

#include <QFont>

#include "exchange/WaypointName.h"
#include "forms/Messages.h"
#include "forms/PositionDisplay.h"
#include "forms/WaypointList.h"
#include "geodesy/Datum.h"
#include "geodesy/DatumShift.h"
#include "geodesy/Mgrs.h"
#include "geometry/Polar.h"
#include "measures/DisplaySplit.h"
#include "measures/Units.h"

namespace trelvan {

namespace {

using M = WaypointTableModel;

// An angle's field texts on one line: N 051°30'15.50".
QString DmsLine(const DmsTexts& t) {
  return QStringLiteral("%1 %2\u00B0%3'%4.%5\"").arg(t.hemisphere, t.deg, t.min, t.sec, t.hun);
}

QString HundredthsLine(const HundredthParts& parts) {
  return QString::asprintf("%d.%02d", parts.whole, parts.hun);
}

// A unit label of the settings, or "m" where a code outside the table shows
// metres.
QString UnitLabel(const char* label) {
  return QString::fromUtf8(label ? label : kDistanceUnits[kMeters].label);
}

bool IsNumberColumn(int column) {
  return column == M::kNumber || column == M::kAltitude || column == M::kEasting ||
         column == M::kNorthing || column == M::kDistance || column == M::kAzimuth;
}

}  // namespace

WaypointTableModel::WaypointTableModel(Workspace& workspace, QObject* parent)
    : QAbstractTableModel(parent), workspace_(workspace), rows_(BuildRows()) {
  connect(&workspace_, &Workspace::Changed, this, &WaypointTableModel::Follow);
}

int WaypointTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int WaypointTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant WaypointTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_.size()) return {};
  const Row& row = rows_[index.row()];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return row.texts[column];
    case Qt::EditRole:
      return column == kName ? row.name : row.texts[column];
    case kSortRole:
      return row.keys[column];
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignVCenter |
                                 (IsNumberColumn(column) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::FontRole:
      if (index.row() == RecordIndex(workspace_.Settings().baseWaypoint)) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      break;
    default:
      break;
  }
  return {};
}

QVariant WaypointTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (role == Qt::ToolTipRole && (section == kDistance || section == kAzimuth)) {
    return QStringLiteral("From the base waypoint; azimuths clockwise from true north");
  }
  if (role != Qt::DisplayRole) return {};
  // The captions of the columns with a unit name it.
  static constexpr const char* kCaptions[kColumnCount] = {
      "#",       "Name",     "Latitude", "Longitude", "Alt (%1)",      "Zone",
      "Easting", "Northing", "MGRS",     "Datum",     "Distance (%1)", "Azimuth (%1)"};
  const QString caption = QString::fromUtf8(kCaptions[section]);
  const AppSettings& settings = workspace_.Settings();
  switch (section) {
    case kAltitude:
      return caption.arg(UnitLabel(AltitudeLabel(settings.distanceUnit)));
    case kDistance:
      return caption.arg(UnitLabel(DistanceLabel(settings.distanceUnit)));
    case kAzimuth:
      return caption.arg(QString::fromUtf8(AngleUnitLabel(settings.angleUnit)));
    default:
      return caption;
  }
}

Qt::ItemFlags WaypointTableModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  return index.column() == kName ? flags | Qt::ItemIsEditable : flags;
}

bool WaypointTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != kName || index.row() >= rows_.size()) return false;
  const QString name = value.toString();
  // An edit closed without a change must not meet the rules: an old file's
  // name may break them.
  if (name == rows_[index.row()].name) return true;
  const RenameOutcome outcome = workspace_.RenameWaypoint(index.row(), name);
  switch (outcome.status) {
    case RenameOutcome::kRenamed:
      return true;
    case RenameOutcome::kNoWaypoint:
      return false;
    case RenameOutcome::kEmptyName:
      emit Refused(QString::fromUtf8(messages::kNameEmpty));
      return false;
    case RenameOutcome::kBadName:
      emit Refused(NameFaultMessage(outcome.fault));
      return false;
    case RenameOutcome::kNameTaken:
      emit Refused(QString::fromUtf8(messages::kNameTaken).arg(exchange::PrintableName(name)));
      return false;
  }
  return false;
}

void WaypointTableModel::Follow(Workspace::Parts parts) {
  if (!(parts & (Workspace::kTable | Workspace::kUnits | Workspace::kBase))) return;
  QList<Row> rows = BuildRows();
  if (rows.size() != rows_.size()) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  } else {
    rows_ = std::move(rows);
    if (!rows_.isEmpty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
  }
  if (parts & Workspace::kUnits) emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

QList<WaypointTableModel::Row> WaypointTableModel::BuildRows() const {
  const WaypointTable& table = workspace_.Waypoints();
  const AppSettings& settings = workspace_.Settings();
  const int count = CountInUse(table);
  const int base = RecordIndex(settings.baseWaypoint);
  const GeoPoint& from = table[static_cast<std::size_t>(base)].point;
  const bool hasBase = base < count && HoldsPosition(from);

  QList<Row> rows(count);
  for (int i = 0; i < count; ++i) {
    const Waypoint& record = table[static_cast<std::size_t>(i)];
    Row& row = rows[i];
    auto& texts = row.texts;
    auto& keys = row.keys;
    row.name = exchange::NameText(record);
    texts[kNumber] = QString::number(i);
    keys[kNumber] = i;
    texts[kName] = exchange::PrintableName(row.name);
    keys[kName] = texts[kName];
    texts[kDatum] = QString::fromLatin1(DatumName(record.point.datum));
    keys[kDatum] = texts[kDatum];
    if (!HoldsPosition(record.point)) continue;

    const GeoPoint q = ConvertDatum(static_cast<std::uint16_t>(settings.datumIndex), record.point);
    const GeographicTexts geographic = GeographicTextsOf(q, settings.distanceUnit);
    texts[kLatitude] = DmsLine(geographic.lat);
    keys[kLatitude] = q.lat;
    texts[kLongitude] = DmsLine(geographic.lon);
    keys[kLongitude] = q.lon;
    texts[kAltitude] = geographic.altSign + geographic.alt;
    keys[kAltitude] = q.height;
    if (GridTexts grid; GridTextsOf(q, grid)) {
      const UtmPoint& u = grid.position;
      texts[kZone] = grid.zone + grid.band;
      keys[kZone] = u.zone * 256 + static_cast<unsigned char>(u.band);
      texts[kEasting] = grid.easting + u'.' + grid.eastingDm;
      keys[kEasting] = u.easting;
      texts[kNorthing] = grid.northing + u'.' + grid.northingDm;
      keys[kNorthing] = u.northing;
      texts[kMgrs] = QString::fromLatin1(MgrsOf(q).text);
      // Zones 1 to 9 take one digit: a leading zero sorts them before 10.
      keys[kMgrs] = (u.zone < 10 ? QStringLiteral("0") : QString()) + texts[kMgrs];
    }
    if (hasBase) {
      const PolarVector v = InversePolar(from, record.point);
      texts[kDistance] =
          HundredthsLine(SplitHundredths32(v.range * DistanceDisplayFactor(settings.distanceUnit)));
      keys[kDistance] = v.range;
      texts[kAzimuth] =
          HundredthsLine(SplitHundredths(v.azimuth * RadiansToAngleUnit(settings.angleUnit)));
      keys[kAzimuth] = v.azimuth;
    }
  }
  return rows;
}

QString TabSeparatedRows(const QAbstractItemModel& model, const QList<int>& rows) {
  const int columns = model.columnCount();
  QStringList cells;
  const auto endLine = [&cells](QString& text) {
    text += cells.join(u'\t') + u'\n';
    cells.clear();
  };
  QString text;
  for (int c = 0; c < columns; ++c) cells << model.headerData(c, Qt::Horizontal).toString();
  endLine(text);
  for (int r : rows) {
    for (int c = 0; c < columns; ++c) cells << model.index(r, c).data().toString();
    endLine(text);
  }
  return text;
}

}  // namespace trelvan
