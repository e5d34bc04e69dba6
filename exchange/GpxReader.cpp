#include "exchange/GpxReader.h"

#include <QXmlStreamReader>
#include <string>

#include "exchange/GpxNames.h"
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
  QString datum;  // the index attribute of our extension
  bool hasLat = false;
  bool hasLon = false;
  bool hasEle = false;
};

class GpxImport {
 public:
  GpxImport(const QByteArray& data, const ImportOptions& options, WaypointTable& table,
            ImportReport& report)
      : xml_(data), options_(options), merger_(table, options, report), report_(report) {}

  void Run() {
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

 private:
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
        f.datum = xml_.attributes().value(QString::fromUtf8(kDatumIndexAttribute)).toString();
        xml_.skipCurrentElement();
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
    std::uint16_t own = 0;
    if (!options_.datumGiven && !f.datum.isEmpty() && FindDatum(f.datum.toStdString(), own)) {
      datum = own;
    }
    merger_.Add(where, f.name, ConvertDatum(datum, p));
  }

  QXmlStreamReader xml_;
  const ImportOptions& options_;
  TableMerger merger_;
  ImportReport& report_;
  QString gpx_;
};

}  // namespace

ImportReport ReadGpx(const QByteArray& data, const ImportOptions& options, WaypointTable& table) {
  return ImportWhole(table, [&](WaypointTable& merged, ImportReport& report) {
    GpxImport(data, options, merged, report).Run();
  });
}

}  // namespace trelvan::exchange
