#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "exchange/WaypointName.h"
#include "geodesy/Datum.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"

// The rules every import follows, whatever the file format: which names and
// positions can be stored, what becomes of a name already in the table, and
// the 50 records. The readers turn rows and elements into positions; the
// merger below decides, and the report says what happened to each one.

namespace trelvan::exchange {

// The largest file an import reads, in MiB and in bytes; a larger one is
// refused whole.
inline constexpr int kMaxImportMiB = 256;
inline constexpr qint64 kMaxImportBytes = qint64{kMaxImportMiB} * 1024 * 1024;

// The replaced and the skipped rows a report lists one by one, each; the
// rest are counted. (Imported rows are all listed: the table holds 50.)
inline constexpr int kListedRows = 100;

// What the user chose for an import.
struct ImportOptions {
  // The datum positions are stored on; GPX positions arrive on WGS-84 and
  // are converted to it, CSV rows without a datum column are on it.
  std::uint16_t datum = 0;
  // When false, a GPX point that we exported (it names its own datum in our
  // extension) goes back onto that datum, so that a round trip returns every
  // waypoint as it was; when true, every point goes onto `datum`.
  bool datumGiven = false;
  // Overwrite a waypoint whose name is already in the table instead of
  // skipping the row.
  bool replace = false;
  // Which GPX points are read: waypoints, route points, track points.
  bool waypoints = true;
  bool routePoints = false;
  bool trackPoints = false;
};

enum class Outcome { kImported, kReplaced, kSkipped };

// What became of one row or element, or of a run of rows that a broken
// quote took together.
struct ImportEntry {
  QString where;  // "row 4", "rows 3 to 7", "line 12 <wpt>"
  QString name;   // the name as the file gives it
  Outcome outcome;
  QString reason;  // why it was skipped, or how what was stored differs from the file
  int rows = 1;    // the rows of the file it stands for
};

// Everything an import did. When `failure` is set the file was not read at
// all (not GPX or CSV, not well-formed) and the table is unchanged. The
// counts are exact however long the file; the entries listed are bounded.
class ImportReport {
 public:
  QString failure;
  // Header columns of a CSV file that were not read, as the header names
  // them.
  QStringList ignoredColumns;

  // Counts `entry` and lists it unless kListedRows of its outcome are
  // listed already.
  void Record(const ImportEntry& entry);
  // The entries listed, in the order of the file.
  const QList<ImportEntry>& Entries() const { return entries_; }
  // Rows of the file with `outcome`.
  qint64 Count(Outcome outcome) const;
  // True when the file was read and nothing was skipped.
  bool Complete() const;
  // True when the table was changed.
  bool Changed() const;
  // One line per entry listed: `row 3: imported "A"`, `row 4: skipped "B":
  // ...`, then "… and N more skipped rows" (and replaced rows) for the rest.
  // Names are shown with PrintableName.
  QStringList Lines() const;
  // "3 imported, 1 replaced, 2 skipped.", with the ignored columns on a line
  // of their own; or the failure.
  QString Summary() const;

 private:
  QList<ImportEntry> entries_;
  qint64 rows_[3] = {};
  qint64 listedRows_[3] = {};
  int listed_[3] = {};
};

// Why a height in metres cannot be stored (not finite, or beyond
// kMaxHeight), or nullptr.
const char* HeightProblem(double height);

// Why a position cannot be stored or written to a file another program
// reads back (latitude beyond 90 degrees, longitude beyond 180, or the
// height as above), or nullptr. Degrees and metres.
const char* PositionProblem(double latitude, double longitude, double height);

// Runs `import` (it reads the whole file into the table it is given, and
// may set the report's failure) on a copy of `table`, and keeps the copy only
// when the file was read: an import is all or nothing.
template <class Import>
ImportReport ImportWhole(WaypointTable& table, Import&& import) {
  ImportReport report;
  WaypointTable merged = table;
  import(merged, report);
  if (!report.failure.isEmpty()) {
    ImportReport failed;
    failed.failure = report.failure;
    return failed;
  }
  table = merged;
  return report;
}

// Adds positions to a table by the rules. Works on the table it is given;
// the readers hand it a copy and keep that only when the file was read.
class TableMerger {
 public:
  TableMerger(WaypointTable& table, const ImportOptions& options, ImportReport& report);

  // A position read from the file, already on the datum it is stored on;
  // `note` says how what is stored differs from what the file gives. An
  // empty name gets the first free "WP #n", as in the Waypoints form.
  void Add(const QString& where, const QString& name, const GeoPoint& point,
           const QString& note = QString());
  // A row or element (or `rows` rows) that gave no position.
  void Skip(const QString& where, const QString& name, const QString& reason, int rows = 1);

 private:
  WaypointTable& table_;
  const ImportOptions& options_;
  ImportReport& report_;
};

}  // namespace trelvan::exchange
