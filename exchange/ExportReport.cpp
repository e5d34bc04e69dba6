#include "exchange/ExportReport.h"

#include "exchange/WaypointName.h"

namespace trelvan::exchange {

QStringList ExportReport::Lines() const {
  QStringList lines;
  for (const ExportSkip& skip : skipped) {
    lines.append(QStringLiteral("waypoint %1 \"%2\": skipped: %3")
                     .arg(skip.index)
                     .arg(PrintableName(skip.name), skip.reason));
  }
  return lines;
}

}  // namespace trelvan::exchange
