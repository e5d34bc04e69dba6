// Imports of the files receivers, mapping apps and spreadsheets write, and
// the rules every import follows: names, ranges, replace or skip, the 50
// records, every skip reported, and a file that is not GPX or CSV changing
// nothing.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cmath>
#include <cstring>

#include "exchange/CsvReader.h"
#include "exchange/ExchangeSupport.h"
#include "exchange/GpxReader.h"
#include "exchange/WaypointName.h"
#include "geodesy/DatumShift.h"
#include "measures/DmsEntry.h"

namespace trelvan::exchange {
namespace {

QStringList Names(const WaypointTable& table) {
  QStringList names;
  for (int i = 0; i < CountInUse(table); ++i) names.append(NameText(table[i]));
  return names;
}

TEST(GpxImport, HandheldFileWithPrefixesTimesSymbolsAndExtensions) {
  WaypointTable table = test::EmptyTable();
  const ImportReport report = ReadGpx(test::Fixture("handheld.gpx"), ImportOptions{}, table);
  EXPECT_TRUE(report.Complete()) << report.Summary().toStdString();
  // The name in a foreign extension is not the waypoint's; blanks around a
  // name are layout.
  EXPECT_EQ(Names(table), QStringList({QStringLiteral("TRIG 0417"), QStringLiteral("Café Münster"),
                                       QStringLiteral("NO HEIGHT")}));
  EXPECT_EQ(report.entries[0].where, QStringLiteral("line 9 <wpt>"));
  EXPECT_EQ(table[0].point.lat, 47.376887 * kDegToRad);
  EXPECT_EQ(table[0].point.lon, 8.541694 * kDegToRad);
  EXPECT_EQ(table[0].point.height, 408.71);
  EXPECT_EQ(table[1].point.height, -3.5);
  EXPECT_EQ(table[2].point.height, 0.0);
  EXPECT_EQ(table[2].point.datum, 0);
}

TEST(GpxImport, MappingAppRoutesAndTracksOnlyWhenAsked) {
  WaypointTable table = test::EmptyTable();
  EXPECT_EQ(ReadGpx(test::Fixture("mapping-app.gpx"), ImportOptions{}, table).entries.size(), 1);
  EXPECT_EQ(Names(table), QStringList({QStringLiteral("Start")}));

  ImportOptions options;
  options.waypoints = false;
  options.routePoints = true;
  options.trackPoints = true;
  options.datum = 90;  // stored on OSGB36, converted from WGS-84
  table = test::EmptyTable();
  const ImportReport report = ReadGpx(test::Fixture("mapping-app.gpx"), options, table);
  // Unnamed track points get free names as in the Waypoints form.
  EXPECT_EQ(Names(table),
            QStringList({QStringLiteral("R1"), QStringLiteral("R2"), QStringLiteral("WP #2"),
                         QStringLiteral("WP #3"), QStringLiteral("WP #4")}));
  EXPECT_EQ(report.entries[2].where, QStringLiteral("line 18 <trkpt>"));
  EXPECT_EQ(table[2].point.datum, 90);
  const GeoPoint back = ConvertDatum(0, table[2].point);
  EXPECT_NEAR(back.lat * kRadToDeg, 51.6, 1e-9);
  EXPECT_NEAR(back.lon * kRadToDeg, -0.6, 1e-9);
  EXPECT_NEAR(back.height, 101.2, 1e-3);
  // OSGB36 lies about a hundred metres from WGS-84 there.
  EXPECT_GT(std::fabs(table[2].point.lon * kRadToDeg + 0.6), 1e-4);
}

TEST(GpxImport, Gpx10FileAndAPositionOutOfRange) {
  WaypointTable table = test::EmptyTable();
  const ImportReport report = ReadGpx(test::Fixture("gpx10.gpx"), ImportOptions{}, table);
  EXPECT_EQ(Names(table), QStringList({QStringLiteral("LIBERTY"), QStringLiteral("EMPIRE")}));
  ASSERT_EQ(report.entries.size(), 3);
  EXPECT_EQ(report.entries[2].where, QStringLiteral("line 16 <wpt>"));
  EXPECT_EQ(report.entries[2].reason, QStringLiteral("lat is beyond 90 degrees"));
  EXPECT_FALSE(report.Complete());
}

TEST(GpxImport, FilesThatAreNotGpxChangeNothing) {
  const char* documents[] = {
      "",
      "name,latitude,longitude\r\nA,1,2\r\n",
      "<kml><Placemark/></kml>",
      // Well-formed until a point is cut off: nothing of it is imported.
      "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"><wpt lat=\"1\" "
      "lon=\"2\"><name>A</name></wpt>"
      "<wpt lat=\"3\" lon=\"4\"><name>B</na",
      "<gpx><wpt lat=\"1\" lon=\"2\"/></gpx><gpx/>",
  };
  for (const char* document : documents) {
    WaypointTable table = test::EmptyTable();
    test::AddWaypoint(table, "KEEP", 1.0, 2.0, 3.0, 0);
    const WaypointTable before = table;
    const ImportReport report = ReadGpx(QByteArray(document), ImportOptions{}, table);
    EXPECT_FALSE(report.failure.isEmpty()) << document;
    EXPECT_TRUE(report.entries.isEmpty());
    EXPECT_EQ(std::memcmp(&table, &before, sizeof table), 0) << document;
  }
}

TEST(GpxImport, PointsWithoutAUsablePositionAreReportedWithTheirElement) {
  const QByteArray gpx =
      "<gpx xmlns=\"http://www.topografix.com/GPX/1/0\">\n"
      "<wpt lon=\"2\"><name>NOLAT</name></wpt>\n"
      "<wpt lat=\"x\" lon=\"2\"><name>BADLAT</name></wpt>\n"
      "<wpt lat=\"1\" lon=\"181\"><name>BADLON</name></wpt>\n"
      "<wpt lat=\"1\" lon=\"2\"><ele>high</ele><name>BADELE</name></wpt>\n"
      "<wpt lat=\"1\" lon=\"2\"><ele>1e6</ele><name>SPACE</name></wpt>\n"
      "<other:wpt xmlns:other=\"urn:other\" lat=\"1\" lon=\"2\"/>\n"
      "</gpx>";
  WaypointTable table = test::EmptyTable();
  const ImportReport report = ReadGpx(gpx, ImportOptions{}, table);
  EXPECT_EQ(CountInUse(table), 0);
  EXPECT_EQ(
      report.Lines(),
      QStringList(
          {QStringLiteral("line 2 <wpt>: skipped \"NOLAT\": it has no lat or no lon attribute"),
           QStringLiteral("line 3 <wpt>: skipped \"BADLAT\": lat is not an angle in degrees "
                          "(like 51.5042, -0.1277 or 51d30'15.5\"N)"),
           QStringLiteral("line 4 <wpt>: skipped \"BADLON\": lon is beyond 180 degrees"),
           QStringLiteral("line 5 <wpt>: skipped \"BADELE\": <ele> is not a number"),
           QStringLiteral("line 6 <wpt>: skipped \"SPACE\": the height is beyond 100 km")}));
}

TEST(GpxImport, APoleThatWouldNotConvertBackIsSkippedNotStored) {
  // Found by the fuzzer: at the pole, moved onto another datum, the datum
  // shift's height comes back from WGS-84 hundreds of kilometres off, and
  // the stored waypoint could never be exported again.
  ImportOptions options;
  options.datum = 24;
  options.datumGiven = true;
  WaypointTable table = test::EmptyTable();
  const ImportReport report = ReadGpx(
      "<gpx><wpt lat=\"90\" lon=\"-73\"/><wpt lat=\"89.99\" lon=\"-73\"/></gpx>", options, table);
  ASSERT_EQ(report.entries.size(), 2);
  EXPECT_EQ(report.entries[0].outcome, Outcome::kSkipped);
  EXPECT_TRUE(report.entries[0].reason.startsWith(QStringLiteral("the position cannot be stored")));
  EXPECT_EQ(report.entries[1].outcome, Outcome::kImported);
}

TEST(CsvImport, SpreadsheetWithBomQuotingLineBreaksAndImpossibleNames) {
  WaypointTable table = test::EmptyTable();
  const ImportReport report = ReadCsv(test::Fixture("spreadsheet.csv"), ImportOptions{}, table);
  EXPECT_EQ(Names(table),
            QStringList({QStringLiteral("Hill, north top"), QStringLiteral("Say \"hi\""),
                         QStringLiteral("Two\r\nlines"), QStringLiteral("Kraków")}));
  // The calculator's DMS form gives the doubles the forms give.
  EXPECT_EQ(table[0].point.lat, DmsRadians(51, 30, 15, 50));
  EXPECT_LT(table[0].point.lon, 0.0);
  EXPECT_EQ(table[0].point.height, 12.5);
  EXPECT_EQ(table[1].point.datum, 1);  // by name, whatever its case
  EXPECT_EQ(table[2].point.datum, 1);  // by index
  EXPECT_EQ(table[3].point.datum, 0);  // empty: the chosen datum
  QStringList skips;
  for (const ImportEntry& entry : report.entries) {
    if (entry.outcome == Outcome::kSkipped) skips.append(entry.where + u' ' + entry.reason);
  }
  EXPECT_EQ(skips,
            QStringList({QStringLiteral("row 6 the name holds a character that cannot be stored"),
                         QStringLiteral("row 7 the name is longer than 22 characters"),
                         QStringLiteral("row 8 the latitude is beyond 90 degrees"),
                         QStringLiteral("row 9 the datum is not known"),
                         QStringLiteral("row 10 the row has 3 fields, the header 5"),
                         QStringLiteral("row 11 a quoted field is not closed")}));
}

TEST(CsvImport, GridHeaderReadsZoneBandEastingAndNorthing) {
  WaypointTable table = test::EmptyTable();
  const ImportReport report = ReadCsv(test::Fixture("grid.csv"), ImportOptions{}, table);
  EXPECT_EQ(Names(table), QStringList({QStringLiteral("P1"), QStringLiteral("P2")}));
  // P1 is 48.8584 N 2.2945 E (zone 31), P2 33.8568 S 151.2153 E (zone 56).
  EXPECT_NEAR(table[0].point.lat * kRadToDeg, 48.8584, 1e-8);
  EXPECT_NEAR(table[0].point.lon * kRadToDeg, 2.2945, 1e-8);
  EXPECT_EQ(table[0].point.height, 35.0);
  EXPECT_NEAR(table[1].point.lat * kRadToDeg, -33.8568, 1e-8);
  EXPECT_NEAR(table[1].point.lon * kRadToDeg, 151.2153, 1e-8);
  QStringList reasons;
  for (const ImportEntry& entry : report.entries) {
    if (entry.outcome == Outcome::kSkipped) reasons.append(entry.reason);
  }
  EXPECT_EQ(
      reasons,
      QStringList(
          {QStringLiteral("the zone is not 1..60"),
           QStringLiteral("the grid position lies outside its zone"),
           QStringLiteral("the grid position lies beyond the UTM grid (80 30' S to 84 30' N)"),
           QStringLiteral("the grid position lies beyond the UTM grid (80 30' S to 84 30' N)"),
           QStringLiteral("the row has 5 fields, the header 7")}));
}

TEST(CsvImport, GridRowsOffTheGridOrTheirBandAreSkippedWithTheReason) {
  WaypointTable table = test::EmptyTable();
  const QByteArray csv =
      "name,zone,band,easting,northing\n"
      "g1,31,C,500000,9329006\n"    // 6 S named as band C, 72 to 80 S
      "g2,31,N,999998.9,9329006\n"  // 4.7 km off the exact projection
      "g3,60,C,1000000,1062605\n"   // a longitude of 202 degrees
      "g4,31,X,500000,9390000\n"    // beyond 84 30' N
      "g5,31,X,500000,9328000\n";   // just south of 84 N on the meridian
  const ImportReport report = ReadCsv(csv, ImportOptions{}, table);
  QStringList reasons;
  for (const ImportEntry& entry : report.entries) reasons.append(entry.reason);
  EXPECT_EQ(reasons,
            QStringList({QStringLiteral("the band letter does not match the northing"),
                         QStringLiteral("the grid position lies outside its zone"),
                         QStringLiteral("the grid position lies outside its zone"),
                         QStringLiteral(
                             "the grid position lies beyond the UTM grid (80 30' S to 84 30' N)"),
                         QString()}));
  EXPECT_EQ(Names(table), QStringList({QStringLiteral("g5")}));
}

TEST(CsvImport, SplitFollowsRfc4180) {
  const QList<CsvRecord> records = SplitCsv(u"a,\"b,\"\"c\"\"\",\r\n\n\"x\ny\"\r\"z\"q,1\nlast");
  ASSERT_EQ(records.size(), 4);
  EXPECT_EQ(records[0].fields,
            QStringList({QStringLiteral("a"), QStringLiteral("b,\"c\""), QString()}));
  EXPECT_EQ(records[1].fields, QStringList({QStringLiteral("x\ny")}));
  EXPECT_EQ(records[2].problem, QStringLiteral("text follows a closing quote"));
  EXPECT_EQ(records[3].row, 4);
  EXPECT_EQ(records[3].fields, QStringList({QStringLiteral("last")}));
}

TEST(CsvImport, FilesThatAreNotCsvChangeNothing) {
  const QByteArray documents[] = {
      QByteArray(),
      QByteArray("name,lat,lon\nA,1,2\n"),
      QByteArray("<?xml version=\"1.0\"?><gpx version=\"1.1\"/>"),
      QByteArray("name,latitude,longitude\nK\xF6ln,50.9,6.9\n"),  // Windows-1252, not UTF-8
      QByteArray("name,latitude,longitude\nA\0B,1,2\n", 26),
  };
  for (const QByteArray& document : documents) {
    WaypointTable table = test::EmptyTable();
    test::AddWaypoint(table, "KEEP", 1.0, 2.0, 3.0, 0);
    const ImportReport report = ReadCsv(document, ImportOptions{}, table);
    EXPECT_FALSE(report.failure.isEmpty()) << document.toStdString();
    EXPECT_EQ(Names(table), QStringList({QStringLiteral("KEEP")}));
  }
}

TEST(ImportRules, ANameInTheTableIsSkippedOrReplacedAsAsked) {
  const QByteArray csv = "name,latitude,longitude\nKEEP,10,20\nNEW,30,40\nNEW,50,60\n";
  for (const bool replace : {false, true}) {
    WaypointTable table = test::EmptyTable();
    test::AddWaypoint(table, "KEEP", 1.0, 2.0, 3.0, 5);
    ImportOptions options;
    options.replace = replace;
    const ImportReport report = ReadCsv(csv, options, table);
    EXPECT_EQ(Names(table), QStringList({QStringLiteral("KEEP"), QStringLiteral("NEW")}));
    EXPECT_EQ(table[0].point.lat, (replace ? 10.0 : 1.0) * kDegToRad);
    EXPECT_EQ(table[0].point.datum, replace ? 0 : 5);
    EXPECT_EQ(table[1].point.lat, (replace ? 50.0 : 30.0) * kDegToRad);
    EXPECT_EQ(report.Count(Outcome::kReplaced), replace ? 2 : 0);
    EXPECT_EQ(report.Count(Outcome::kSkipped), replace ? 0 : 2);
    EXPECT_EQ(report.Summary(), replace ? QStringLiteral("1 imported, 2 replaced, 0 skipped.")
                                        : QStringLiteral("1 imported, 0 replaced, 2 skipped."));
  }
}

TEST(ImportRules, TenThousandWaypointsFillTheTableAndTheRestAreReported) {
  QByteArray csv = "name,latitude,longitude,height\n";
  QByteArray gpx = "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\">\n";
  for (int i = 0; i < 10000; ++i) {
    const QByteArray lat = QByteArray::number(-89.0 + i * 0.0178, 'f', 4);
    const QByteArray lon = QByteArray::number(-179.0 + i * 0.0358, 'f', 4);
    csv += "P" + QByteArray::number(i) + "," + lat + "," + lon + ",1.5\n";
    gpx += "<wpt lat=\"" + lat + "\" lon=\"" + lon + "\"><name>P" + QByteArray::number(i) +
           "</name></wpt>\n";
  }
  gpx += "</gpx>\n";
  for (const bool isGpx : {false, true}) {
    WaypointTable table;
    MakeDefaultTable(table);
    const ImportReport report =
        isGpx ? ReadGpx(gpx, ImportOptions{}, table) : ReadCsv(csv, ImportOptions{}, table);
    EXPECT_EQ(CountInUse(table), kWaypointCapacity);
    EXPECT_EQ(NameText(table[49]), QStringLiteral("P48"));
    EXPECT_EQ(report.Count(Outcome::kImported), 49);
    EXPECT_EQ(report.Count(Outcome::kSkipped), 10000 - 49);
    EXPECT_EQ(report.entries.back().reason, QStringLiteral("the table is full (50 waypoints)"));
  }
}

}  // namespace
}  // namespace trelvan::exchange
