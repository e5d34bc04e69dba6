// The menu's "Import Waypoints..." and "Export Waypoints...": the file
// dialog through the services, the table saved at once and shown, the
// summary through the message sink, and a file of another kind changing
// nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <fstream>

#include "exchange/ImportRules.h"
#include "forms/Messages.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using exchange::kListedRows;
using test::MainFormFixture;

class WaypointExchangeMenu : public MainFormFixture {
 protected:
  void WriteFile(const char* name, const std::string& text) {
    std::ofstream(folder.File(name), std::ios::binary) << text;
  }
  std::string ReadFile(const char* name) {
    std::ifstream in(folder.File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(WaypointExchangeMenu, ImportSavesAtOnceRefreshesAndSummarises) {
  WriteFile("points.txt",
            "name,latitude,longitude,height\nNEW 1,10,20,5\nDEFAULT WP,1,1,1\nNEW 2,-10,-20,0\n");
  AppSettings settings{};
  settings.datumIndex = 1;
  WriteSettings(settings);
  // A name without a known suffix is read as the filter chosen says.
  h.chosenFile = FileChoice{QString::fromStdString(folder.File("points.txt")), 1};
  Run([&](MainForm& m) {
    m.RunCommand(MainForm::kCommandImportWaypoints);
    EXPECT_EQ(h.fileRequests, QStringList{QStringLiteral("Import Waypoints")});
    // On disk before the program closes.
    const WaypointTable table = ReadTable();
    ASSERT_EQ(CountInUse(table), 3);
    EXPECT_EQ(table[1].point.datum, 1);  // the map datum of the settings
    EXPECT_EQ(m.ListCount(MainForm::kWaypointList), 3);
    EXPECT_EQ(m.ListText(MainForm::kWaypointList, 2), QStringLiteral("NEW 2"));
  });
  ASSERT_EQ(h.messages.size(), 1);
  EXPECT_EQ(h.messages[0],
            QStringLiteral("Waypoints imported from the file:\n2 imported, 0 replaced, 1 skipped.\n"
                           "row 3: skipped \"DEFAULT WP\": the name is already in the table"));
}

TEST_F(WaypointExchangeMenu, AFileOfAnotherKindOrACancelChangesNothing) {
  WriteFile("track.gpx", "<gpx><wpt lat=\"1\" lon=\"2\"><name>A</name></wpt>");
  Run([&](MainForm& m) {
    h.chosenFile = FileChoice{QString::fromStdString(folder.File("track.gpx")), 1};
    m.RunCommand(MainForm::kCommandImportWaypoints);
    h.chosenFile = FileChoice{};
    m.RunCommand(MainForm::kCommandImportWaypoints);
    m.RunCommand(MainForm::kCommandExportWaypoints);
    EXPECT_EQ(m.ListCount(MainForm::kWaypointList), 1);
  });
  ASSERT_EQ(h.messages.size(), 1);
  EXPECT_TRUE(h.messages[0].startsWith(QString::fromUtf8(messages::kImportFailed) + u'\n'));
  EXPECT_TRUE(h.messages[0].contains(QStringLiteral("line 1")));
  EXPECT_EQ(CountInUse(ReadTable()), 1);
}

TEST_F(WaypointExchangeMenu, ExportWritesTheChosenFormatAndSummarises) {
  Run([&](MainForm& m) {
    h.chosenFile = FileChoice{QString::fromStdString(folder.File("out.gpx")), 1};
    m.RunCommand(MainForm::kCommandExportWaypoints);
    h.chosenFile = FileChoice{QString::fromStdString(folder.File("out")), 1};
    m.RunCommand(MainForm::kCommandExportWaypoints);
    h.chosenFile = FileChoice{QString::fromStdString(folder.File("missing/out.csv")), 1};
    m.RunCommand(MainForm::kCommandExportWaypoints);
  });
  // The suffix wins over the filter; without one the filter counts.
  EXPECT_NE(ReadFile("out.gpx").find("<time>2026-12-07T"), std::string::npos);
  EXPECT_EQ(ReadFile("out").substr(0, 4), "name");
  EXPECT_EQ(h.messages, (QStringList{QStringLiteral("Waypoints exported:\n1 written, 0 skipped."),
                                     QStringLiteral("Waypoints exported:\n1 written, 0 skipped."),
                                     QString::fromUtf8(messages::kCannotWriteFile) +
                                         QStringLiteral("\nNo such file or directory")}));
}

// The menu's export writes into a pipe or a device as trelvan-waypoints
// does, and says why it cannot; the node stays what it is.
TEST_F(WaypointExchangeMenu, ExportNeverReplacesAPipe) {
  const std::string fifo = folder.File("pipe.gpx");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  h.chosenFile = FileChoice{QString::fromStdString(fifo), 0};
  Run([&](MainForm& m) { m.RunCommand(MainForm::kCommandExportWaypoints); });
  EXPECT_EQ(h.messages, QStringList{QString::fromUtf8(messages::kCannotWriteFile) +
                                    QStringLiteral("\nNo such device or address")});
  struct stat st;
  ASSERT_EQ(stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A file of thousands of rows: the message holds the counts and the first
// few rows that were skipped or stored otherwise than the file says, and
// every row the report lists lies behind "Show Details...".
TEST_F(WaypointExchangeMenu, ALongReportKeepsTheMessageShortAndTheRestInTheDetails) {
  std::string csv = "name,lat,lon,Symbol\n";
  for (int i = 0; i < 3000; ++i) csv += "P" + std::to_string(i) + ",91,0,x\n";
  WriteFile("many.csv", csv);
  WriteFile("datum.gpx",
            "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:t=\"urn:x-trelvan:gpx:1\">"
            "<wpt lat=\"1\" lon=\"2\"><name>ODD</name><extensions><t:datum index=\"125\"/>"
            "</extensions></wpt></gpx>");
  Run([&](MainForm& m) {
    h.chosenFile = FileChoice{QString::fromStdString(folder.File("many.csv")), 0};
    m.RunCommand(MainForm::kCommandImportWaypoints);
    h.chosenFile = FileChoice{QString::fromStdString(folder.File("datum.gpx")), 1};
    m.RunCommand(MainForm::kCommandImportWaypoints);
    EXPECT_EQ(workspace->Waypoints()[1].point.datum, 0);
  });
  ASSERT_EQ(h.messages.size(), 2);
  const QStringList text = h.messages[0].split(u'\n');
  ASSERT_EQ(text.size(), 2 + 1 + 10 + 1);
  EXPECT_EQ(text[1], QStringLiteral("0 imported, 0 replaced, 3000 skipped."));
  EXPECT_EQ(text[2], QStringLiteral("ignored columns: Symbol"));
  EXPECT_EQ(text[3], QStringLiteral("row 2: skipped \"P0\": the latitude is beyond 90 degrees"));
  EXPECT_EQ(text.last(), QStringLiteral("... and 2990 more skipped."));
  const QStringList details = h.details[0].split(u'\n');
  ASSERT_EQ(details.size(), kListedRows + 1);
  EXPECT_EQ(details.last(), QStringLiteral("\u2026 and 2900 more skipped rows"));
  EXPECT_EQ(h.messages[1], QStringLiteral("Waypoints imported from the file:\n"
                                          "1 imported, 0 replaced, 0 skipped.\n"
                                          "line 1 <wpt>: imported \"ODD\": stored on WGS-84: its "
                                          "datum extension names no known datum"));
}

}  // namespace
}  // namespace trelvan
