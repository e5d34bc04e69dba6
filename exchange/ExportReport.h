#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace trelvan::exchange {

// A waypoint an export left out, and why.
struct ExportSkip {
  int index;  // record index in the table
  QString name;
  QString reason;
};

// The waypoints an export could not write; the file holds all the others.
struct ExportReport {
  int written = 0;
  QList<ExportSkip> skipped;

  // `waypoint 3 "A": skipped: ...`, one line per waypoint left out (names
  // shown with PrintableName).
  QStringList Lines() const;
};

}  // namespace trelvan::exchange
