// The menu's "Import Waypoints..." and "Export Waypoints...": the file
// dialog through the services, the table saved at once and shown, the
// summary through the message sink, and a file of another kind changing
// nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <fstream>

#include "forms/Messages.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

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
                                     QString::fromUtf8(messages::kCannotWriteFile)}));
}

}  // namespace
}  // namespace trelvan
