#include "exchange/GpxWriter.h"

#include <QXmlStreamWriter>

#include "exchange/Declination.h"
#include "exchange/GpxNames.h"
#include "exchange/ImportRules.h"
#include "exchange/WaypointName.h"
#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "geodesy/AngleWrap.h"
#include "text/Numbers.h"

namespace trelvan::exchange {

namespace {

constexpr int kDegreeDecimals = 9;
constexpr int kHeightDecimals = 3;
constexpr int kMagvarDecimals = 2;
constexpr std::uint16_t kWgs84 = 0;

QString Fixed(double value, int decimals) {
  return QString::fromUtf8(FormatFixed(value, decimals).view());
}

// The schema takes longitudes in [-180, 180): one that rounds to 180 is
// written as -180, the same meridian.
QString LongitudeText(double degrees) {
  const QString text = Fixed(degrees, kDegreeDecimals);
  return text == QStringLiteral("180.000000000") ? QStringLiteral("-180.000000000") : text;
}

// <magvar> takes [0, 360): east positive, a westerly declination as its
// complement; one that rounds to 360 is 0.
QString MagvarText(double degrees) {
  const QString text = Fixed(WrapDegrees(degrees), kMagvarDecimals);
  return text == QStringLiteral("360.00") ? QStringLiteral("0.00") : text;
}

}  // namespace

QByteArray WriteGpx(const WaypointTable& table, const QDateTime& now, ExportReport& report) {
  QByteArray bytes;
  QXmlStreamWriter xml(&bytes);
  xml.setAutoFormatting(true);
  xml.setAutoFormattingIndent(1);
  xml.writeStartDocument();
  xml.writeDefaultNamespace(QString::fromUtf8(kGpx11Namespace));
  xml.writeNamespace(QString::fromUtf8(kSchemaInstanceNamespace), QStringLiteral("xsi"));
  xml.writeNamespace(QString::fromUtf8(kTrelvanNamespace), QString::fromUtf8(kTrelvanPrefix));
  xml.writeStartElement(QString::fromUtf8(kGpx11Namespace), QStringLiteral("gpx"));
  xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
  xml.writeAttribute(QStringLiteral("creator"), QString::fromUtf8(kCreator));
  xml.writeAttribute(QString::fromUtf8(kSchemaInstanceNamespace), QStringLiteral("schemaLocation"),
                     QStringLiteral("%1 %2").arg(QString::fromUtf8(kGpx11Namespace),
                                                 QString::fromUtf8(kGpx11Schema)));
  xml.writeStartElement(QStringLiteral("metadata"));
  xml.writeTextElement(QStringLiteral("time"), now.toUTC().toString(Qt::ISODate));
  xml.writeEndElement();

  const QDate date = now.date();
  const int count = CountInUse(table);
  for (int i = 0; i < count; ++i) {
    const Waypoint& w = table[i];
    const QString name = NameText(w);
    // A datum index beyond the table computes on its fall-back row: that
    // row is the datum the stored numbers are on.
    const std::uint16_t datum = DatumRowIndex(w.point.datum);
    GeoPoint own = w.point;
    own.datum = datum;
    const GeoPoint wgs = ConvertDatum(kWgs84, own);
    const double lat = wgs.lat * kRadToDeg;
    const double lon = wgs.lon * kRadToDeg;
    // A stored name with a control character (from an old file) is no
    // text another program should read; XML 1.0 could not even carry most.
    char bytes[kNameField];
    const NameFault fault = NameProblem(name, bytes);
    const char* problem =
        fault != NameFault::kNone
            ? NameFaultText(fault)
            : PositionProblem(own.lat * kRadToDeg, own.lon * kRadToDeg, own.height);
    if (!problem) problem = PositionProblem(lat, lon, wgs.height);
    if (problem) {
      report.skipped.append(ExportSkip{i, name, QString::fromUtf8(problem)});
      continue;
    }
    xml.writeStartElement(QStringLiteral("wpt"));
    xml.writeAttribute(QStringLiteral("lat"), Fixed(lat, kDegreeDecimals));
    xml.writeAttribute(QStringLiteral("lon"), LongitudeText(lon));
    xml.writeTextElement(QStringLiteral("ele"), Fixed(wgs.height, kHeightDecimals));
    if (const std::optional<double> declination = ExportDeclination(date, own)) {
      xml.writeTextElement(QStringLiteral("magvar"), MagvarText(*declination));
    }
    xml.writeTextElement(QStringLiteral("name"), name);
    xml.writeStartElement(QStringLiteral("extensions"));
    xml.writeStartElement(QString::fromUtf8(kTrelvanNamespace), QString::fromUtf8(kDatumElement));
    xml.writeAttribute(QString::fromUtf8(kDatumIndexAttribute), QString::number(datum));
    xml.writeCharacters(QString::fromUtf8(DatumName(datum)));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    ++report.written;
  }
  xml.writeEndElement();
  xml.writeEndDocument();
  return bytes;
}

}  // namespace trelvan::exchange
