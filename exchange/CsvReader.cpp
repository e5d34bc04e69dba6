#include "exchange/CsvReader.h"

#include <QStringDecoder>
#include <array>
#include <cstdint>
#include <string>

#include "exchange/DatumChoice.h"
#include "geodesy/GridDomain.h"
#include "text/Geographic.h"
#include "text/Grid.h"
#include "text/Numbers.h"

namespace trelvan::exchange {

namespace {

// The columns the header may name; kColumnNames holds the header text of each.
enum Column { kName, kLatitude, kLongitude, kHeight, kDatum, kZone, kBand, kEasting, kNorthing };
constexpr const char* kColumnNames[] = {"name", "latitude", "longitude", "height",  "datum",
                                        "zone", "band",     "easting",   "northing"};
constexpr int kColumnCount = static_cast<int>(std::size(kColumnNames));

const QString kNotCsv = QStringLiteral(
    "The file is not CSV with a header naming latitude,longitude or zone,band,easting,northing; "
    "nothing was imported.");

class CsvImport {
 public:
  CsvImport(const ImportOptions& options, WaypointTable& table, ImportReport& report)
      : options_(options), merger_(table, options, report), report_(report) {}

  void Run(QStringView text) {
    const QList<CsvRecord> records = SplitCsv(text);
    if (records.isEmpty() || !ReadHeader(records.front())) {
      report_.failure = kNotCsv;
      return;
    }
    for (qsizetype i = 1; i < records.size(); ++i) ReadRow(records[i]);
  }

 private:
  bool ReadHeader(const CsvRecord& header) {
    if (!header.problem.isEmpty()) return false;
    columns_.fill(-1);
    width_ = static_cast<int>(header.fields.size());
    for (int i = 0; i < width_; ++i) {
      const QString name = header.fields[i].trimmed().toLower();
      for (int c = 0; c < kColumnCount; ++c) {
        if (columns_[c] < 0 && name == QString::fromUtf8(kColumnNames[c])) columns_[c] = i;
      }
    }
    latLon_ = Has(kLatitude) && Has(kLongitude);
    grid_ = Has(kZone) && Has(kBand) && Has(kEasting) && Has(kNorthing);
    return latLon_ || grid_;
  }

  bool Has(Column c) const { return columns_[c] >= 0; }

  QString Field(const CsvRecord& record, Column c) const {
    return Has(c) ? record.fields[columns_[c]].trimmed() : QString();
  }

  void ReadRow(const CsvRecord& record) {
    const QString where = QStringLiteral("row %1").arg(record.row);
    if (!record.problem.isEmpty()) {
      merger_.Skip(where, QString(), record.problem);
      return;
    }
    if (record.fields.size() != width_) {
      merger_.Skip(where, QString(),
                   QStringLiteral("the row has %1 fields, the header %2")
                       .arg(record.fields.size())
                       .arg(width_));
      return;
    }
    const QString name = Field(record, kName);
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
};

}  // namespace

QList<CsvRecord> SplitCsv(QStringView text) {
  QList<CsvRecord> records;
  const qsizetype n = text.size();
  qsizetype i = 0;
  int row = 0;
  const auto endOfLine = [&text, n](qsizetype& at) {
    if (text[at] == u'\r' && at + 1 < n && text[at + 1] == u'\n') ++at;
    ++at;
  };
  while (i < n) {
    CsvRecord record{++row, {}, {}};
    QString field;
    bool quotedSeen = false;
    while (true) {
      if (i < n && text[i] == u'"' && field.isEmpty() && !quotedSeen) {
        quotedSeen = true;
        ++i;
        bool closed = false;
        while (i < n) {
          if (text[i] == u'"') {
            if (i + 1 < n && text[i + 1] == u'"') {
              field += u'"';
              i += 2;
              continue;
            }
            ++i;
            closed = true;
            break;
          }
          field += text[i++];
        }
        if (!closed) {
          record.problem = QStringLiteral("a quoted field is not closed");
          break;
        }
        if (i < n && text[i] != u',' && text[i] != u'\r' && text[i] != u'\n') {
          record.problem = QStringLiteral("text follows a closing quote");
          while (i < n && text[i] != u'\r' && text[i] != u'\n') ++i;
          if (i < n) endOfLine(i);
          break;
        }
        continue;
      }
      while (i < n && text[i] != u',' && text[i] != u'\r' && text[i] != u'\n') field += text[i++];
      record.fields.append(field);
      field.clear();
      quotedSeen = false;
      if (i < n && text[i] == u',') {
        ++i;
        continue;
      }
      if (i < n) endOfLine(i);
      break;
    }
    const bool blank =
        record.problem.isEmpty() && record.fields.size() == 1 && record.fields.front().isEmpty();
    if (blank) {
      --row;
      continue;
    }
    records.append(record);
  }
  return records;
}

ImportReport ReadCsv(const QByteArray& data, const ImportOptions& options, WaypointTable& table) {
  QByteArrayView bytes(data);
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(bytes);
  if (decoder.hasError() || text.contains(QChar(0))) {
    ImportReport report;
    report.failure = QStringLiteral("The file is not UTF-8 text; nothing was imported.");
    return report;
  }
  return ImportWhole(table, [&](WaypointTable& merged, ImportReport& report) {
    CsvImport(options, merged, report).Run(text);
  });
}

}  // namespace trelvan::exchange
