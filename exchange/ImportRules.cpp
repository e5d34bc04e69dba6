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

int ImportReport::Count(Outcome outcome) const {
  int n = 0;
  for (const ImportEntry& entry : entries) n += entry.outcome == outcome ? 1 : 0;
  return n;
}

bool ImportReport::Complete() const { return failure.isEmpty() && Count(Outcome::kSkipped) == 0; }

bool ImportReport::Changed() const {
  return failure.isEmpty() && Count(Outcome::kSkipped) < entries.size();
}

QStringList ImportReport::Lines() const {
  QStringList lines;
  for (const ImportEntry& entry : entries) {
    QString line = QStringLiteral("%1: %2 \"%3\"")
                       .arg(entry.where, QString::fromUtf8(OutcomeWord(entry.outcome)), entry.name);
    if (!entry.reason.isEmpty()) line += QStringLiteral(": ") + entry.reason;
    lines.append(line);
  }
  return lines;
}

QString ImportReport::Summary() const {
  if (!failure.isEmpty()) return failure;
  return QStringLiteral("%1 imported, %2 replaced, %3 skipped.")
      .arg(Count(Outcome::kImported))
      .arg(Count(Outcome::kReplaced))
      .arg(Count(Outcome::kSkipped));
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

void TableMerger::Skip(const QString& where, const QString& name, const QString& reason) {
  report_.entries.append(ImportEntry{where, name, Outcome::kSkipped, reason});
}

void TableMerger::Add(const QString& where, const QString& name, const GeoPoint& point) {
  char bytes[kNameField];
  if (const char* problem = NameProblem(name, bytes)) {
    Skip(where, name, QString::fromUtf8(problem));
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
  report_.entries.append(
      ImportEntry{where, name.isEmpty() ? QString::fromLatin1(bytes) : name, outcome, QString()});
}

}  // namespace trelvan::exchange
