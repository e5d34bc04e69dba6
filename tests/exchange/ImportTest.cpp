// Imports of the files receivers, mapping apps and spreadsheets write, and
// the rules every import follows: names, ranges, replace or skip, the 50
// records, every skip reported, and a file that is not GPX or CSV changing
// nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "exchange/CsvReader.h"
#include "exchange/ExchangeSupport.h"
#include "exchange/GpxReader.h"
#include "exchange/ImportInput.h"
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
  EXPECT_EQ(report.Entries()[0].where, QStringLiteral("line 9 <wpt>"));
  EXPECT_EQ(table[0].point.lat, 47.376887 * kDegToRad);
  EXPECT_EQ(table[0].point.lon, 8.541694 * kDegToRad);
  EXPECT_EQ(table[0].point.height, 408.71);
  EXPECT_EQ(table[1].point.height, -3.5);
  EXPECT_EQ(table[2].point.height, 0.0);
  EXPECT_EQ(table[2].point.datum, 0);
}

TEST(GpxImport, MappingAppRoutesAndTracksOnlyWhenAsked) {
  WaypointTable table = test::EmptyTable();
  EXPECT_EQ(ReadGpx(test::Fixture("mapping-app.gpx"), ImportOptions{}, table).Entries().size(), 1);
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
  EXPECT_EQ(report.Entries()[2].where, QStringLiteral("line 18 <trkpt>"));
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
  ASSERT_EQ(report.Entries().size(), 3);
  EXPECT_EQ(report.Entries()[2].where, QStringLiteral("line 16 <wpt>"));
  EXPECT_EQ(report.Entries()[2].reason, QStringLiteral("lat is beyond 90 degrees"));
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
    EXPECT_TRUE(report.Entries().isEmpty());
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
  ASSERT_EQ(report.Entries().size(), 2);
  EXPECT_EQ(report.Entries()[0].outcome, Outcome::kSkipped);
  EXPECT_TRUE(
      report.Entries()[0].reason.startsWith(QStringLiteral("the position cannot be stored")));
  EXPECT_EQ(report.Entries()[1].outcome, Outcome::kImported);
}

TEST(CsvImport, SpreadsheetWithBomQuotingLineBreaksAndImpossibleNames) {
  WaypointTable table = test::EmptyTable();
  const ImportReport report = ReadCsv(test::Fixture("spreadsheet.csv"), ImportOptions{}, table);
  EXPECT_EQ(Names(table),
            QStringList({QStringLiteral("Hill, north top"), QStringLiteral("Say \"hi\""),
                         QStringLiteral("Kraków"), QStringLiteral("@By index")}));
  // The calculator's DMS form gives the doubles the forms give.
  EXPECT_EQ(table[0].point.lat, DmsRadians(51, 30, 15, 50));
  EXPECT_LT(table[0].point.lon, 0.0);
  EXPECT_EQ(table[0].point.height, 12.5);
  EXPECT_EQ(table[1].point.datum, 1);  // by name, whatever its case
  EXPECT_EQ(table[2].point.datum, 0);  // empty: the chosen datum
  EXPECT_EQ(table[3].point.datum, 1);  // by index
  QStringList skips;
  for (const ImportEntry& entry : report.Entries()) {
    if (entry.outcome == Outcome::kSkipped) skips.append(entry.where + u' ' + entry.reason);
  }
  // The quoted line break in row 4 is a name holding control characters.
  EXPECT_EQ(skips, QStringList(
                       {QStringLiteral("row 4 the name holds a control character"),
                        QStringLiteral("row 6 the name holds a character that cannot be stored"),
                        QStringLiteral("row 7 the name is longer than 22 characters"),
                        QStringLiteral("row 8 the latitude is beyond 90 degrees"),
                        QStringLiteral("row 9 the datum is not known"),
                        QStringLiteral("row 10 the row has 3 fields, the header 5"),
                        QStringLiteral("row 12 the quoted field opened in row 12 is not closed")}));
  // Every row after the header is accounted for.
  EXPECT_EQ(report.Count(Outcome::kImported) + report.Count(Outcome::kSkipped), 11);
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
  for (const ImportEntry& entry : report.Entries()) {
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
  for (const ImportEntry& entry : report.Entries()) reasons.append(entry.reason);
  EXPECT_EQ(reasons,
            QStringList({QStringLiteral("the band letter does not match the northing"),
                         QStringLiteral("the grid position lies outside its zone"),
                         QStringLiteral("the grid position lies outside its zone"),
                         QStringLiteral(
                             "the grid position lies beyond the UTM grid (80 30' S to 84 30' N)"),
                         QString()}));
  EXPECT_EQ(Names(table), QStringList({QStringLiteral("g5")}));
}

// The records of `text` fed to a splitter in pieces of `piece` characters.
QList<CsvRecord> Split(QStringView text, qsizetype piece) {
  QList<CsvRecord> records;
  CsvSplitter splitter([&records](const CsvRecord& record) { records.append(record); });
  for (qsizetype i = 0; i < text.size(); i += piece) splitter.Feed(text.mid(i, piece));
  splitter.Finish();
  return records;
}

// A record is bounded whatever the file holds: past the limits its row is
// counted through and skipped, and the next row is read as usual.
TEST(CsvImport, RowsBeyondTheLimitsAreSkippedWhole) {
  const QString longField(CsvSplitter::kMaxFieldLength + 1, u'x');
  const QString manyFields = QString(u',').repeated(CsvSplitter::kMaxFields);
  for (const QString& row : {QStringLiteral("A,\"") + longField + QStringLiteral("\",1"),
                             QStringLiteral("A,") + longField, manyFields}) {
    const QList<CsvRecord> records = Split(row + QStringLiteral("\nnext,1\n"), 4096);
    ASSERT_EQ(records.size(), 2);
    EXPECT_LE(records[0].fields.size(), CsvSplitter::kMaxFields);
    EXPECT_TRUE(records[0].problem.startsWith(QString::fromUtf8(
        row == manyFields ? "the row has more than 1024 fields" : "a field is longer than")));
    EXPECT_EQ(records[1].fields, QStringList({QStringLiteral("next"), QStringLiteral("1")}));
    EXPECT_EQ(records[1].row, 2);
  }
}

TEST(CsvImport, SplitFollowsRfc4180WhereverThePiecesEnd) {
  const QStringView text = u"a,\"b,\"\"c\"\"\",\r\n\n\"x\ny\"\r\"z\"q,1\nlast";
  for (const qsizetype piece : {text.size(), qsizetype{1}, qsizetype{3}}) {
    const QList<CsvRecord> records = Split(text, piece);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0].fields,
              QStringList({QStringLiteral("a"), QStringLiteral("b,\"c\""), QString()}));
    EXPECT_EQ(records[1].fields, QStringList({QStringLiteral("x\ny")}));
    EXPECT_EQ(records[2].problem, QStringLiteral("text follows a closing quote"));
    EXPECT_EQ(records[3].row, 4);
    EXPECT_EQ(records[3].fields, QStringList({QStringLiteral("last")}));
  }
}

TEST(CsvImport, FilesThatAreNotCsvChangeNothing) {
  const QByteArray documents[] = {
      QByteArray(),
      QByteArray("name,lat\nA,1\n"),
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
    // The counts are exact; the rows listed one by one stop at 100 skips.
    EXPECT_EQ(report.Entries().size(), 49 + kListedRows);
    EXPECT_EQ(report.Entries().back().reason, QStringLiteral("the table is full (50 waypoints)"));
    EXPECT_EQ(report.Lines().size(), 49 + kListedRows + 1);
    EXPECT_EQ(report.Lines().back(), QStringLiteral("\u2026 and 9851 more skipped rows"));
  }
}

// Imported, replaced and skipped rows add up to the rows of the file, the
// header aside, whatever a quote left open or closed in the wrong place
// took with it.
TEST(CsvImport, AQuoteThatIsNotClosedReportsEveryRowItTook) {
  struct Case {
    const char* csv;
    const char* line;
    const char* summary;
    qint64 rows;
  };
  const Case cases[] = {
      {"name,lat,lon\nA,1,2\n\"B,3,4\nC,5,6\n\nD,7,8\r\nE,9,10\nF,11,12\n",
       "rows 3 to 7: skipped: the quoted field opened in row 3 is not closed",
       "1 imported, 0 replaced, 5 skipped.", 6},
      {"name,lat,lon\nA,1,2\nB,3,\"4",
       "row 3: skipped: the quoted field opened in row 3 is not closed",
       "1 imported, 0 replaced, 1 skipped.", 2},
      // A quote that closes rows later, with text after it, takes the rows
      // between; the rows after it are read again.
      {"name,lat,lon\n\"A,1,2\nB,3,4\nC\"x,5,6\nD,7,8\n",
       "rows 2 to 4: skipped: text follows a closing quote", "1 imported, 0 replaced, 3 skipped.",
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.csv);
    WaypointTable table = test::EmptyTable();
    const ImportReport report = ReadCsv(QByteArray(c.csv), ImportOptions{}, table);
    EXPECT_TRUE(report.Lines().contains(QString::fromUtf8(c.line)))
        << report.Lines().join(u'\n').toStdString();
    EXPECT_EQ(report.Summary(), QString::fromUtf8(c.summary));
    EXPECT_EQ(report.Count(Outcome::kImported) + report.Count(Outcome::kSkipped), c.rows);
  }
}

// The header names of receivers, GIS and spreadsheets (gpsbabel writes
// Altitude), in any case; every column that is not read is named.
TEST(CsvImport, HeaderNamesOfOtherProgramsAreReadAndTheRestNamed) {
  const char* heights[] = {"height", "Altitude", "ALT", "ele", "Elevation"};
  const char* lats[] = {"Latitude", "lat"};
  const char* lons[] = {"longitude", "Lon", "long", "LNG"};
  for (const char* height : heights) {
    for (const char* lat : lats) {
      for (const char* lon : lons) {
        const QByteArray csv = QByteArray("Name,") + lat + "," + lon + "," + height +
                               ",Symbol,,name\nP,1.5,2.5,44,Flag,x,Q\n";
        SCOPED_TRACE(csv.toStdString());
        WaypointTable table = test::EmptyTable();
        const ImportReport report = ReadCsv(csv, ImportOptions{}, table);
        ASSERT_TRUE(report.Complete()) << report.Summary().toStdString();
        EXPECT_EQ(NameText(table[0]), QStringLiteral("P"));
        EXPECT_EQ(table[0].point.lat, 1.5 * kDegToRad);
        EXPECT_EQ(table[0].point.lon, 2.5 * kDegToRad);
        EXPECT_EQ(table[0].point.height, 44.0);
        EXPECT_EQ(report.Summary(), QStringLiteral("1 imported, 0 replaced, 0 skipped.\n"
                                                   "ignored columns: Symbol, column 6, name"));
      }
    }
  }
  // A grid header without its northing reads nothing from the other three.
  WaypointTable table = test::EmptyTable();
  const ImportReport report =
      ReadCsv(QByteArray("name,lat,lon,zone,band,easting\nP,1,2,31,U,5\n"), ImportOptions{}, table);
  EXPECT_EQ(report.ignoredColumns, QStringList({QStringLiteral("zone"), QStringLiteral("band"),
                                                QStringLiteral("easting")}));
}

// A name is text: a control character in it refuses the row in every
// import, and the report shows it without writing it.
TEST(ImportRules, NamesWithControlCharactersAreRefusedByEveryReader) {
  const QByteArray csv =
      "name,lat,lon\n\"Tab\tA\",1,2\n\"CR\rB\",1,2\n\"LF\nC\",1,2\n\x1b[2J,1,2\nDEL\x7f,1,2\n"
      "N\xc2\x85L,1,2\nOK,1,2\n";
  const QByteArray gpx =
      "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\">"
      "<wpt lat=\"1\" lon=\"2\"><name>Tab&#9;A</name></wpt>"
      "<wpt lat=\"1\" lon=\"2\"><name>CR&#13;B</name></wpt>"
      "<wpt lat=\"1\" lon=\"2\"><name>LF&#10;C</name></wpt>"
      "<wpt lat=\"1\" lon=\"2\"><name>DEL\x7f</name></wpt>"
      "<wpt lat=\"1\" lon=\"2\"><name>N\xc2\x85L</name></wpt>"
      "<wpt lat=\"1\" lon=\"2\"><name>OK</name></wpt></gpx>";
  for (const bool isGpx : {false, true}) {
    WaypointTable table = test::EmptyTable();
    const ImportReport report =
        isGpx ? ReadGpx(gpx, ImportOptions{}, table) : ReadCsv(csv, ImportOptions{}, table);
    EXPECT_EQ(Names(table), QStringList{QStringLiteral("OK")});
    EXPECT_EQ(report.Count(Outcome::kSkipped), isGpx ? 5 : 6);
    for (const ImportEntry& entry : report.Entries()) {
      if (entry.outcome != Outcome::kSkipped) continue;
      EXPECT_EQ(entry.reason, QStringLiteral("the name holds a control character"));
    }
    const QString lines = report.Lines().join(u'\n');
    EXPECT_TRUE(lines.contains(QStringLiteral("\"Tab\\x09A\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\"LF\\x0AC\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\"N\\x85L\"")));
    for (const QChar c : lines) {
      const unsigned code = c.unicode();
      EXPECT_FALSE(code < 0x20 && code != '\n') << code;
      EXPECT_FALSE(code >= 0x7f && code <= 0x9f) << code;
    }
    EXPECT_EQ(report.Lines().size(), isGpx ? 6 : 7);
  }
}

// Our extension names the datum of a point; one that names no datum of the
// table stores the point on WGS-84, as the file gives it, and says so.
TEST(GpxImport, ADatumExtensionNamingNoDatumStoresOnWgs84AndSaysSo) {
  struct Case {
    const char* extension;
    std::uint16_t datum;
  };
  const Case cases[] = {
      {"<t:datum index=\"125\">Atlantis</t:datum>", 0},
      {"<t:datum index=\"125\"/>", 0},
      {"<t:datum index=\"-1\"/>", 0},
      {"<t:datum>Atlantis</t:datum>", 0},
      {"<t:datum/>", 0},
      {"<t:datum index=\"1\">Atlantis</t:datum>", 0},
      {"<t:datum index=\"1\"/>", 1},
      {"<t:datum>ed-50 mean</t:datum>", 1},
      {"<t:datum index=\"97\">Pulkovo_1942</t:datum>", 97},
  };
  ImportOptions options;
  options.datum = 5;  // the program's map datum; a point of ours keeps its own
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    const QByteArray gpx = QByteArray(
                               "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" "
                               "xmlns:t=\"urn:x-trelvan:gpx:1\"><wpt lat=\"10\" lon=\"20\">"
                               "<name>A</name><extensions>") +
                           c.extension + "</extensions></wpt></gpx>";
    WaypointTable table = test::EmptyTable();
    const ImportReport report = ReadGpx(gpx, options, table);
    ASSERT_EQ(report.Count(Outcome::kImported), 1);
    EXPECT_EQ(table[0].point.datum, c.datum);
    const bool noted = c.datum == 0;
    EXPECT_EQ(report.Lines().front(),
              noted ? QStringLiteral("line 1 <wpt>: imported \"A\": stored on WGS-84: its datum "
                                     "extension names no known datum")
                    : QStringLiteral("line 1 <wpt>: imported \"A\""));
    if (noted) {
      EXPECT_EQ(table[0].point.lat, 10.0 * kDegToRad);
    }
  }
}

// Both readers read through ImportInput, which stops after 256 MiB: an
// endless file (a pipe that never closes) cannot keep an import going.
TEST(ImportRules, AnImportReadsNoMoreThan256MiB) {
  class EndlessFile : public QIODevice {
   public:
    EndlessFile() { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

   protected:
    qint64 readData(char* data, qint64 maxSize) override {
      std::memset(data, '\n', static_cast<std::size_t>(maxSize));
      return maxSize;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
  };
  EndlessFile endless;
  ImportInput input(endless);
  QByteArray piece(1 << 20, Qt::Uninitialized);
  qint64 total = 0;
  qint64 n;
  while ((n = input.read(piece.data(), piece.size())) > 0) total += n;
  EXPECT_EQ(n, -1);
  EXPECT_EQ(total, kMaxImportBytes);
  EXPECT_EQ(input.Problem(),
            QStringLiteral("The file is larger than 256 MiB; nothing was imported."));
}

// A file whose reading fails halfway changes nothing and says so, whichever
// reader reads it.
TEST(ImportRules, AReadThatFailsHalfwayChangesNothing) {
  // The first bytes of a well-formed file, then a read error.
  class FailingFile : public QIODevice {
   public:
    explicit FailingFile(QByteArray start) : start_(std::move(start)) {
      open(QIODevice::ReadOnly);
      setErrorString(QStringLiteral("Input/output error"));
    }
    bool isSequential() const override { return true; }

   protected:
    qint64 readData(char* data, qint64 maxSize) override {
      if (start_.isEmpty()) return -1;
      const qint64 n = qMin(maxSize, start_.size());
      std::memcpy(data, start_.constData(), static_cast<std::size_t>(n));
      start_.remove(0, n);
      return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

   private:
    QByteArray start_;
  };
  for (const bool isGpx : {false, true}) {
    FailingFile file(isGpx ? "<gpx><wpt lat=\"1\" lon=\"2\"/><wpt" : "name,lat,lon\nA,1,2\nB,3");
    WaypointTable table = test::EmptyTable();
    const ImportReport report =
        isGpx ? ReadGpx(file, ImportOptions{}, table) : ReadCsv(file, ImportOptions{}, table);
    EXPECT_EQ(
        report.failure,
        QStringLiteral("The file cannot be read (Input/output error); nothing was imported."));
    EXPECT_EQ(CountInUse(table), 0);
  }
}

}  // namespace
}  // namespace trelvan::exchange
