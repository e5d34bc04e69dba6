// The Forward 3D form driven through the main form, as a user would reach
// it: the base list, the measurement, the stored targets and their names,
// the refresh of the main form when it closes.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <cstring>
#include <functional>
#include <ostream>
#include <vector>

#include "forms/Forward3DForm.h"
#include "forms/MainForm.h"
#include "forms/Messages.h"
#include "forms/WaypointsForm.h"
#include "geodesy/AngleWrap.h"
#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "geodesy/DatumShift.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"
#include "tests/forms/FormTestSupport.h"
#include "workspace/Declinations.h"

namespace trelvan {
namespace {

using test::DistanceMetres;
using test::Measure;
using test::PointDeg;
using test::PressUntil;
using test::Put;
using test::SamePoint;
using test::StoredTableSession;
using F = Forward3DForm;

const GeoPoint kHome = PointDeg(47.1, 8.5, 450.0);
const GeoPoint kTower = PointDeg(47.2, 8.6, 600.0);
const GeoPoint kSeattle = PointDeg(47.6, -122.3, 50.0);

class Forward3DFormTest : public StoredTableSession {
 protected:
  Forward3DFormTest() {
    table.fill(Waypoint{});
    Put(table, 0, "HOME", kHome);
    Put(table, 1, "TOWER", kTower);
    Put(table, 2, "SEATTLE", kSeattle);
    settings.angleUnit = kDegrees;
    settings.distanceUnit = kMeters;
  }

  // Opens the main form on `table` and `settings`, runs the Forward 3D form
  // from its menu with `script`, and closes the main form.
  void Run(std::function<void(F&)> script) {
    h.Script<F>(std::move(script));
    Run({MainForm::kCommandForward3D});
  }
  using StoredTableSession::Run;
};

TEST_F(Forward3DFormTest, OpensOnTheBaseWithEmptyMeasurement) {
  settings.baseWaypoint = 1;
  settings.distanceUnit = kStatuteMiles;
  Run([](F& f) {
    EXPECT_EQ(f.windowTitle(), "Forward 3D");
    QStringList groups;
    for (auto* box : f.findChildren<QGroupBox*>()) groups << box->title();
    EXPECT_EQ(groups, (QStringList{"Base Coor. _________ Forward 3D", "Target Polar Coor."}));
    ASSERT_EQ(f.ListCount(F::kWaypointList), 3);
    EXPECT_EQ(f.ListText(F::kWaypointList, 2), "SEATTLE");
    EXPECT_EQ(f.ListSelection(F::kWaypointList), 1);
    // TOWER at 47.2 N 8.6 E, 600 m = 1968.5 ft
    EXPECT_EQ(f.Text(F::kLatHemisphere), "N");
    EXPECT_EQ(f.Text(F::kLatDeg) + f.Text(F::kLatMin) + f.Text(F::kLatSec), "0471200");
    EXPECT_EQ(f.Text(F::kLonHemisphere), "E");
    EXPECT_EQ(f.Text(F::kLonDeg) + f.Text(F::kLonMin) + f.Text(F::kLonSec), "0083600");
    EXPECT_EQ(f.Text(F::kAlt), "01969");
    EXPECT_TRUE(f.IsReadOnly(F::kLatDeg));
    for (int id : {F::kAzimuthWhole, F::kElevationWhole, F::kRangeWhole})
      EXPECT_EQ(f.Text(id), "0");
    for (int id : {F::kAzimuthHundredths, F::kElevationHundredths, F::kRangeHundredths}) {
      EXPECT_EQ(f.Text(id), "00");
    }
    EXPECT_EQ(f.Text(F::kReference), "TRUE");
    EXPECT_EQ(f.Text(F::kElevationSign), "+");
    EXPECT_EQ(f.Text(F::kAltUnit), "ft");
    EXPECT_EQ(f.Text(F::kAngleUnit), "Deg");
    EXPECT_EQ(f.Text(F::kDistanceUnit), "smi");
    auto* ok = qobject_cast<QPushButton*>(f.Control(F::kOk));
    auto* cancel = qobject_cast<QPushButton*>(f.Control(F::kCancel));
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->text(), "Cancel");
    EXPECT_FALSE(cancel->isDefault());
  });
}

TEST_F(Forward3DFormTest, ButtonsChangeOnlyTheirCaptions) {
  Run([](F& f) {
    for (const char* caption : {"GRID", "MAG", "TRUE"}) {
      f.Press(F::kReference);
      EXPECT_EQ(f.Text(F::kReference), caption);
    }
    f.Press(F::kElevationSign);
    EXPECT_EQ(f.Text(F::kElevationSign), "-");
    f.Press(F::kElevationSign);
    EXPECT_EQ(f.Text(F::kElevationSign), "+");
    // The hemisphere and altitude sign buttons only display.
    for (int id : {F::kLatHemisphere, F::kLonHemisphere, F::kAltSign}) {
      const QString before = f.Text(id);
      f.Press(id);
      EXPECT_EQ(f.Text(id), before);
    }
  });
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 0);
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(Forward3DFormTest, FirstResultsAreNumberedByTheirRecord) {
  table.fill(Waypoint{});
  MakeDefaultTable(table);
  std::vector<int> editedAt;
  h.Script<WaypointsForm>(
      [&](WaypointsForm& w) { editedAt.push_back(w.ListSelection(WaypointsForm::kWaypointList)); });
  Run([](F& f) {
    Measure(f, "45", "00", "2", "00", "1000", "00");
    f.Press(F::kOk);
    EXPECT_EQ(f.ListCount(F::kWaypointList), 2);
    EXPECT_EQ(f.ListSelection(F::kWaypointList), 0);
    // Same input again: another waypoint under another name.
    f.Press(F::kOk);
    EXPECT_EQ(f.ListCount(F::kWaypointList), 3);
    EXPECT_EQ(f.ListSelection(F::kWaypointList), 0);
    EXPECT_EQ(f.Text(F::kAzimuthWhole), "45");  // the typed values stay
  });
  EXPECT_STREQ(workspace.Waypoints()[1].name, "WP #1");
  EXPECT_STREQ(workspace.Waypoints()[2].name, "WP #2");
  EXPECT_EQ(workspace.Waypoints()[3].used, 0);
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[1].point, workspace.Waypoints()[2].point));
  EXPECT_EQ(workspace.Settings().editWaypoint, 2);
  EXPECT_EQ(workspace.Settings().baseWaypoint, 0);
  EXPECT_EQ(editedAt, (std::vector<int>{1, 2}));
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(Forward3DFormTest, ATakenNameGivesTheNextFreeNumber) {
  SetName(table[1], "WP #3");
  SetName(table[2], "WP #4");
  Run([](F& f) { f.Press(F::kOk); });
  EXPECT_STREQ(workspace.Waypoints()[3].name, "WP #5");
  EXPECT_EQ(workspace.Settings().editWaypoint, 3);
}

// One typed measurement and what must reach the polar problem (degrees and
// metres unless the case says otherwise, reference "TRUE").
struct EntryCase {
  const char* name;
  std::int32_t angleUnit;
  std::int32_t distanceUnit;
  const char* az;
  const char* azH;
  const char* sign;
  const char* el;
  const char* elH;
  const char* range;
  const char* rangeH;
  PolarVector expected;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class Forward3DEntryTest : public Forward3DFormTest,
                           public ::testing::WithParamInterface<EntryCase> {};

TEST_P(Forward3DEntryTest, ReachesForwardPolarAsTyped) {
  const EntryCase& c = GetParam();
  settings.angleUnit = c.angleUnit;
  settings.distanceUnit = c.distanceUnit;
  Run([&c](F& f) {
    Measure(f, c.az, c.azH, c.el, c.elH, c.range, c.rangeH);
    PressUntil(f, F::kElevationSign, c.sign);
    f.Press(F::kOk);
  });
  const GeoPoint expected = ForwardPolar(c.expected, kHome);
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[3].point, expected));
  EXPECT_TRUE(h.messages.isEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Entries, Forward3DEntryTest,
    ::testing::Values(
        EntryCase{"HundredthsCarry", kDegrees, kMeters, "10", "150", "+", "5", "00", "1000", "00",
                  {1000.0, 11.5 * kDegToRad, 5.0 * kDegToRad}},
        EntryCase{"NegativeElevation", kDegrees, kMeters, "45", "00", "-", "12", "50", "500",
                  "00", {500.0, 45.0 * kDegToRad, -(12.5 * kDegToRad)}},
        EntryCase{"TrueAzimuthUnreduced", kDegrees, kMeters, "359", "150", "+", "0", "00", "800",
                  "00", {800.0, 360.5 * kDegToRad, 0.0}},
        EntryCase{"Mils", kMils, kMeters, "3200", "50", "+", "100", "00", "2000", "00",
                  {2000.0, 3200.5 * kMilsToRad, 100.0 * kMilsToRad}},
        EntryCase{"Kilometres", kDegrees, kKilometers, "90", "00", "+", "1", "00", "1", "50",
                  {1500.0, 90.0 * kDegToRad, 1.0 * kDegToRad}},
        EntryCase{"Feet", kDegrees, kFeet, "180", "00", "-", "1", "00", "1000", "00",
                  {1000.0 * 0.3048, 180.0 * kDegToRad, -(1.0 * kDegToRad)}},
        EntryCase{"ZeroRange", kDegrees, kMeters, "123", "50", "+", "30", "00", "0", "00",
                  {0.0, 123.5 * kDegToRad, 30.0 * kDegToRad}}),
    [](const ::testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(Forward3DFormTest, ZeroRangeStoresTheBasePosition) {
  Run([](F& f) {
    Measure(f, "77", "00", "12", "00", "0", "00");
    f.Press(F::kOk);
  });
  const GeoPoint& stored = workspace.Waypoints()[3].point;
  EXPECT_LT(DistanceMetres(stored, kHome), 1e-6);
  EXPECT_NEAR(stored.height, kHome.height, 1e-6);
  EXPECT_EQ(stored.datum, kHome.datum);
}

TEST_F(Forward3DFormTest, MagneticAzimuthUsesTheVarianceAtTheBase) {
  // Seattle under the field model for the harness's date: about 15 degrees
  // east, so a magnetic 350 is a true azimuth of about 5 degrees.
  settings.baseWaypoint = 2;
  Run([](F& f) {
    Measure(f, "350", "00", "0", "00", "5000", "00");
    PressUntil(f, F::kReference, "MAG");
    f.Press(F::kOk);
  });
  const double varianceSeen = MagneticVarianceAt(h.clock, kSeattle) * kDegToRad;
  const double variance = varianceSeen * kRadToDeg;
  EXPECT_GT(variance, 12.0);
  EXPECT_LT(variance, 18.0);
  const double trueAzimuth = WrapRadians(350.0 * kDegToRad + varianceSeen);
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[3].point,
                        ForwardPolar({5000.0, trueAzimuth, 0.0}, kSeattle)));
  EXPECT_NEAR(trueAzimuth * kRadToDeg, 350.0 + variance - 360.0, 1e-9);
  EXPECT_NEAR(InversePolar(kSeattle, workspace.Waypoints()[3].point).azimuth, trueAzimuth, 1e-9);
  // The workspace keeps the measurement as it was taken, referred to true
  // north, from the base to the target.
  const TaskResult& last = workspace.LastResult();
  EXPECT_EQ(last.task, Task::kForward3D);
  EXPECT_EQ(last.polar.azimuth, trueAzimuth);
  EXPECT_TRUE(SamePoint(last.station, kSeattle));
  EXPECT_TRUE(SamePoint(last.target, workspace.Waypoints()[3].point));
  // With the north it was typed from and the declinations that referred it.
  EXPECT_EQ(last.reference, kMagneticNorth);
  EXPECT_EQ(last.declinations.magneticVariance, varianceSeen);
  EXPECT_EQ(last.declinations.gridConvergence, GridConvergence(kSeattle));
}

TEST_F(Forward3DFormTest, GridAzimuthUsesTheConvergenceAtTheBase) {
  settings.baseWaypoint = 1;
  Run([](F& f) {
    Measure(f, "0", "25", "3", "00", "2500", "00");
    PressUntil(f, F::kReference, "GRID");
    f.Press(F::kOk);
  });
  const double trueAzimuth = WrapRadians(0.25 * kDegToRad + GridConvergence(kTower));
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[3].point,
                        ForwardPolar({2500.0, trueAzimuth, 3.0 * kDegToRad}, kTower)));
}

// Beyond 84 N there is no grid north: a GRID azimuth computes nothing, a
// true one still does.
TEST_F(Forward3DFormTest, GridAzimuthBeyondTheGridIsRefused) {
  Put(table, 3, "NORTH", PointDeg(84.5, 10.0));
  settings.baseWaypoint = 3;
  for (const char* reference : {"GRID", "TRUE"}) {
    Run([reference](F& f) {
      Measure(f, "10", "00", "0", "00", "100", "00");
      PressUntil(f, F::kReference, reference);
      f.Press(F::kOk);
    });
  }
  EXPECT_EQ(h.messages, QStringList{QString::fromUtf8(messages::kGridNorthUndefined)});
  EXPECT_EQ(CountInUse(workspace.Waypoints()), 5);
}

TEST_F(Forward3DFormTest, RangeChecksEmptyTheWholeFieldsWhichThenReadZero) {
  Run([this](F& f) {
    f.Type(F::kAzimuthWhole, "359");
    f.Type(F::kElevationWhole, "89");
    EXPECT_TRUE(h.messages.isEmpty());
    f.Type(F::kAzimuthWhole, "360");
    EXPECT_EQ(f.Text(F::kAzimuthWhole), "");
    f.Type(F::kElevationWhole, "90");
    EXPECT_EQ(f.Text(F::kElevationWhole), "");
    // Hundredths and ranges are never checked.
    f.Type(F::kAzimuthHundredths, "150");
    f.Type(F::kElevationHundredths, "250");
    f.Type(F::kRangeWhole, "999999999");
    f.Type(F::kRangeHundredths, "50");
    EXPECT_EQ(h.messages.size(), 2);
    f.Press(F::kOk);
  });
  EXPECT_EQ(h.messages, (QStringList{messages::kRange0To359, messages::kRange0To89}));
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[3].point,
                        ForwardPolar({999999999.5, 1.5 * kDegToRad, 2.5 * kDegToRad}, kHome)));
}

TEST_F(Forward3DFormTest, RangeChecksInMils) {
  settings.angleUnit = kMils;
  Run([](F& f) {
    f.Type(F::kAzimuthWhole, "6399");
    f.Type(F::kElevationWhole, "1599");
    f.Type(F::kAzimuthWhole, "6400");
    f.Type(F::kElevationWhole, "1600");
    EXPECT_EQ(f.Text(F::kAzimuthWhole), "");
    EXPECT_EQ(f.Text(F::kElevationWhole), "");
    EXPECT_EQ(f.Text(F::kAngleUnit), "mils");
  });
  EXPECT_EQ(h.messages, (QStringList{messages::kRange0To6399, messages::kRange0To1599}));
}

TEST_F(Forward3DFormTest, ABaseChosenInTheFormStaysTheBase) {
  Run([this](F& f) {
    ASSERT_TRUE(f.Choose(F::kWaypointList, 2));
    EXPECT_EQ(workspace.Settings().baseWaypoint, 2);  // at once
    EXPECT_EQ(f.Text(F::kLonHemisphere), "W");
    EXPECT_EQ(f.Text(F::kLonDeg), "122");
    f.Press(F::kCancel);
  });
  EXPECT_EQ(workspace.Settings().baseWaypoint, 2);
  EXPECT_EQ(main.ListSelection(MainForm::kWaypointList), 2);
  EXPECT_EQ(main.Text(MainForm::kLonDeg), "122");
  // The choice refreshed the main form's base display.
  EXPECT_NE(main.Text(MainForm::kVarianceWhole), kUntouched);
}

TEST_F(Forward3DFormTest, ClosingShowsTheNewWaypointsOnTheMainForm) {
  Run([](F& f) { f.Press(F::kOk); });
  EXPECT_EQ(main.ListCount(MainForm::kWaypointList), 4);
  EXPECT_EQ(main.ListText(MainForm::kWaypointList, 3), "WP #3");
  EXPECT_EQ(main.ListSelection(MainForm::kWaypointList), 0);
}

// What the Waypoints form run by "OK" does to the base (record 1, TOWER),
// and which entry the base list selects afterwards.
struct AfterwardsCase {
  const char* name;
  std::function<void(WaypointTable&)> change;
  int selected;
  const char* latMin;  // of the waypoint shown afterwards
};

void PrintTo(const AfterwardsCase& c, std::ostream* os) { *os << c.name; }

class Forward3DAfterwardsTest : public Forward3DFormTest,
                                public ::testing::WithParamInterface<AfterwardsCase> {};

TEST_P(Forward3DAfterwardsTest, TheListSelectsTheBaseByName) {
  const AfterwardsCase& c = GetParam();
  settings.baseWaypoint = 1;
  h.Script<WaypointsForm>([this, &c](WaypointsForm&) { test::EditTable(workspace, c.change); });
  Run([&c](F& f) {
    f.Press(F::kOk);
    EXPECT_EQ(f.ListSelection(F::kWaypointList), c.selected);
    EXPECT_EQ(f.Text(F::kLatMin), c.latMin);
  });
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Waypoints, Forward3DAfterwardsTest,
    ::testing::Values(
        AfterwardsCase{"Unchanged", [](WaypointTable&) {}, 1, "12"},
        AfterwardsCase{"Renamed", [](WaypointTable& t) { SetName(t[1], "MAST"); }, 0, "06"},
        AfterwardsCase{"Deleted", [](WaypointTable& t) { DeleteWaypoint(t, 1); }, 0, "06"},
        AfterwardsCase{"MovedDown", [](WaypointTable& t) { DeleteWaypoint(t, 0); }, 0, "12"},
        AfterwardsCase{"SameNameLater",
                       [](WaypointTable& t) {
                         SetName(t[0], "TOWER");
                         // clang-format on
                         t[0].point = kSeattle;
                       },
                       0, "36"}),
    [](const ::testing::TestParamInfo<AfterwardsCase>& info) {
      return std::string(info.param.name);
    });

TEST_F(Forward3DFormTest, AFullTableStoresNothing) {
  for (int i = 3; i < kWaypointCapacity; ++i) {
    Put(table, i, QString("P%1").arg(i).toUtf8().constData(), kTower);
  }
  Run([](F& f) {
    f.Press(F::kOk);
    f.Press(F::kOk);  // the form stays open and refuses again
  });
  EXPECT_EQ(std::memcmp(&workspace.Waypoints(), &table, sizeof table), 0);
  EXPECT_EQ(h.messages, (QStringList{messages::kTableFull, messages::kTableFull}));
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 0);
  EXPECT_EQ(workspace.Settings().editWaypoint, settings.editWaypoint);
}

TEST_F(Forward3DFormTest, WithoutAChosenBaseNothingIsRead) {
  // A base index beyond the records in use leaves the list without a
  // selection; "OK" says so until the user picks a base.
  settings.baseWaypoint = 7;
  table[7].point = PointDeg(-33.25, 151.5, 0.0);  // left behind in a free record
  Run([](F& f) {
    EXPECT_EQ(f.ListSelection(F::kWaypointList), -1);
    // The record the index names is shown, as on the main form.
    EXPECT_EQ(f.Text(F::kLatHemisphere) + f.Text(F::kLatDeg) + f.Text(F::kLatMin), "S03315");
    EXPECT_EQ(f.Text(F::kLonHemisphere) + f.Text(F::kLonDeg) + f.Text(F::kLonMin), "E15130");
    f.Press(F::kOk);
    f.Choose(F::kWaypointList, 1);
    f.Press(F::kOk);
  });
  EXPECT_EQ(h.messages, QStringList{messages::kNoWaypoint});
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 1);
  EXPECT_EQ(CountInUse(workspace.Waypoints()), 4);
  EXPECT_EQ(workspace.Settings().baseWaypoint, 1);
}

TEST_F(Forward3DFormTest, AnEmptyTableStoresNothing) {
  DeleteAll(table);
  Run([](F& f) {
    EXPECT_EQ(f.ListCount(F::kWaypointList), 0);
    f.Press(F::kOk);
  });
  EXPECT_EQ(h.messages, QStringList{messages::kNoWaypoint});
  EXPECT_EQ(CountInUse(workspace.Waypoints()), 0);
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 0);
}

TEST_F(Forward3DFormTest, EnterInAFieldPressesOk) {
  Run([](F& f) {
    f.show();
    f.Control(F::kRangeWhole)->setFocus();
    f.Type(F::kRangeWhole, "100");
    QTest::keyClick(f.Control(F::kRangeWhole), Qt::Key_Return);
    f.hide();
  });
  EXPECT_EQ(CountInUse(workspace.Waypoints()), 4);
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[3].point, ForwardPolar({100.0, 0.0, 0.0}, kHome)));
}

}  // namespace
}  // namespace trelvan
