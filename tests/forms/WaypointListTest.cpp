// The waypoint list: its model against the table on disk, what it copies,
// and the window driven from the keyboard as a user has it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTableView>
#include <QTest>
#include <vector>

#include "forms/MainForm.h"
#include "forms/WaypointListWindow.h"
#include "forms/WaypointTableModel.h"
#include "forms/WaypointsForm.h"
#include "measures/Units.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using test::PointDeg;
using test::Put;
using M = WaypointTableModel;

class WaypointListTest : public test::MainFormFixture {
 protected:
  void SetUp() override {
    WaypointTable table{};
    Put(table, 0, "Church spire", PointDeg(47.3769, 8.5417, 430));
    Put(table, 1, "mast north", PointDeg(47.4012, 8.5521, 512));
    Put(table, 2, "Bridge", PointDeg(47.3655, 8.5260, 405));
    Put(table, 3, "Summit", PointDeg(46.5586, 8.5612, 3210));
    Put(table, 4, "Mast south", PointDeg(47.30, 8.55, 20));
    WriteTable(table);
    WriteSettings(AppSettings{0, kDegrees, kMeters, 0, 0, 2});  // the base is Bridge
  }

  // The texts of `column` in the list, top to bottom.
  static QStringList Shown(const WaypointListWindow& list, int column) {
    QStringList texts;
    const QAbstractItemModel& view = *list.Table()->model();
    for (int row = 0; row < view.rowCount(); ++row)
      texts << view.index(row, column).data().toString();
    return texts;
  }
};

TEST_F(WaypointListTest, SortingReordersTheViewAndNeverTheTable) {
  Run([&](MainForm& m) {
    m.RunCommand(MainForm::kCommandWaypointList);
    WaypointListWindow& list = *m.WaypointList();
    const std::string onDisk = ReadText(kWaypointFileName);
    int changes = 0;
    QObject::connect(&*workspace, &Workspace::Changed, [&changes] { ++changes; });
    QTableView& view = *list.Table();
    view.sortByColumn(M::kName, Qt::AscendingOrder);
    EXPECT_EQ(Shown(list, M::kName),
              (QStringList{"Bridge", "Church spire", "mast north", "Mast south", "Summit"}));
    view.sortByColumn(M::kAltitude, Qt::DescendingOrder);  // by metres, not by text
    EXPECT_EQ(Shown(list, M::kNumber), (QStringList{"3", "1", "0", "2", "4"}));
    view.sortByColumn(M::kDistance, Qt::AscendingOrder);
    EXPECT_EQ(Shown(list, M::kName).front(), "Bridge");
    for (int column = 0; column < M::kColumnCount; ++column) {
      view.sortByColumn(column, Qt::DescendingOrder);
      view.sortByColumn(column, Qt::AscendingOrder);
    }
    view.sortByColumn(M::kNumber, Qt::AscendingOrder);
    EXPECT_EQ(Shown(list, M::kNumber), (QStringList{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ReadText(kWaypointFileName), onDisk);
  });
}

// Cells as the forms show them, in the units of the moment, under captions
// that name the units: a spreadsheet takes them as columns.
TEST_F(WaypointListTest, CopyGivesTheSelectedRowsUnderTheirCaptions) {
  Run([&](MainForm& m) {
    m.RunCommand(MainForm::kCommandWaypointList);
    WaypointListWindow& list = *m.WaypointList();
    test::SetDistanceUnit(*workspace, kFeet);
    list.Table()->selectRow(2);
    const QStringList lines = list.SelectedText().split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].split(u'\t'),
              (QStringList{"#", "Name", "Latitude", "Longitude", "Alt (ft)", "Zone", "Easting",
                           "Northing", "MGRS", "Datum", "Distance (ft)", "Azimuth (Deg)"}));
    EXPECT_EQ(
        lines[1].split(u'\t'),
        (QStringList{"2", "Bridge", "N 047°21'55.80\"", "E 008°31'33.60\"", "+01329", "32T",
                     "0464210.4", "5245891.0", "32T MT 64210 45891", "WGS-84", "0.00", "0.00"}));
    EXPECT_EQ(lines[2], "");
  });
}

TEST_F(WaypointListTest, OpenFilterSetBaseRenameCopyEditAndDeleteFromTheKeyboard) {
  h.answer = true;
  int editWhenOpen = -1;
  h.Script<WaypointsForm>(
      [&](WaypointsForm&) { editWhenOpen = workspace->Settings().editWaypoint; });
  Run([&](MainForm& m) {
    m.show();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    std::vector<Workspace::Parts> changes;
    QObject::connect(&*workspace, &Workspace::Changed,
                     [&changes](Workspace::Parts parts) { changes.push_back(parts); });
    const auto key = [](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
      QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    };
    const auto type = [&key](const char* text) {
      QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
      key(Qt::Key_Return);
      QCoreApplication::processEvents();  // an editor commits its text when the key is through
    };

    QTest::keyClick(&m, Qt::Key_L, Qt::ControlModifier);
    WaypointListWindow* list = m.WaypointList();
    ASSERT_TRUE(list && QTest::qWaitFor([list] { return QApplication::activeWindow() == list; }));
    EXPECT_EQ(list->CurrentRecord(), 2);  // it opens on the base
    key(Qt::Key_F, Qt::ControlModifier);
    type("mast");  // Enter goes back to the table, on its first row
    EXPECT_EQ(Shown(*list, M::kName), (QStringList{"mast north", "Mast south"}));
    key(Qt::Key_Return);
    EXPECT_EQ(workspace->Settings().baseWaypoint, 1);

    key(Qt::Key_F2);
    type("Mast south");
    QCoreApplication::processEvents();  // the refusal shows once the editor has closed
    EXPECT_EQ(h.messages, QStringList{"ERROR!\nAnother waypoint is already named \"Mast south\"."});
    key(Qt::Key_F2);
    type("Mast N");
    EXPECT_EQ(WaypointName(workspace->Waypoints()[1]), "Mast N");

    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(
        QGuiApplication::clipboard()->text().section(u'\n', 1, 1).startsWith("1\tMast N\t"));
    key(Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return editWhenOpen >= 0; }));  // a button's mnemonic clicks it after a moment
    EXPECT_EQ(editWhenOpen, 1);

    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_Delete);
    EXPECT_EQ(h.questions, QStringList{"Delete 2 waypoints?"});
    EXPECT_TRUE(Shown(*list, M::kName).isEmpty());
    // Base, rename, edit waypoint, deletion: one change each.
    EXPECT_EQ(changes, (std::vector<Workspace::Parts>{
                           Workspace::kBase, Workspace::kTable, Workspace::kEditWaypoint,
                           Workspace::kTable | Workspace::kBase | Workspace::kEditWaypoint}));
  });
  EXPECT_EQ(h.messages.size(), 1);
  const WaypointTable table = ReadTable();
  ASSERT_EQ(CountInUse(table), 3);
  EXPECT_EQ(WaypointName(table[2]), "Summit");
  EXPECT_EQ(ParseSettings(ReadText(kSettingsFileName)).baseWaypoint, 0);  // its waypoint went
}

}  // namespace
}  // namespace trelvan
