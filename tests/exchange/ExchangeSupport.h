#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <ostream>
#include <string>

#include "geodesy/Angles.h"
#include "store/WaypointTable.h"

// Helpers shared by the exchange and tool tests.

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }
QT_END_NAMESPACE

namespace trelvan::exchange::test {

// A fixture file of tests/exchange/data.
inline QByteArray Fixture(const char* name) {
  QFile file(QString::fromUtf8(TRELVAN_EXCHANGE_DATA) + u'/' + QString::fromUtf8(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline std::string FixturePath(const char* name) {
  return std::string(TRELVAN_EXCHANGE_DATA) + "/" + name;
}

// A table without waypoints.
inline WaypointTable EmptyTable() {
  WaypointTable table{};
  return table;
}

// Appends a waypoint at `lat`, `lon` degrees and `height` metres on `datum`.
inline void AddWaypoint(WaypointTable& table, const char* name, double lat, double lon,
                        double height, std::uint16_t datum) {
  Waypoint& w = table[CountInUse(table)];
  w = Waypoint{};
  w.used = 1;
  SetName(w, name);
  w.point.lat = lat * kDegToRad;
  w.point.lon = lon * kDegToRad;
  w.point.height = height;
  w.point.datum = datum;
}

}  // namespace trelvan::exchange::test
