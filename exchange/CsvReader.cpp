#include "exchange/CsvReader.h"

#include <QBuffer>
#include <QStringDecoder>
#include <array>
#include <cstdint>
#include <string>

#include "exchange/DatumChoice.h"
#include "exchange/FormulaGuard.h"
#include "exchange/ImportInput.h"
#include "geodesy/Bands.h"
#include "geodesy/GridDomain.h"
#include "text/Geographic.h"
#include "text/Grid.h"
#include "text/Numbers.h"

namespace trelvan::exchange {

namespace {

// The columns the header may name, and the names each goes by: those of
// our own export first, then those of receivers, GIS and spreadsheets.
enum Column { kName, kLatitude, kLongitude, kHeight, kDatum, kZone, kBand, kEasting, kNorthing };
constexpr int kColumnCount = kNorthing + 1;

struct ColumnName {
  Column column;
  const char* name;
};

constexpr ColumnName kColumnNames[] = {
    {kName, "name"},
    {kLatitude, "latitude"},   {kLatitude, "lat"},
    {kLongitude, "longitude"}, {kLongitude, "lon"},  {kLongitude, "long"}, {kLongitude, "lng"},
    {kHeight, "height"},       {kHeight, "alt"},     {kHeight, "altitude"},
    {kHeight, "ele"},          {kHeight, "elevation"},
    {kDatum, "datum"},
    {kZone, "zone"},           {kBand, "band"},      {kEasting, "easting"}, {kNorthing, "northing"},
};

// The column a header name stands for, or -1.
int ColumnOf(const QString& header) {
  const QString name = header.trimmed().toLower();
  for (const ColumnName& c : kColumnNames) {
    if (name == QLatin1String(c.name)) return c.column;
  }
  return -1;
}

// Bytes read from the file at a time.
constexpr qint64 kPieceBytes = 64 * 1024;

// Decodes UTF-8 that arrives in pieces: a character cut at the end of a
// piece waits for the next one.
class Utf8Pieces {
 public:
  // False when the bytes are not UTF-8 (or hold a zero character).
  bool Decode(QByteArrayView piece, QString& text) {
    pending_ += piece;
    const qsizetype cut = CompleteLength(pending_);
    text = decoder_.decode(QByteArrayView(pending_).first(cut));
    pending_.remove(0, cut);
    return !decoder_.hasError() && !text.contains(QChar(0));
  }
  // False when the file ended inside a character.
  bool Finish() const { return pending_.isEmpty(); }

 private:
  // The length of the leading part of `bytes` that holds whole characters:
  // all of it, unless it ends in the first bytes of a longer sequence.
  static qsizetype CompleteLength(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= size; ++back) {
      const auto byte = static_cast<unsigned char>(bytes[size - back]);
      if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
      const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
      return length > back ? size - back : size;
    }
    return size;
  }

  // Stateless, and nothing taken off the front of a piece: the byte-order
  // mark is passed over by the caller, at the start of the file only.
  QStringDecoder decoder_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom};
  QByteArray pending_;
};

const QString kNotCsv = QStringLiteral(
    "The file is not CSV with a header naming latitude,longitude or zone,band,easting,northing; "
    "nothing was imported.");
const QString kNotUtf8 = QStringLiteral("The file is not UTF-8 text; nothing was imported.");

class CsvImport {
 public:
  CsvImport(const ImportOptions& options, WaypointTable& table, ImportReport& report)
      : options_(options), merger_(table, options, report), report_(report) {}

  void Run(QIODevice& file) {
    ImportInput input(file);
    Utf8Pieces utf8;
    CsvSplitter splitter([this](const CsvRecord& record) { Take(record); });
    QByteArray piece(kPieceBytes, Qt::Uninitialized);
    bool started = false;
    qint64 n;
    while (report_.failure.isEmpty() && (n = input.read(piece.data(), kPieceBytes)) > 0) {
      QString text;
      if (!utf8.Decode(QByteArrayView(piece).first(n), text)) {
        report_.failure = kNotUtf8;
        return;
      }
      if (!started && !text.isEmpty()) {
        started = true;
        if (text.front() == QChar(0xFEFF)) text.remove(0, 1);
      }
      splitter.Feed(text);
    }
    if (!report_.failure.isEmpty()) return;
    if (!input.Problem().isEmpty()) {
      report_.failure = input.Problem();
      return;
    }
    if (!utf8.Finish()) {
      report_.failure = kNotUtf8;
      return;
    }
    splitter.Finish();
    if (!headerRead_) report_.failure = kNotCsv;
  }

 private:
  // The header, then each row in turn; after a header that is no CSV of
  // waypoints, nothing more.
  void Take(const CsvRecord& record) {
    if (!report_.failure.isEmpty()) return;
    if (headerRead_) {
      ReadRow(record);
    } else if (ReadHeader(record)) {
      headerRead_ = true;
    } else {
      report_.failure = kNotCsv;
    }
  }

  bool ReadHeader(const CsvRecord& header) {
    if (!header.problem.isEmpty()) return false;
    columns_.fill(-1);
    width_ = static_cast<int>(header.fields.size());
    for (int i = 0; i < width_; ++i) {
      const int c = ColumnOf(header.fields[i]);
      if (c >= 0 && columns_[c] < 0) columns_[c] = i;
    }
    latLon_ = Has(kLatitude) && Has(kLongitude);
    grid_ = Has(kZone) && Has(kBand) && Has(kEasting) && Has(kNorthing);
    if (!latLon_ && !grid_) return false;
    // Every column that no row is read from is named in the report.
    std::array<bool, kColumnCount> read{};
    for (Column c : {kName, kHeight, kDatum}) read[c] = true;
    read[kLatitude] = read[kLongitude] = latLon_;
    read[kZone] = read[kBand] = read[kEasting] = read[kNorthing] = grid_;
    for (int i = 0; i < width_; ++i) {
      const int c = ColumnOf(header.fields[i]);
      if (c >= 0 && columns_[c] == i && read[c]) continue;
      const QString name = header.fields[i].trimmed();
      report_.ignoredColumns.append(name.isEmpty() ? QStringLiteral("column %1").arg(i + 1) : name);
    }
    return true;
  }

  bool Has(Column c) const { return columns_[c] >= 0; }

  QString Field(const CsvRecord& record, Column c) const {
    return Has(c) ? record.fields[columns_[c]].trimmed() : QString();
  }

  void ReadRow(const CsvRecord& record) {
    const QString where =
        record.rows > 1
            ? QStringLiteral("rows %1 to %2").arg(record.row).arg(record.row + record.rows - 1)
            : QStringLiteral("row %1").arg(record.row);
    if (!record.problem.isEmpty()) {
      merger_.Skip(where, QString(), record.problem, record.rows);
      return;
    }
    if (record.fields.size() != width_) {
      merger_.Skip(where, QString(),
                   QStringLiteral("the row has %1 fields, the header %2")
                       .arg(record.fields.size())
                       .arg(width_));
      return;
    }
    const QString name = UnguardFormula(Field(record, kName));
    QString problem;
    GeoPoint p{};
    p.datum = options_.datum;
    const QString datum = Field(record, kDatum);
    if (!datum.isEmpty() && !FindDatumByText(datum, p.datum)) {
      problem = QStringLiteral("the datum is not known");
    }
    const QString height = Field(record, kHeight);
    if (problem.isEmpty() && !height.isEmpty() &&
        !ParseReal(height.toStdString(), p.height)) {
      problem = QStringLiteral("the height is not a number");
    }
    if (problem.isEmpty()) {
      if (const char* tooHigh = HeightProblem(p.height)) problem = QString::fromUtf8(tooHigh);
    }
    if (problem.isEmpty()) {
      const bool useLatLon = latLon_ && !(grid_ && Field(record, kLatitude).isEmpty() &&
                                          Field(record, kLongitude).isEmpty());
      problem = useLatLon ? ReadLatLon(record, p) : ReadGrid(record, p);
    }
    if (!problem.isEmpty()) {
      merger_.Skip(where, name, problem);
      return;
    }
    merger_.Add(where, name, p);
  }

  QString ReadLatLon(const CsvRecord& record, GeoPoint& p) const {
    const std::string lat = Field(record, kLatitude).toStdString();
    const std::string lon = Field(record, kLongitude).toStdString();
    if (const char* problem = ParseGeographic(lat, Axis::kLatitude, p.lat)) {
      return QStringLiteral("the latitude ") + QString::fromUtf8(problem);
    }
    if (const char* problem = ParseGeographic(lon, Axis::kLongitude, p.lon)) {
      return QStringLiteral("the longitude ") + QString::fromUtf8(problem);
    }
    return QString();
  }

  QString ReadGrid(const CsvRecord& record, GeoPoint& p) const {
    std::int64_t zone = 0;
    if (!ParseWhole(Field(record, kZone).toStdString(), zone) || zone < 1 || zone > 60) {
      return QStringLiteral("the zone is not 1..60");
    }
    const QString band = Field(record, kBand).toUpper();
    if (band.size() != 1 || band[0].unicode() > 0x7f ||
        !IsBandLetter(static_cast<char>(band[0].unicode()))) {
      return QStringLiteral("the band is not a letter C..X (without I and O)");
    }
    UtmPoint grid{};
    if (!ParseReal(Field(record, kEasting).toStdString(), grid.easting)) {
      return QStringLiteral("the easting is not a number");
    }
    if (!ParseReal(Field(record, kNorthing).toStdString(), grid.northing)) {
      return QStringLiteral("the northing is not a number");
    }
    grid.band = static_cast<signed char>(band[0].unicode());
    grid.zone = static_cast<std::uint16_t>(zone);
    grid.height = p.height;
    grid.datum = p.datum;
    grid.form = kUtmForm;
    const std::uint16_t datum = p.datum;
    const GridStatus status = FromGrid(grid, BandRule::kLetter, p);
    if (status != GridStatus::kOnGrid) return QString::fromUtf8(GridProblem(status));
    p.datum = datum;
    return QString();
  }

  const ImportOptions& options_;
  TableMerger merger_;
  ImportReport& report_;
  std::array<int, kColumnCount> columns_{};
  int width_ = 0;
  bool latLon_ = false;
  bool grid_ = false;
  bool headerRead_ = false;
};

}  // namespace

CsvSplitter::CsvSplitter(std::function<void(const CsvRecord&)> sink) : sink_(std::move(sink)) {}

void CsvSplitter::Feed(QStringView text) {
  for (const QChar c : text) Take(c);
}

void CsvSplitter::Take(QChar c) {
  const bool lineEnd = c == u'\r' || c == u'\n';
  if (skipLineFeed_) {
    skipLineFeed_ = false;
    if (c == u'\n') return;
  }
  switch (state_) {
    case State::kFieldStart:
      if (c == u'"') {
        state_ = State::kQuoted;
        return;
      }
      state_ = State::kUnquoted;
      [[fallthrough]];
    case State::kUnquoted:
      if (!EndsField(c, lineEnd)) Keep(c);
      return;
    case State::kQuoted:
      // Each line the quotes run into counts, should they turn out never
      // to close.
      if (lineEnd) {
        lineBreakInQuotes_ = true;
      } else if (lineBreakInQuotes_) {
        lineBreakInQuotes_ = false;
        ++record_.rows;
      }
      if (c == u'"') {
        state_ = State::kQuoteInQuoted;
      } else {
        Keep(c);
      }
      return;
    case State::kQuoteInQuoted:
      if (c == u'"') {
        state_ = State::kQuoted;
        Keep(c);
      } else if (!EndsField(c, lineEnd)) {
        if (record_.problem.isEmpty()) {
          record_.problem = QStringLiteral("text follows a closing quote");
        }
        state_ = State::kSkipLine;
      }
      return;
    case State::kSkipLine:
      if (lineEnd) {
        skipLineFeed_ = c == u'\r';
        EndRecord();
      }
      return;
  }
}

bool CsvSplitter::EndsField(QChar c, bool lineEnd) {
  if (c != u',' && !lineEnd) return false;
  EndField();
  if (lineEnd) {
    skipLineFeed_ = c == u'\r';
    EndRecord();
  }
  return true;
}

void CsvSplitter::Keep(QChar c) {
  if (!record_.problem.isEmpty()) return;
  if (field_.size() == kMaxFieldLength) {
    record_.problem = QStringLiteral("a field is longer than %1 characters").arg(kMaxFieldLength);
    field_ = QString();  // its memory goes too
    return;
  }
  field_ += c;
}

void CsvSplitter::EndField() {
  // Past the limit a row is only counted through: it cannot fit a header of
  // ours, and its fields would take many times the memory of the text.
  if (record_.fields.size() == kMaxFields && record_.problem.isEmpty()) {
    record_.problem = QStringLiteral("the row has more than %1 fields").arg(kMaxFields);
  }
  if (record_.problem.isEmpty()) record_.fields.append(field_);
  field_.clear();
  state_ = State::kFieldStart;
}

void CsvSplitter::EndRecord() {
  const bool blank =
      record_.problem.isEmpty() && record_.fields.size() == 1 && record_.fields.front().isEmpty();
  if (!blank) {
    record_.row = nextRow_;
    // A row that was read counts once, however many lines its quotes hold.
    if (record_.problem.isEmpty()) record_.rows = 1;
    nextRow_ += record_.rows;
    sink_(record_);
  }
  record_ = CsvRecord{nextRow_, {}, {}};
  field_.clear();
  state_ = State::kFieldStart;
  lineBreakInQuotes_ = false;
}

void CsvSplitter::Finish() {
  switch (state_) {
    case State::kFieldStart:
      // At the start of a line nothing is left; after a comma, the last
      // field is empty.
      if (record_.fields.isEmpty()) return;
      EndField();
      break;
    case State::kQuoted:
      record_.problem =
          QStringLiteral("the quoted field opened in row %1 is not closed").arg(nextRow_);
      break;
    case State::kUnquoted:
    case State::kQuoteInQuoted:
      EndField();
      break;
    case State::kSkipLine:
      break;
  }
  EndRecord();
}

ImportReport ReadCsv(QIODevice& file, const ImportOptions& options, WaypointTable& table) {
  return ImportWhole(table, [&](WaypointTable& merged, ImportReport& report) {
    CsvImport(options, merged, report).Run(file);
  });
}

ImportReport ReadCsv(const QByteArray& data, const ImportOptions& options, WaypointTable& table) {
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  return ReadCsv(buffer, options, table);
}

}  // namespace trelvan::exchange
