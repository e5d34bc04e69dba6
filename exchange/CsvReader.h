#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

#include "exchange/ImportRules.h"
#include "store/WaypointTable.h"

namespace trelvan::exchange {

// One record of a CSV text: its fields, or why it could not be split.
struct CsvRecord {
  int row;  // 1 for the first record (the header)
  QStringList fields;
  QString problem;
  // The rows it stands for: 1, or for a record with a problem whose quoted
  // field ran over line ends, each line it took (blank lines aside).
  int rows = 1;
};

// Splits CSV text into records by RFC 4180 as it arrives in pieces: fields
// separated by commas, records by CRLF or LF (or a lone CR), a field in
// double quotes may hold commas, line breaks and doubled quotes. Blank
// lines are no records. A quote left open at the end, text after a closing
// quote, more than kMaxFields fields or a field longer than kMaxFieldLength
// make a record with a problem. The limits keep the memory a record takes
// bounded whatever the file holds; no field of ours comes near them.
class CsvSplitter {
 public:
  static constexpr int kMaxFields = 1024;
  static constexpr qsizetype kMaxFieldLength = 1 << 20;  // characters

  explicit CsvSplitter(std::function<void(const CsvRecord&)> sink);
  // Splits the next piece of the text; each record goes to the sink as
  // soon as it ends.
  void Feed(QStringView text);
  // The end of the text: a record it cut short goes to the sink.
  void Finish();

 private:
  enum class State { kFieldStart, kUnquoted, kQuoted, kQuoteInQuoted, kSkipLine };

  void Take(QChar c);
  // Adds `c` to the field being read, unless the record has a problem.
  void Keep(QChar c);
  void EndField();
  void EndRecord();
  // Outside quotes: a comma ends the field, a line end the field and the
  // record. False for any other character.
  bool EndsField(QChar c, bool lineEnd);

  std::function<void(const CsvRecord&)> sink_;
  State state_ = State::kFieldStart;
  CsvRecord record_{1, {}, {}};
  QString field_;
  int nextRow_ = 1;
  bool skipLineFeed_ = false;  // a CR ended the record; an LF right after it belongs to it
  bool lineBreakInQuotes_ = false;
};

// Imports the rows of a CSV file in UTF-8 (a byte-order mark is passed
// over), read from `file` in pieces, into `table` by the import rules. The
// first record is the header; its names are matched without regard to case
// and blanks around them: `latitude` (or `lat`) and `longitude` (`lon`,
// `long`, `lng`), in decimal degrees or degrees, minutes and seconds as
// 51d30'15.5"N; or `zone`, `band`, `easting` and `northing` (metres);
// `name`; `height` (`alt`, `altitude`, `ele`, `elevation`) in metres, 0
// when absent; `datum`, a name or index (the chosen datum when absent or
// empty). Other columns are named in the report's ignored columns; where
// both kinds of position are given, a row's latitude and longitude count
// unless both are empty. A name behind a formula guard loses it
// (UnguardFormula). A file that is not UTF-8 text or has no such header
// changes nothing and sets `failure`.
ImportReport ReadCsv(QIODevice& file, const ImportOptions& options, WaypointTable& table);
// The same for a file already in memory.
ImportReport ReadCsv(const QByteArray& data, const ImportOptions& options, WaypointTable& table);

}  // namespace trelvan::exchange
