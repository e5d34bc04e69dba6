// Export then import into an empty table gives back every waypoint: its
// name, its datum and its position within 1e-9 degrees and 1 mm, for
// waypoints on many datums and in every quadrant; the GPX files validate
// against the published schema.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

#include "exchange/CsvReader.h"
#include "exchange/CsvWriter.h"
#include "exchange/ExchangeSupport.h"
#include "exchange/GpxReader.h"
#include "exchange/GpxWriter.h"
#include "exchange/WaypointName.h"
#include "measures/DmsEntry.h"
#include "tests/support/GeoPoints.h"

namespace trelvan::exchange {
namespace {

using test::AddWaypoint;

const QDateTime kExportTime(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC);

// Waypoints on many datums and ellipsoids, north and south, east and west,
// near the antimeridian and the poles, below and above the ellipsoid.
WaypointTable ManyDatums() {
  WaypointTable table = test::EmptyTable();
  AddWaypoint(table, "WGS", 51.477928123, -0.001545678, 45.678, 0);
  AddWaypoint(table, "ED50 MEAN", 48.858370001, 2.294481234, 330.001, 1);
  AddWaypoint(table, "Alaska", 64.837778, -147.716389, 136.5, 7);
  AddWaypoint(table, "AGD84", -33.856784, 151.215297, -3.25, 17);
  AddWaypoint(table, "Indian", 28.613939, 77.209021, 216.0, 57);
  AddWaypoint(table, "OSGB36", 55.953251, -3.188267, 47.0, 90);
  AddWaypoint(table, "DHDN", 52.516275, 13.377704, 34.0, 93);
  AddWaypoint(table, "Pulkovo", 59.938630, 30.314130, 3.0, 97);
  AddWaypoint(table, "Tokyo", 35.681236, 139.767125, 40.0, 117);
  AddWaypoint(table, "WGS-72", -77.846323, 166.668235, 1500.0, 122);
  AddWaypoint(table, "Zanderij", 5.852036, -55.203828, 0.0, 124);
  AddWaypoint(table, "Antimeridian", -16.5, 179.999999, 2.0, 120);
  AddWaypoint(table, "Polar", 89.5, -45.0, 2800.0, 1);
  AddWaypoint(table, "Café; \"quoted\", too", -0.5, -0.5, -120.5, 3);
  return table;
}

void ExpectSameTable(const WaypointTable& expected, const WaypointTable& actual) {
  ASSERT_EQ(CountInUse(actual), CountInUse(expected));
  for (int i = 0; i < CountInUse(expected); ++i) {
    const GeoPoint& e = expected[i].point;
    const GeoPoint& a = actual[i].point;
    SCOPED_TRACE(NameText(expected[i]).toStdString());
    EXPECT_EQ(NameText(actual[i]), NameText(expected[i]));
    EXPECT_EQ(a.datum, e.datum);
    EXPECT_NEAR(a.lat * kRadToDeg, e.lat * kRadToDeg, 1e-9);
    EXPECT_NEAR(a.lon * kRadToDeg, e.lon * kRadToDeg, 1e-9);
    EXPECT_NEAR(a.height, e.height, 1e-3);
  }
}

TEST(RoundTrip, GpxGivesBackEveryWaypointOnItsOwnDatum) {
  const WaypointTable table = ManyDatums();
  ExportReport exported;
  const QByteArray gpx = WriteGpx(table, kExportTime, exported);
  EXPECT_EQ(exported.written, CountInUse(table));
  EXPECT_TRUE(exported.skipped.isEmpty());

  WaypointTable imported = test::EmptyTable();
  const ImportReport report = ReadGpx(gpx, ImportOptions{}, imported);
  EXPECT_TRUE(report.Complete()) << report.Lines().join(u'\n').toStdString();
  ExpectSameTable(table, imported);
}

TEST(RoundTrip, CsvGivesBackEveryWaypointOnItsOwnDatum) {
  const WaypointTable table = ManyDatums();
  ExportReport exported;
  const QByteArray csv = WriteCsv(table, exported);
  EXPECT_EQ(exported.written, CountInUse(table));

  // A chosen datum is only the default of rows without one.
  ImportOptions options;
  options.datum = 42;
  WaypointTable imported = test::EmptyTable();
  const ImportReport report = ReadCsv(csv, options, imported);
  EXPECT_TRUE(report.Complete()) << report.Lines().join(u'\n').toStdString();
  ExpectSameTable(table, imported);
}

// Spreadsheets run a field beginning with =, +, - or @: such a name goes
// out behind an apostrophe and comes back without it, as does every name
// that begins with an apostrophe itself.
TEST(RoundTrip, NamesThatLookLikeFormulasComeBackAndNeverRunInASpreadsheet) {
  const char* names[] = {"=1+2", "@SUM(A1)", "+44 1", "-5 m", "'quoted", "'=x", "''", "'", "a=b"};
  WaypointTable table = test::EmptyTable();
  for (const char* name : names) AddWaypoint(table, name, 1.0, 2.0, 3.0, 0);
  ExportReport exported;
  const QByteArray csv = WriteCsv(table, exported);
  EXPECT_TRUE(csv.contains("\r\n'=1+2,")) << csv.toStdString();
  EXPECT_TRUE(csv.contains("\r\n'@SUM(A1),"));
  EXPECT_TRUE(csv.contains("\r\n''=x,"));
  for (const QByteArray& row : csv.split('\n')) {
    EXPECT_FALSE(!row.isEmpty() && QByteArray("=+-@").contains(row.front())) << row.toStdString();
  }
  WaypointTable fromCsv = test::EmptyTable();
  EXPECT_TRUE(ReadCsv(csv, ImportOptions{}, fromCsv).Complete());
  ExpectSameTable(table, fromCsv);
  // GPX needs no guard and carries the names as they are.
  WaypointTable fromGpx = test::EmptyTable();
  EXPECT_TRUE(ReadGpx(WriteGpx(table, kExportTime, exported), ImportOptions{}, fromGpx).Complete());
  ExpectSameTable(table, fromGpx);
}

TEST(RoundTrip, CsvGridColumnsAloneGiveThePositionBackToTheMillimetre) {
  const WaypointTable table = ManyDatums();
  ExportReport exported;
  QString csv = QString::fromUtf8(WriteCsv(table, exported));
  // Without the latitude and longitude columns the UTM fields count.
  csv.replace(QStringLiteral("name,latitude,longitude,"), QStringLiteral("name,Y,X,"));
  WaypointTable imported = test::EmptyTable();
  const ImportReport report = ReadCsv(csv.toUtf8(), ImportOptions{}, imported);
  EXPECT_EQ(report.ignoredColumns, QStringList({QStringLiteral("Y"), QStringLiteral("X")}));
  // The polar waypoint lies outside the grid and has no grid fields.
  ASSERT_EQ(report.Count(Outcome::kSkipped), 1);
  EXPECT_EQ(report.Entries()[12].name, QStringLiteral("Polar"));
  EXPECT_EQ(report.Entries()[12].reason, QStringLiteral("the zone is not 1..60"));
  for (int i = 0, j = 0; i < CountInUse(table); ++i) {
    if (i == 12) continue;
    const GeoPoint& e = table[i].point;
    const GeoPoint& a = imported[j++].point;
    SCOPED_TRACE(i);
    // 1 mm on the ground is about 1e-8 degrees of latitude.
    EXPECT_NEAR(a.lat, e.lat, 1e-3 / 6.3e6);
    EXPECT_NEAR(a.lon * std::cos(e.lat), e.lon * std::cos(e.lat), 1e-3 / 6.3e6);
  }
}

// The grid columns written at the edges and corners of zones and bands (and
// the rows once refused: 83 59' 59.64" N 9 00' 00.36" E, and 79 59' 59.64" S
// on ED-50) import back to the same place, as does every grid row written.
TEST(RoundTrip, CsvGridColumnsAtEdgesAndCornersComeBack) {
  for (const std::uint16_t datum : trelvan::test::kEdgeDatums) {
    WaypointTable table = test::EmptyTable();
    for (const trelvan::test::LatLonDeg& e : trelvan::test::kGridEdges) {
      AddWaypoint(table, "", e.lat, e.lon, 0.0, datum);
    }
    AddWaypoint(table, "", DmsRadians(83, 59, 59, 64) * kRadToDeg,
                DmsRadians(9, 0, 0, 36) * kRadToDeg, 0.0, datum);
    AddWaypoint(table, "", -DmsRadians(79, 59, 59, 64) * kRadToDeg, 3.0, 0.0, datum);
    ExportReport exported;
    QString csv = QString::fromUtf8(WriteCsv(table, exported));
    csv.replace(QStringLiteral("name,latitude,longitude,"), QStringLiteral("name,lat,lon,"));
    WaypointTable imported = test::EmptyTable();
    const ImportReport report = ReadCsv(csv.toUtf8(), ImportOptions{}, imported);
    EXPECT_TRUE(report.Complete()) << report.Lines().join(u'\n').toStdString();
    ASSERT_EQ(CountInUse(imported), CountInUse(table));
    for (int i = 0; i < CountInUse(table); ++i) {
      SCOPED_TRACE(testing::Message() << datum << " row " << i);
      EXPECT_LT(trelvan::test::DistanceMetres(imported[i].point, table[i].point), 1e-3);
    }
  }
}

TEST(RoundTrip, DatumGivenOnImportOverridesTheDatumOfOurExtension) {
  WaypointTable table = test::EmptyTable();
  AddWaypoint(table, "A", 48.0, 11.0, 500.0, 93);
  ExportReport exported;
  const QByteArray gpx = WriteGpx(table, kExportTime, exported);
  ImportOptions options;
  options.datum = 0;
  options.datumGiven = true;
  WaypointTable imported = test::EmptyTable();
  ReadGpx(gpx, options, imported);
  EXPECT_EQ(imported[0].point.datum, 0);
  // DHDN and WGS-84 differ by about a hundred metres here.
  EXPECT_GT(std::fabs(imported[0].point.lon - table[0].point.lon) * kRadToDeg, 1e-4);
}

// Runs xmllint --schema on `document`; the empty string when it validates,
// else what xmllint said.
QString SchemaErrors(const QByteArray& document) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("export.gpx"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size()) {
    return QStringLiteral("cannot write the file");
  }
  file.close();
  QProcess xmllint;
  xmllint.start(QStringLiteral("xmllint"),
                {QStringLiteral("--noout"), QStringLiteral("--schema"),
                 QString::fromUtf8(TRELVAN_EXCHANGE_DATA) + QStringLiteral("/gpx-1.1.xsd"), path});
  if (!xmllint.waitForFinished(60000)) {
    return QStringLiteral("xmllint did not run (Debian package libxml2-utils)");
  }
  if (xmllint.exitStatus() == QProcess::NormalExit && xmllint.exitCode() == 0) return QString();
  return QString::fromUtf8(xmllint.readAllStandardError());
}

TEST(GpxSchema, ExportsValidateAgainstTheGpx11Schema) {
  WaypointTable edges = test::EmptyTable();
  // A name needing escapes, longitudes that round to the antimeridian from
  // both sides, a declination just west of north, the code page's highest
  // characters, and an index beyond the datum table.
  AddWaypoint(edges, "<A & B> 'x' \"y\"", 0.0, 179.9999999999, 0.0, 0);
  AddWaypoint(edges, "West", 0.0, -180.0, 0.0, 0);
  AddWaypoint(edges, "\x80\x9f\xff", 10.0, 10.0, 0.0, 0);
  AddWaypoint(edges, "Far datum", 10.0, 10.0, 0.0, 999);
  const WaypointTable tables[] = {ManyDatums(), edges, test::EmptyTable()};
  for (const WaypointTable& table : tables) {
    ExportReport exported;
    const QByteArray gpx = WriteGpx(table, kExportTime, exported);
    EXPECT_EQ(SchemaErrors(gpx), QString()) << gpx.toStdString();
    EXPECT_TRUE(exported.skipped.isEmpty());
  }
}

TEST(GpxSchema, ExportWritesWgs84TheDatumExtensionTimeAndDeclination) {
  WaypointTable table = test::EmptyTable();
  AddWaypoint(table, "Far datum", 10.0, 10.0, 0.0, 999);
  ExportReport exported;
  const QString gpx = QString::fromUtf8(WriteGpx(table, kExportTime, exported));
  EXPECT_TRUE(gpx.contains(QStringLiteral("<time>2026-03-14T15:09:26Z</time>")));
  // Index 999 computes on row 2, so row 2 is named and converted from.
  EXPECT_TRUE(gpx.contains(QStringLiteral("<trelvan:datum index=\"2\">ED-50A</trelvan:datum>")));
  EXPECT_FALSE(gpx.contains(QStringLiteral("lat=\"10.000000000\"")));
  EXPECT_TRUE(gpx.contains(QStringLiteral("<magvar>")));
}

TEST(Export, PositionsNoOtherProgramCouldReadAreLeftOutAndReported) {
  WaypointTable table = test::EmptyTable();
  AddWaypoint(table, "Good", 1.0, 2.0, 3.0, 0);
  AddWaypoint(table, "Nan", std::nan(""), 2.0, 3.0, 0);
  AddWaypoint(table, "High", 1.0, 2.0, 5e6, 0);
  // Control characters, as an old file may hold them in a name: a tab, a
  // bell, an escape and a C1 control (an undefined byte of the code page).
  AddWaypoint(table, "Tab\tbell\a", 1.0, 2.0, 3.0, 0);
  AddWaypoint(table, "\x1b[2J\x81", 1.0, 2.0, 3.0, 0);
  const QStringList lines = {
      QStringLiteral("waypoint 1 \"Nan\": skipped: the latitude is beyond 90 degrees"),
      QStringLiteral("waypoint 2 \"High\": skipped: the height is beyond 100 km"),
      QStringLiteral("waypoint 3 \"Tab\\x09bell\\x07\": skipped: the name holds a control "
                     "character"),
      QStringLiteral("waypoint 4 \"\\x1B[2J\\x81\": skipped: the name holds a control "
                     "character")};
  ExportReport gpxReport;
  const QByteArray gpx = WriteGpx(table, kExportTime, gpxReport);
  EXPECT_EQ(gpxReport.written, 1);
  EXPECT_EQ(gpxReport.Lines(), lines);
  EXPECT_EQ(SchemaErrors(gpx), QString());
  ExportReport csvReport;
  WriteCsv(table, csvReport);
  EXPECT_EQ(csvReport.written, 1);
  EXPECT_EQ(csvReport.Lines(), lines);
}

TEST(Export, EmptyTableGivesTheCsvHeaderAlone) {
  ExportReport report;
  EXPECT_EQ(WriteCsv(test::EmptyTable(), report), QByteArray(kCsvHeader) + "\r\n");
}

}  // namespace
}  // namespace trelvan::exchange
