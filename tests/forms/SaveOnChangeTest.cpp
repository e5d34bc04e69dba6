// Nothing a user enters waits for the close: each change is in the files
// before the next user action, a failed write keeps the data and is tried
// again, a damaged record is never used as a position, and a folder whose
// name is not UTF-8 is the folder the files go to.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>

#include "forms/BackPolarPlotForm.h"
#include "forms/Forward3DForm.h"
#include "forms/Inverse3DForm.h"
#include "forms/Messages.h"
#include "forms/PolarResultForm.h"
#include "forms/Resection3DForm.h"
#include "forms/UnitsForm.h"
#include "forms/WaypointsForm.h"
#include "measures/Units.h"
#include "store/SafeFile.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using test::Measure;
using test::PointDeg;
using test::Texts;
using W = WaypointsForm;
using M = MainForm;

class SaveOnChange : public test::MainFormFixture {
 protected:
  void SetUp() override {
    WriteSettings(AppSettings{0, 1, 0, 0, 0, 0});
    WriteTable(table);
  }
  void TearDown() override { SetWriteLimitForTesting(-1); }
  AppSettings Disk() const { return ParseSettings(ReadText(kSettingsFileName)); }
  int DiskCount() const { return CountInUse(ReadTable()); }

  WaypointTable table = test::TableOf({PointDeg(47.1, 8.5, 450), PointDeg(47.2, 8.6, 600)});
};

TEST_F(SaveOnChange, EveryKindOfChangeIsOnDiskBeforeTheNextAction) {
  h.answer = true;
  int countWhenShown = 0;
  h.Script<W>([&](W& w) {
    countWhenShown = DiskCount();
    if (h.RunCount<W>() > 1) return;
    ASSERT_TRUE(w.Press(W::kUtmMode));
    EXPECT_EQ(Disk().inputMode, W::kModeUtm);
    ASSERT_TRUE(w.Type(W::kWaypointList, "ALPHA"));
    ASSERT_TRUE(w.Press(W::kSave));
    EXPECT_EQ(DiskCount(), 3);
    ASSERT_TRUE(w.Press(W::kDeleteOne));
    EXPECT_EQ(DiskCount(), 2);
  });
  h.Script<UnitsForm>([](UnitsForm& u) {
    u.Press(UnitsForm::kFeetRadio);
    u.Press(UnitsForm::kOk);
  });
  h.Script<Forward3DForm>([&](Forward3DForm& f) {
    ASSERT_TRUE(f.Choose(Forward3DForm::kWaypointList, 0));
    EXPECT_EQ(Disk().baseWaypoint, 0);
    Measure(f, "10", "00", "0", "00", "100", "00");
    f.Press(Forward3DForm::kOk);
    EXPECT_EQ(countWhenShown, 3);  // the result, before its Waypoints form showed
  });
  h.Script<BackPolarPlotForm>([&](BackPolarPlotForm& f) {
    ASSERT_TRUE(f.Choose(BackPolarPlotForm::kWaypointList, 1));
    EXPECT_EQ(Disk().editWaypoint, 1);
    f.Press(BackPolarPlotForm::kOk);
    EXPECT_EQ(countWhenShown, 4);
  });
  Run([&](MainForm& m) {
    m.RunCommand(M::kCommandWaypoints);
    ASSERT_TRUE(m.Choose(M::kWaypointList, 1));
    EXPECT_EQ(Disk().baseWaypoint, 1);
    m.RunCommand(M::kCommandUnits);
    EXPECT_EQ(Disk().distanceUnit, kFeet);
    m.RunCommand(M::kCommandForward3D);
    m.RunCommand(M::kCommandBackPolar);
    ASSERT_TRUE(m.Press(M::kEdit));
    EXPECT_EQ(Disk().editWaypoint, 0);
  });
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(SaveOnChange, AFailedWriteKeepsTheDataAndIsTriedAgainAndAFailedCloseIsReported) {
  const QString cannotWrite = QString::fromUtf8(messages::kCannotWriteFile);
  h.Script<W>([&](W& w) {
    SetWriteLimitForTesting(0);
    ASSERT_TRUE(w.Type(W::kWaypointList, "ALPHA"));
    ASSERT_TRUE(w.Press(W::kUtmMode));
    ASSERT_TRUE(w.Press(W::kSave));  // one message per failed save, not per file
    EXPECT_EQ(h.messages, (QStringList{cannotWrite, cannotWrite}));
    EXPECT_TRUE(test::SameTable(ReadTable(), table));
    SetWriteLimitForTesting(-1);
    ASSERT_TRUE(w.Press(W::kLatLonMode));  // writes everything still pending
    EXPECT_EQ(DiskCount(), 3);
    SetWriteLimitForTesting(0);
  });
  Run([](M& m) { m.RunCommand(M::kCommandWaypoints); });
  EXPECT_FALSE(workspace->ClosedSaved());
  EXPECT_EQ(h.messages.size(), 4);
}

// A record in use whose bytes are no place: its name is listed, its fields
// are empty, no task computes with it and its bytes stay in the file.
class DamagedRecord : public SaveOnChange, public ::testing::WithParamInterface<GeoPoint> {
 protected:
  void SetUp() override {
    table[0].point = GetParam();
    SaveOnChange::SetUp();
  }
};

TEST_P(DamagedRecord, IsListedButNeverShownOrUsed) {
  const QStringList empty(3, QString());
  h.Script<W>([&](W& w) { EXPECT_EQ(Texts(w, {W::kLatDeg, W::kAlt, W::kEasting}), empty); });
  h.Script<Forward3DForm>([](Forward3DForm& f) { f.Press(Forward3DForm::kOk); });
  h.Script<BackPolarPlotForm>([](BackPolarPlotForm& f) { f.Press(BackPolarPlotForm::kOk); });
  h.Script<Inverse3DForm>([&](Inverse3DForm& f) {
    ASSERT_TRUE(f.Choose(Inverse3DForm::kTargetList, 1));
    EXPECT_EQ(Texts(f, {Inverse3DForm::kBaseLatDeg, Inverse3DForm::kBaseAlt}), empty.mid(1));
    f.Press(Inverse3DForm::kOk);
  });
  h.Script<Resection3DForm>([](Resection3DForm& f) {
    ASSERT_TRUE(f.Choose(Resection3DForm::kWaypoint2List, 1));
    f.Press(Resection3DForm::kOk);
  });
  Run([&](M& m) {
    EXPECT_EQ(m.ListText(M::kWaypointList, 0), "WP 0");
    EXPECT_EQ(Texts(m, {M::kLatDeg, M::kAlt, M::kConvergenceWhole}), empty);
    for (int command : {M::kCommandWaypoints, M::kCommandForward3D, M::kCommandBackPolar,
                        M::kCommandInverse3D, M::kCommandResection3D}) {
      m.RunCommand(command);
    }
  });
  EXPECT_EQ(h.messages, QStringList(4, QString::fromUtf8(messages::kNoValidPosition)));
  EXPECT_EQ(h.RunCount<W>(), 1);  // no result was stored
  EXPECT_EQ(h.RunCount<PolarResultForm>(), 0);
  EXPECT_TRUE(test::SameTable(ReadTable(), table));
}

INSTANTIATE_TEST_SUITE_P(Bytes, DamagedRecord,
                         ::testing::Values(GeoPoint{1e300, 0, 0, 0}, GeoPoint{NAN, 0, 0, 0},
                                           GeoPoint{0, 0, -INFINITY, 0}, GeoPoint{1.5708, 0, 0, 0},
                                           GeoPoint{0, 9.43, 0, 0}));

TEST_F(SaveOnChange, TheEdgesOfTheGlobeAndHugeHeightsAreShownWhole) {
  table[0].point = PointDeg(-90, 540, 1e300);
  table[1].point = PointDeg(90, -540, 123456789);
  WriteTable(table);
  Run([](M& m) {
    EXPECT_EQ(Texts(m, {M::kLatDeg, M::kAlt}), (QStringList{"090", "1.000e+300"}));
    ASSERT_TRUE(m.Choose(M::kWaypointList, 1));
    EXPECT_EQ(Texts(m, {M::kLonDeg, M::kAlt}), (QStringList{"540", "123456789"}));
    // Wide enough for all nine digits, not only the last five.
    const QWidget* field = m.Control(M::kAlt);
    EXPECT_GE(field->minimumWidth(), field->fontMetrics().horizontalAdvance("123456789"));
  });
}

TEST_F(SaveOnChange, ADataFolderNamedInLatin1IsUsedByteForByte) {
  dataFolder = folder.File("caf\xE9");
  h.Script<W>([](W& w) {
    ASSERT_TRUE(w.Type(W::kWaypointList, "ALPHA"));
    ASSERT_TRUE(w.Press(W::kSave));
  });
  Run([](M& m) { m.RunCommand(M::kCommandWaypoints); });
  Run([](M& m) { EXPECT_EQ(m.ListCount(M::kWaypointList), 2); });  // found again
  EXPECT_EQ(DiskCount(), 2);
  std::set<std::string> entries;  // nothing went to a folder of another name
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    entries.insert(entry.path().filename().string());
  }
  EXPECT_EQ(entries, (std::set<std::string>{"caf\xE9", "conf.txt", "wp.dat"}));
}

}  // namespace
}  // namespace trelvan
