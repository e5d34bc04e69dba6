#include "exchange/CsvWriter.h"

#include <string>

#include "exchange/FormulaGuard.h"
#include "exchange/GridText.h"
#include "exchange/ImportRules.h"
#include "exchange/WaypointName.h"
#include "geodesy/Angles.h"
#include "geodesy/Utm.h"
#include "text/Numbers.h"

namespace trelvan::exchange {

namespace {

constexpr int kDegreeDecimals = 9;
constexpr int kMetreDecimals = 3;

void AppendField(std::string& out, const QString& text) {
  const std::string bytes = text.toStdString();
  if (bytes.find_first_of(",\"\r\n") == std::string::npos && text.trimmed() == text) {
    out += bytes;
    return;
  }
  out += '"';
  for (char c : bytes) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

QByteArray WriteCsv(const WaypointTable& table, ExportReport& report) {
  std::string out = kCsvHeader;
  out += "\r\n";
  const int count = CountInUse(table);
  for (int i = 0; i < count; ++i) {
    const Waypoint& w = table[i];
    GeoPoint p = w.point;
    // A datum index beyond the table computes on its fall-back row: that
    // row is the datum the stored numbers are on.
    p.datum = DatumRowIndex(p.datum);
    const double lat = p.lat * kRadToDeg;
    const double lon = p.lon * kRadToDeg;
    const QString name = NameText(w);
    char bytes[kNameField];
    const NameFault fault = NameProblem(name, bytes);
    const char* problem = fault != NameFault::kNone ? NameFaultText(fault)
                                                    : PositionProblem(lat, lon, p.height);
    if (problem) {
      report.skipped.append(ExportSkip{i, name, QString::fromUtf8(problem)});
      continue;
    }
    AppendField(out, GuardFormula(name));
    out += ',';
    out += FormatFixed(lat, kDegreeDecimals).view();
    out += ',';
    out += FormatFixed(lon, kDegreeDecimals).view();
    out += ',';
    out += FormatFixed(p.height, kMetreDecimals).view();
    out += ',';
    AppendField(out, QString::fromUtf8(DatumName(p.datum)));
    out += ',';
    if (!AppendGridPosition(out, p, ',')) out += ",,,";
    out += "\r\n";
    ++report.written;
  }
  return QByteArray::fromStdString(out);
}

}  // namespace trelvan::exchange
