// Nothing a user enters waits for the close: every change of the table or
// the settings is in the files of the data folder before the next user
// action, a failed write keeps the data and is tried again, a damaged record
// is never used as a position, and a data folder whose name is not UTF-8 is
// the folder the files go to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/BackPolarPlotForm.h"
#include "forms/Forward3DForm.h"
#include "forms/Inverse3DForm.h"
#include "forms/Messages.h"
#include "forms/PolarResultForm.h"
#include "forms/Resection3DForm.h"
#include "forms/UnitsForm.h"
#include "forms/WaypointsForm.h"
#include "measures/Units.h"
#include "store/DataFolder.h"
#include "store/SafeFile.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using testing::MainFormFixture;
using testing::Measure;
using testing::PointDeg;
using testing::SameTable;
using testing::TableOf;
using W = WaypointsForm;

const QString kCannotWrite = QString::fromUtf8(messages::kCannotWriteFile);
const QString kNoPosition = QString::fromUtf8(messages::kNoValidPosition);

class SaveOnChange : public MainFormFixture {
 protected:
  void SetUp() override {
    WriteSettings(AppSettings{0, 1, 0, 0, 0, 0});
    WriteTable(kTable);
  }
  void TearDown() override { SetWriteLimitForTesting(-1); }

  AppSettings Disk() const { return ParseSettings(ReadText(kSettingsFileName)); }
  std::vector<std::string> DiskNames() const {
    const WaypointTable table = ReadTable();
    std::vector<std::string> names;
    for (int i = 0; i < CountInUse(table); ++i) names.emplace_back(WaypointName(table[i]));
    return names;
  }

  const WaypointTable kTable =
      TableOf({PointDeg(47.1, 8.5, 450), PointDeg(47.2, 8.6, 600), PointDeg(47.6, -122.3, 50)});
};

TEST_F(SaveOnChange, EveryChangeInTheWaypointsFormIsOnDiskAtOnce) {
  h.answer = true;
  h.Script<W>([&](W& w) {
    ASSERT_TRUE(w.Press(W::kUtmMode));
    EXPECT_EQ(Disk().inputMode, W::kModeUtm);
    ASSERT_TRUE(w.Press(W::kLatLonMode));
    EXPECT_EQ(Disk().inputMode, W::kModeLatLon);
    ASSERT_TRUE(w.Type(W::kWaypointList, "ALPHA"));
    ASSERT_TRUE(w.Press(W::kSave));
    EXPECT_EQ(DiskNames(), (std::vector<std::string>{"WP 0", "WP 1", "WP 2", "ALPHA"}));
    ASSERT_TRUE(w.Type(W::kWaypointList, "WP 1"));
    ASSERT_TRUE(w.Press(W::kDeleteOne));
    EXPECT_EQ(DiskNames(), (std::vector<std::string>{"WP 0", "WP 2", "ALPHA"}));
    ASSERT_TRUE(w.Press(W::kDeleteAll));
    EXPECT_TRUE(DiskNames().empty());
  });
  Run([](MainForm& m) { m.RunCommand(MainForm::kCommandWaypoints); });
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(SaveOnChange, SelectionsUnitsAndStoredResultsAreOnDiskAtOnce) {
  h.Script<UnitsForm>([](UnitsForm& u) {
    u.Press(UnitsForm::kFeetRadio);
    u.Press(UnitsForm::kOk);
  });
  h.Script<Forward3DForm>([](Forward3DForm& f) {
    ASSERT_TRUE(f.Choose(Forward3DForm::kWaypointList, 1));
    Measure(f, "10", "00", "0", "00", "100", "00");
    f.Press(Forward3DForm::kOk);
  });
  h.Script<BackPolarPlotForm>([&](BackPolarPlotForm& f) {
    ASSERT_TRUE(f.Choose(BackPolarPlotForm::kWaypointList, 2));
    EXPECT_EQ(Disk().editWaypoint, 2);
    Measure(f, "20", "00", "0", "00", "50", "00");
    f.Press(BackPolarPlotForm::kOk);
  });
  std::vector<std::string> namesWhenShown;
  h.Script<W>([&](W&) { namesWhenShown = DiskNames(); });
  Run([&](MainForm& m) {
    ASSERT_TRUE(m.Choose(MainForm::kWaypointList, 2));
    EXPECT_EQ(Disk().baseWaypoint, 2);
    m.RunCommand(MainForm::kCommandUnits);
    EXPECT_EQ(Disk().distanceUnit, kFeet);
    m.RunCommand(MainForm::kCommandForward3D);
    EXPECT_EQ(namesWhenShown.size(), 4u);  // the target, before its form showed
    EXPECT_EQ(Disk().baseWaypoint, 1);
    EXPECT_EQ(Disk().editWaypoint, 3);
    m.RunCommand(MainForm::kCommandBackPolar);
    EXPECT_EQ(namesWhenShown.size(), 5u);
    EXPECT_EQ(Disk().editWaypoint, 4);
    ASSERT_TRUE(m.Press(MainForm::kEdit));
    EXPECT_EQ(Disk().editWaypoint, 1);
  });
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(SaveOnChange, AFailedWriteKeepsTheDataAndIsTriedAgain) {
  h.Script<W>([&](W& w) {
    SetWriteLimitForTesting(0);
    ASSERT_TRUE(w.Type(W::kWaypointList, "ALPHA"));
    ASSERT_TRUE(w.Press(W::kSave));
    EXPECT_EQ(h.messages, QStringList{kCannotWrite});  // once, not once per file
    EXPECT_TRUE(SameTable(ReadTable(), kTable));
    ASSERT_TRUE(w.Type(W::kWaypointList, "BRAVO"));
    ASSERT_TRUE(w.Press(W::kSave));
    EXPECT_EQ(h.messages.size(), 2);
    SetWriteLimitForTesting(-1);
    ASSERT_TRUE(w.Press(W::kUtmMode));  // the next change writes everything pending
    EXPECT_EQ(DiskNames(), (std::vector<std::string>{"WP 0", "WP 1", "WP 2", "ALPHA", "BRAVO"}));
    EXPECT_EQ(Disk().inputMode, W::kModeUtm);
    SetWriteLimitForTesting(0);
    ASSERT_TRUE(w.Type(W::kWaypointList, "CHARLIE"));
    ASSERT_TRUE(w.Press(W::kSave));
    SetWriteLimitForTesting(-1);
  });
  Run([](MainForm& m) { m.RunCommand(MainForm::kCommandWaypoints); });
  EXPECT_EQ(h.messages.size(), 3);
  // The save after the form closed tried again.
  EXPECT_EQ(DiskNames().back(), "CHARLIE");
}

TEST_F(SaveOnChange, AFailedCloseSaveIsReported) {
  bool closedSaved = true;
  h.Script<MainForm>([](MainForm& m) {
    m.settings.datumIndex = 3;
    SetWriteLimitForTesting(0);
  });
  {
    MainForm main(h.services, dataFolder);
    main.Execute();
    closedSaved = main.ClosedSaved();
  }
  EXPECT_FALSE(closedSaved);
  EXPECT_EQ(h.messages, (QStringList{kCannotWrite, kCannotWrite}));
  SetWriteLimitForTesting(-1);
  h.messages.clear();
  Run();
  EXPECT_TRUE(h.messages.isEmpty());
}

// A record in use whose bytes are no place: its name is listed, its fields
// are empty, no task computes with it and its bytes stay in the file.
class DamagedRecord : public SaveOnChange,
                      public ::testing::WithParamInterface<GeoPoint> {
 protected:
  void SetUp() override {
    damaged = kTable;
    damaged[0].point = GetParam();
    WriteSettings(AppSettings{0, 1, 0, 0, 0, 0});
    WriteTable(damaged);
  }
  WaypointTable damaged{};
};

TEST_P(DamagedRecord, IsListedButNeverShownOrUsed) {
  const QStringList empty(4, QString());
  h.Script<W>([&](W& w) {
    EXPECT_EQ(w.ListText(W::kWaypointList, 0), "WP 0");
    EXPECT_EQ(testing::Texts(w, {W::kLatDeg, W::kLonDeg, W::kAlt, W::kEasting}), empty);
  });
  h.Script<Forward3DForm>([](Forward3DForm& f) {
    EXPECT_EQ(f.Text(Forward3DForm::kLatDeg), "");
    f.Press(Forward3DForm::kOk);
  });
  h.Script<BackPolarPlotForm>([](BackPolarPlotForm& f) {
    ASSERT_TRUE(f.Choose(BackPolarPlotForm::kWaypointList, 0));
    f.Press(BackPolarPlotForm::kOk);
  });
  h.Script<Inverse3DForm>([](Inverse3DForm& f) {
    ASSERT_TRUE(f.Choose(Inverse3DForm::kBaseList, 1));
    ASSERT_TRUE(f.Choose(Inverse3DForm::kTargetList, 0));
    EXPECT_EQ(f.Text(Inverse3DForm::kTargetLatDeg), "");
    f.Press(Inverse3DForm::kOk);
  });
  h.Script<Resection3DForm>([](Resection3DForm& f) {
    ASSERT_TRUE(f.Choose(Resection3DForm::kWaypoint1List, 1));
    ASSERT_TRUE(f.Choose(Resection3DForm::kWaypoint2List, 0));
    f.Type(Resection3DForm::kAngleWhole, "30");
    f.Press(Resection3DForm::kOk);
  });
  Run([&](MainForm& m) {
    EXPECT_EQ(m.ListText(MainForm::kWaypointList, 0), "WP 0");
    EXPECT_EQ(testing::Texts(m, {MainForm::kLatDeg, MainForm::kLonDeg, MainForm::kAlt,
                                 MainForm::kConvergenceWhole}),
              empty);
    m.RunCommand(MainForm::kCommandWaypoints);
    for (int command : {MainForm::kCommandForward3D, MainForm::kCommandBackPolar,
                        MainForm::kCommandInverse3D, MainForm::kCommandResection3D}) {
      m.RunCommand(command);
    }
  });
  EXPECT_EQ(h.messages, QStringList(4, kNoPosition));
  EXPECT_EQ(h.RunCount<W>(), 1);  // no result was stored
  EXPECT_EQ(h.RunCount<PolarResultForm>(), 0);
  EXPECT_TRUE(SameTable(ReadTable(), damaged));
}

INSTANTIATE_TEST_SUITE_P(Bytes, DamagedRecord,
                         ::testing::Values(GeoPoint{1e300, 0, 0, 0}, GeoPoint{NAN, 0, 0, 0},
                                           GeoPoint{0, -INFINITY, 0, 0}, GeoPoint{0, 0, NAN, 0},
                                           GeoPoint{1.5708, 0, 0, 0},
                                           GeoPoint{0, 9.43, 0, 0}));

TEST(HoldsPosition, TakesTheWholeGlobeAndATurnOfLongitudeEitherSide) {
  EXPECT_TRUE(HoldsPosition(PointDeg(90, 540, -1e300)));
  EXPECT_TRUE(HoldsPosition(PointDeg(-90, -540, 1e300)));
  EXPECT_FALSE(HoldsPosition(PointDeg(90.001, 0)));
  EXPECT_FALSE(HoldsPosition(PointDeg(0, -540.001)));
}

TEST_F(SaveOnChange, AHeightBeyondEveryIntIsShownAsItIs) {
  WaypointTable table = kTable;
  table[0].point.height = 1e300;
  table[1].point.height = 123456789;
  WriteTable(table);
  Run([](MainForm& m) {
    EXPECT_EQ(m.Text(MainForm::kAlt), "1.000e+300");
    ASSERT_TRUE(m.Choose(MainForm::kWaypointList, 1));
    EXPECT_EQ(m.Text(MainForm::kAlt), "123456789");
    // The field is wide enough for all nine digits, not only the last five.
    QWidget* field = m.Control(MainForm::kAlt);
    EXPECT_GE(field->minimumWidth(), field->fontMetrics().horizontalAdvance("123456789"));
  });
}

TEST_F(SaveOnChange, ADataFolderNamedInLatin1IsUsedByteForByte) {
  dataFolder = folder.file("caf\xE9");
  h.Script<W>([](W& w) {
    ASSERT_TRUE(w.Type(W::kWaypointList, "ALPHA"));
    ASSERT_TRUE(w.Press(W::kSave));
  });
  Run([](MainForm& m) { m.RunCommand(MainForm::kCommandWaypoints); });
  EXPECT_EQ(DiskNames(), (std::vector<std::string>{"DEFAULT WP", "ALPHA"}));
  // A second run finds what the first stored, and nothing went elsewhere.
  Run([](MainForm& m) { EXPECT_EQ(m.ListCount(MainForm::kWaypointList), 2); });
  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    entries.push_back(entry.path().filename().string());
  }
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"caf\xE9", "conf.txt", "wp.dat"}));
  EXPECT_EQ(DataFolderPath(nullptr, dataFolder.c_str()), dataFolder + "/.local/share/trelvan");
}

}  // namespace
}  // namespace trelvan
