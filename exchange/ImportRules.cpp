#include "exchange/ImportRules.h"

#include <cmath>
#include <string_view>

#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"

namespace trelvan::exchange {

namespace {

constexpr const char* kReasonTableFull = "the table is full (50 waypoints)";
constexpr const char* kReasonNameTaken = "the name is already in the table";
constexpr const char* kReasonNoPosition =
    "the position cannot be stored on its datum (beyond the valid ranges there or on WGS-84)";
constexpr std::uint16_t kWgs84 = 0;

const char* OutcomeWord(Outcome outcome) {
  switch (outcome) {
    case Outcome::kImported:
      return "imported";
    case Outcome::kReplaced:
      return "replaced";
    case Outcome::kSkipped:
      break;
  }
  return "skipped";
}

}  // namespace

void ImportReport::Record(const ImportEntry& entry) {
  const int i = static_cast<int>(entry.outcome);
  rows_[i] += entry.rows;
  if (listed_[i] == kListedRows) return;
  ++listed_[i];
  listedRows_[i] += entry.rows;
  entries_.append(entry);
}

qint64 ImportReport::Count(Outcome outcome) const { return rows_[static_cast<int>(outcome)]; }

bool ImportReport::Complete() const { return failure.isEmpty() && Count(Outcome::kSkipped) == 0; }

bool ImportReport::Changed() const {
  return failure.isEmpty() && Count(Outcome::kImported) + Count(Outcome::kReplaced) > 0;
}

QStringList ImportReport::Lines() const {
  QStringList lines;
  for (const ImportEntry& entry : entries_) {
    QString line =
        entry.where + QStringLiteral(": ") + QString::fromUtf8(OutcomeWord(entry.outcome));
    if (!entry.name.isEmpty()) line += QStringLiteral(" \"%1\"").arg(PrintableName(entry.name));
    if (!entry.reason.isEmpty()) line += QStringLiteral(": ") + entry.reason;
    lines.append(line);
  }
  for (const Outcome outcome : {Outcome::kReplaced, Outcome::kSkipped}) {
    const qint64 more = Count(outcome) - listedRows_[static_cast<int>(outcome)];
    if (more > 0) {
      lines.append(QStringLiteral("\u2026 and %1 more %2 rows")
                       .arg(more)
                       .arg(QString::fromUtf8(OutcomeWord(outcome))));
    }
  }
  return lines;
}

QString ImportReport::Summary() const {
  if (!failure.isEmpty()) return failure;
  QString summary = QStringLiteral("%1 imported, %2 replaced, %3 skipped.")
                        .arg(Count(Outcome::kImported))
                        .arg(Count(Outcome::kReplaced))
                        .arg(Count(Outcome::kSkipped));
  if (!ignoredColumns.isEmpty()) {
    QStringList shown;
    for (const QString& column : ignoredColumns) shown.append(PrintableName(column));
    summary += QStringLiteral("\nignored columns: ") + shown.join(QStringLiteral(", "));
  }
  return summary;
}

const char* HeightProblem(double height) {
  if (!(std::isfinite(height) && std::fabs(height) <= kMaxHeight)) {
    return "the height is beyond 100 km";
  }
  return nullptr;
}

const char* PositionProblem(double latitude, double longitude, double height) {
  if (!(std::fabs(latitude) <= 90.0)) return "the latitude is beyond 90 degrees";
  if (!(std::fabs(longitude) <= 180.0)) return "the longitude is beyond 180 degrees";
  return HeightProblem(height);
}

TableMerger::TableMerger(WaypointTable& table, const ImportOptions& options, ImportReport& report)
    : table_(table), options_(options), report_(report) {}

void TableMerger::Skip(const QString& where, const QString& name, const QString& reason,
                       int rows) {
  report_.Record(ImportEntry{where, name, Outcome::kSkipped, reason, rows});
}

void TableMerger::Add(const QString& where, const QString& name, const GeoPoint& point,
                      const QString& note) {
  char bytes[kNameField];
  if (const NameFault fault = NameProblem(name, bytes); fault != NameFault::kNone) {
    Skip(where, name, QString::fromUtf8(NameFaultText(fault)));
    return;
  }
  // The readers check the ranges of what they read. What is stored must
  // also be in range on WGS-84, or no GPX export could carry it: within a
  // few metres of a pole the datum shift's one-step height formula fails.
  const GeoPoint wgs = ConvertDatum(kWgs84, point);
  if (PositionProblem(point.lat * kRadToDeg, point.lon * kRadToDeg, point.height) ||
      PositionProblem(wgs.lat * kRadToDeg, wgs.lon * kRadToDeg, wgs.height)) {
    Skip(where, name, QString::fromUtf8(kReasonNoPosition));
    return;
  }
  const int count = CountInUse(table_);
  int target = name.isEmpty() ? -1 : FindByName(table_, std::string_view(bytes));
  Outcome outcome = Outcome::kReplaced;
  if (target >= 0 && !options_.replace) {
    Skip(where, name, QString::fromUtf8(kReasonNameTaken));
    return;
  }
  if (target < 0) {
    if (count == kWaypointCapacity) {
      Skip(where, name, QString::fromUtf8(kReasonTableFull));
      return;
    }
    target = count;
    outcome = Outcome::kImported;
    // A free record may hold old bytes; the new waypoint starts clean.
    table_[target] = Waypoint{};
    table_[target].used = 1;
    if (name.isEmpty()) MakeFreeName(table_, count, bytes);
    SetName(table_[target], std::string_view(bytes));
  }
  table_[target].point = point;
  report_.Record(
      ImportEntry{where, name.isEmpty() ? QString::fromLatin1(bytes) : name, outcome, note});
}

}  // namespace trelvan::exchange
