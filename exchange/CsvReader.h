#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "exchange/ImportRules.h"
#include "store/WaypointTable.h"

namespace trelvan::exchange {

// One record of a CSV text: its fields, or why it could not be split.
struct CsvRecord {
  int row;  // 1 for the first record (the header)
  QStringList fields;
  QString problem;
};

// Splits `text` into records by RFC 4180: fields separated by commas,
// records by CRLF or LF (or a lone CR), a field in double quotes may hold
// commas, line breaks and doubled quotes. Blank lines are no records. A
// quote left open at the end, or text after a closing quote, makes a
// record with a problem.
QList<CsvRecord> SplitCsv(QStringView text);

// Imports the rows of a CSV file in UTF-8 (a byte-order mark is passed
// over) into `table` by the import rules. The first record is the header;
// its names are matched without regard to case and blanks around them:
// `latitude` and `longitude` (decimal degrees or degrees, minutes and
// seconds as 51d30'15.5"N), or `zone`, `band`, `easting` and `northing`
// (metres); `name`; `height` in metres (0 when absent); `datum`, a name or
// index (the chosen datum when absent or empty). Other columns are passed
// over; where both kinds of position are given, a row's latitude and
// longitude count unless both are empty. A file that is not UTF-8 text or has no such header
// changes nothing and sets `failure`.
ImportReport ReadCsv(const QByteArray& data, const ImportOptions& options, WaypointTable& table);

}  // namespace trelvan::exchange
