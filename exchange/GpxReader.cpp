#include "exchange/GpxReader.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <string>

#include "exchange/DatumChoice.h"
#include "exchange/GpxNames.h"
#include "exchange/ImportInput.h"
#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "text/DatumName.h"
#include "text/Geographic.h"
#include "text/Numbers.h"

namespace trelvan::exchange {

namespace {

constexpr std::uint16_t kWgs84 = 0;

// What one point element held.
struct PointFields {
  QString lat;
  QString lon;
  QString ele;
  QString name;
  // Our datum extension: its index attribute and its text, the name.
  QString datumIndex;
  QString datumName;
  bool hasLat = false;
  bool hasLon = false;
  bool hasEle = false;
  bool hasDatum = false;
  bool hasDatumIndex = false;
};

// The datum our extension names: by its index when it has one, and only
// when the name it gives (if any) is a datum too. False when it names none.
bool OwnDatum(const PointFields& f, std::uint16_t& datum) {
  std::uint16_t byName = 0;
  const QString name = f.datumName.trimmed();
  if (!name.isEmpty() && !FindDatumByText(name, byName)) return false;
  if (f.hasDatumIndex) return FindDatum(f.datumIndex.trimmed().toStdString(), datum);
  datum = byName;
  return !name.isEmpty();
}

class GpxImport {
 public:
  GpxImport(QIODevice& file, const ImportOptions& options, WaypointTable& table,
            ImportReport& report)
      : input_(file), xml_(&input_), options_(options), merger_(table, options, report),
        report_(report) {}

  void Run() {
    Read();
    // A file that ended early because it is too large or could not be read
    // says so, whatever the XML reader made of its end.
    if (!input_.Problem().isEmpty()) report_.failure = input_.Problem();
  }

 private:
  void Read() {
    while (!xml_.atEnd() && !xml_.isStartElement()) xml_.readNext();
    if (!xml_.isStartElement() || xml_.name() != QStringLiteral("gpx")) {
      report_.failure = xml_.hasError()
                            ? NotWellFormed()
                            : QStringLiteral("The file is not GPX: it has no <gpx> element.");
      return;
    }
    gpx_ = xml_.namespaceUri().toString();
    while (!xml_.atEnd()) {
      if (xml_.readNext() != QXmlStreamReader::StartElement) continue;
      if (xml_.namespaceUri() != gpx_) continue;
      const QStringView name = xml_.name();
      const bool wanted = (name == QStringLiteral("wpt") && options_.waypoints) ||
                          (name == QStringLiteral("rtept") && options_.routePoints) ||
                          (name == QStringLiteral("trkpt") && options_.trackPoints);
      if (wanted) ReadPoint();
    }
    if (xml_.hasError()) report_.failure = NotWellFormed();
  }

  QString NotWellFormed() const {
    return QStringLiteral("The file is not well-formed XML (line %1: %2); nothing was imported.")
        .arg(xml_.lineNumber())
        .arg(xml_.errorString());
  }

  // Reads the point element the reader stands on, up to its end tag.
  void ReadPoint() {
    const QString where =
        QStringLiteral("line %1 <%2>").arg(xml_.lineNumber()).arg(xml_.name().toString());
    PointFields f;
    const QXmlStreamAttributes attributes = xml_.attributes();
    f.hasLat = attributes.hasAttribute(QStringLiteral("lat"));
    f.hasLon = attributes.hasAttribute(QStringLiteral("lon"));
    f.lat = attributes.value(QStringLiteral("lat")).toString().trimmed();
    f.lon = attributes.value(QStringLiteral("lon")).toString().trimmed();
    // The point's own children are one level down; anything deeper belongs
    // to an element we pass over, except our datum wherever it sits.
    int depth = 0;
    while (!xml_.atEnd()) {
      const QXmlStreamReader::TokenType token = xml_.readNext();
      if (token == QXmlStreamReader::EndElement) {
        if (depth == 0) break;
        --depth;
        continue;
      }
      if (token != QXmlStreamReader::StartElement) continue;
      const bool own = depth == 0 && xml_.namespaceUri() == gpx_;
      if (own && xml_.name() == QStringLiteral("ele")) {
        f.hasEle = true;
        f.ele = xml_.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
      } else if (own && xml_.name() == QStringLiteral("name")) {
        f.name = xml_.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
      } else if (xml_.namespaceUri() == QString::fromUtf8(kTrelvanNamespace) &&
                 xml_.name() == QString::fromUtf8(kDatumElement)) {
        const QXmlStreamAttributes datum = xml_.attributes();
        f.hasDatum = true;
        f.hasDatumIndex = datum.hasAttribute(QString::fromUtf8(kDatumIndexAttribute));
        f.datumIndex = datum.value(QString::fromUtf8(kDatumIndexAttribute)).toString();
        f.datumName = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
      } else {
        ++depth;
      }
    }
    if (xml_.hasError()) return;
    Merge(where, f);
  }

  void Merge(const QString& where, const PointFields& f) {
    if (!f.hasLat || !f.hasLon) {
      merger_.Skip(where, f.name, QStringLiteral("it has no lat or no lon attribute"));
      return;
    }
    GeoPoint p{};
    p.datum = kWgs84;
    const std::string lat = f.lat.toStdString();
    const std::string lon = f.lon.toStdString();
    if (const char* problem = ParseGeographic(lat, Axis::kLatitude, p.lat)) {
      merger_.Skip(where, f.name, QStringLiteral("lat ") + QString::fromUtf8(problem));
      return;
    }
    if (const char* problem = ParseGeographic(lon, Axis::kLongitude, p.lon)) {
      merger_.Skip(where, f.name, QStringLiteral("lon ") + QString::fromUtf8(problem));
      return;
    }
    if (f.hasEle && !ParseReal(f.ele.toStdString(), p.height)) {
      merger_.Skip(where, f.name, QStringLiteral("<ele> is not a number"));
      return;
    }
    if (const char* problem = HeightProblem(p.height)) {
      merger_.Skip(where, f.name, QString::fromUtf8(problem));
      return;
    }
    std::uint16_t datum = options_.datum;
    QString note;
    if (!options_.datumGiven && f.hasDatum && !OwnDatum(f, datum)) {
      // The position is WGS-84 whatever the extension meant: stored as it
      // stands, and said so.
      datum = kWgs84;
      note = QStringLiteral("stored on WGS-84: its datum extension names no known datum");
    }
    merger_.Add(where, f.name, ConvertDatum(datum, p), note);
  }

  ImportInput input_;
  QXmlStreamReader xml_;
  const ImportOptions& options_;
  TableMerger merger_;
  ImportReport& report_;
  QString gpx_;
};

}  // namespace

ImportReport ReadGpx(QIODevice& file, const ImportOptions& options, WaypointTable& table) {
  return ImportWhole(table, [&](WaypointTable& merged, ImportReport& report) {
    GpxImport(file, options, merged, report).Run();
  });
}

ImportReport ReadGpx(const QByteArray& data, const ImportOptions& options, WaypointTable& table) {
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  return ReadGpx(buffer, options, table);
}

}  // namespace trelvan::exchange
