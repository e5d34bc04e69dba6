#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/ExportReport.h"
#include "exchange/ImportRules.h"
#include "store/WaypointTable.h"

// The doors between the waypoint table and the files it travels in, for
// the program's menu and trelvan-waypoints alike.

namespace trelvan::exchange {

enum class ExchangeFormat { kGpx, kCsv };

// The format the suffix of `path` names: ".gpx" or ".csv", in any case;
// empty for any other name.
std::optional<ExchangeFormat> FormatOfName(std::string_view path);

// Opens the file at `path` (bytes, as the system takes them) for an import
// into `file`. False with the reason in `problem`.
bool OpenExchangeFile(const std::string& path, QFile& file, std::string& problem);

// Imports `file` in `format` into `table` (see ReadGpx and ReadCsv).
ImportReport ImportWaypoints(ExchangeFormat format, QIODevice& file, const ImportOptions& options,
                             WaypointTable& table);

// The table as a file in `format` (see WriteGpx and WriteCsv); `now` is the
// export time.
QByteArray ExportWaypoints(ExchangeFormat format, const WaypointTable& table, const QDateTime& now,
                           ExportReport& report);

// Writes `data` to the file at `path`. A new file, or a regular file in its
// place, is replaced atomically: a temporary file in the same folder,
// synced and renamed over the old one, which stays whole on any failure.
// Anything else that stands there (a character device, a pipe,
// /dev/stdout on a pipe) is written into as it is and never replaced.
// False with the reason in `problem`.
bool WriteExchangeFile(const std::string& path, const QByteArray& data, std::string& problem);

}  // namespace trelvan::exchange
