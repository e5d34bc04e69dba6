// The Resection 3D form, driven from the main form: its checks in their
// order, the field range checks, the units, where the station is stored and
// on which datum, how the two choices survive the Waypoints form, and that
// the station found is the one the measurements were taken from.

#include <gtest/gtest.h>

#include <QPushButton>
#include <cmath>
#include <cstring>

#include "forms/MainForm.h"
#include "forms/Messages.h"
#include "forms/Resection3DForm.h"
#include "forms/WaypointsForm.h"
#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "geometry/Linear3.h"
#include "geometry/Polar.h"
#include "geometry/Resection.h"
#include "measures/AngleEntry.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"
#include "tests/forms/FormTestSupport.h"

namespace trelvan {
namespace {

using test::AddWaypoint;
using test::DistanceMetres;
using test::FormHarness;
using test::MainFormSession;
using test::PointDeg;
using test::SetAngleUnit;
using test::SetDistanceUnit;
using test::TempFolder;
using F = Resection3DForm;

// Types value >= 0 into a pair of fields, rounded to hundredths.
void TypeEntry(Form& f, int whole, int hundredths, double value) {
  const long long cents = std::llround(value * 100);
  EXPECT_TRUE(f.Type(whole, QString::number(cents / 100)));
  EXPECT_TRUE(f.Type(hundredths, QString::asprintf("%02lld", cents % 100)));
}

// Types a signed elevation: the sign button, then the magnitude.
void TypeElevation(Form& f, int sign, int whole, int hundredths, double value) {
  if ((value < 0) != (f.Text(sign) == "-")) f.Press(sign);
  TypeEntry(f, whole, hundredths, std::fabs(value));
}

// Two waypoints placed from a known station: each by its range (metres),
// azimuth and elevation (degrees) as measured there.
struct Survey {
  GeoPoint station;
  PolarVector toW1, toW2;  // degrees in the angle fields
  GeoPoint W1() const { return Place(toW1); }
  GeoPoint W2() const { return Place(toW2); }
  double AngleDeg() const { return std::fmod(toW2.azimuth - toW1.azimuth + 360, 360); }
  GeoPoint Place(const PolarVector& v) const {
    return ForwardPolar(PolarVector{v.range, v.azimuth * kDegToRad, v.elevation * kDegToRad},
                        station);
  }
};

class Resection3DFormTest : public MainFormSession {
 protected:
  // Opens the Resection 3D form, runs `body` on it and closes it.
  void Resection(MainForm& m, std::function<void(Resection3DForm&)> body) {
    h.Script<Resection3DForm>(std::move(body));
    m.RunCommand(MainForm::kCommandResection3D);
  }

  // Types the survey's measurements in degrees and metres.
  static void TypeSurvey(Resection3DForm& f, const Survey& s) {
    TypeEntry(f, F::kRange1Whole, F::kRange1Hundredths, s.toW1.range);
    TypeEntry(f, F::kRange2Whole, F::kRange2Hundredths, s.toW2.range);
    TypeElevation(f, F::kElevation1Sign, F::kElevation1Whole, F::kElevation1Hundredths,
                  s.toW1.elevation);
    TypeElevation(f, F::kElevation2Sign, F::kElevation2Whole, F::kElevation2Hundredths,
                  s.toW2.elevation);
    TypeEntry(f, F::kAngleWhole, F::kAngleHundredths, s.AngleDeg());
  }
};

TEST_F(Resection3DFormTest, OpensOnTheEditedWaypointWithZeroEntries) {
  Session([&](MainForm& m) {
    AddWaypoint(workspace, "ONE", PointDeg(1, 1, 1));
    workspace.SetEditWaypoint(1);
    Resection(m, [](Resection3DForm& f) {
      EXPECT_EQ(f.windowTitle(), "Resection 3D");
      EXPECT_TRUE(static_cast<QPushButton*>(f.Control(F::kOk))->isDefault());
      EXPECT_FALSE(static_cast<QPushButton*>(f.Control(F::kCancel))->isDefault());
      EXPECT_EQ(f.ListCount(F::kWaypoint1List), 2);
      EXPECT_EQ(f.ListSelection(F::kWaypoint1List), 1);
      EXPECT_EQ(f.ListSelection(F::kWaypoint2List), 1);
      for (int id : {F::kRange1Whole, F::kRange2Whole, F::kElevation1Whole, F::kElevation2Whole,
                     F::kAngleWhole}) {
        EXPECT_EQ(f.Text(id), "0");
      }
      for (int id : {F::kRange1Hundredths, F::kRange2Hundredths, F::kElevation1Hundredths,
                     F::kElevation2Hundredths, F::kAngleHundredths}) {
        EXPECT_EQ(f.Text(id), "00");
      }
      EXPECT_EQ(f.Text(F::kElevation1Sign), "+");
      EXPECT_EQ(f.Text(F::kAngleUnit), "mils");
      EXPECT_EQ(f.Text(F::kDistanceUnit), "m");
      f.Press(F::kElevation2Sign);
      EXPECT_EQ(f.Text(F::kElevation2Sign), "-");
      EXPECT_EQ(f.Text(F::kElevation1Sign), "+");
      EXPECT_TRUE(f.Press(F::kCancel));
      EXPECT_TRUE(f.Ended());
    });
  });
}

// Only the first failing check speaks, and none changes anything.
TEST_F(Resection3DFormTest, ChecksRunInTheirOrder) {
  Session([&](MainForm& m) {
    SetAngleUnit(workspace, kDegrees);
    AddWaypoint(workspace, "ONE", PointDeg(1, 1, 1));
    const WaypointTable before = workspace.Waypoints();
    Resection(m, [&](Resection3DForm& f) {
      f.Press(F::kOk);
      EXPECT_EQ(h.messages, QStringList{messages::kTwoDifferentWaypoints});
      f.Choose(F::kWaypoint2List, 1);
      f.Press(F::kOk);
      EXPECT_EQ(h.messages.last(), messages::kAngleCannotBeZero);
      f.Type(F::kAngleHundredths, QStringLiteral("01"));
      f.Press(F::kOk);
      EXPECT_EQ(h.messages.last(), messages::kCheckInputValues);
      EXPECT_EQ(h.messages.size(), 3);
    });
    EXPECT_EQ(std::memcmp(&before, &workspace.Waypoints(), sizeof before), 0);
    EXPECT_EQ(workspace.Settings().editWaypoint, 0);

    // Both lists without a choice are still "the same position".
    workspace.SetEditWaypoint(9);
    Resection(m, [&](Resection3DForm& f) {
      EXPECT_EQ(f.ListSelection(F::kWaypoint1List), -1);
      f.Press(F::kOk);
      EXPECT_EQ(h.messages.last(), messages::kTwoDifferentWaypoints);
    });
  });
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 0);
}

// One list without a choice: no record is read for it and the user is told
// to choose.
TEST_F(Resection3DFormTest, AListWithoutAChoiceIsRefused) {
  Session([&](MainForm& m) {
    AddWaypoint(workspace, "ONE", PointDeg(1, 1, 1));
    workspace.SetEditWaypoint(5);
    // The message names the list that still needs a choice.
    for (int chosen : {F::kWaypoint1List, F::kWaypoint2List}) {
      Resection(m, [&](Resection3DForm& f) {
        f.Choose(chosen, 1);
        f.Type(F::kAngleWhole, QStringLiteral("10"));
        f.Press(F::kOk);
        EXPECT_EQ(h.messages.last(), chosen == F::kWaypoint1List ? messages::kChooseWaypoint2
                                                                 : messages::kChooseWaypoint1);
      });
    }
  });
  EXPECT_EQ(h.messages.size(), 2);
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 0);
}

// The angle takes an azimuth's limits, the elevations an elevation's; a
// refused value empties its field, and the hundredths are never checked.
struct FieldCheck {
  const char* name;
  std::int32_t angleUnit;
  int id;
  const char* refused;
  const char* message;
  const char* accepted;
};

class Resection3DFieldCheck : public Resection3DFormTest,
                              public ::testing::WithParamInterface<FieldCheck> {};

TEST_P(Resection3DFieldCheck, RefusesTheFirstValueOutOfRange) {
  const FieldCheck& c = GetParam();
  Session([&](MainForm& m) {
    SetAngleUnit(workspace, c.angleUnit);
    Resection(m, [&](Resection3DForm& f) {
      f.Type(c.id, QString::fromUtf8(c.refused));
      EXPECT_EQ(h.messages, QStringList{QString::fromUtf8(c.message)});
      EXPECT_EQ(f.Text(c.id), "");
      f.Type(c.id, QString::fromUtf8(c.accepted));
      EXPECT_EQ(f.Text(c.id), c.accepted);
      f.Type(F::kAngleHundredths, QStringLiteral("99"));
      f.Type(F::kElevation1Hundredths, QStringLiteral("150"));
      EXPECT_EQ(h.messages.size(), 1);
    });
  });
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Resection3DFieldCheck,
    ::testing::Values(
        FieldCheck{"AngleDegrees", kDegrees, F::kAngleWhole, "360", messages::kRange0To359, "359"},
        FieldCheck{"AngleMils", kMils, F::kAngleWhole, "6400", messages::kRange0To6399, "6399"},
        FieldCheck{"Elevation1Degrees", kDegrees, F::kElevation1Whole, "90", messages::kRange0To89,
                   "89"},
        FieldCheck{"Elevation2Mils", kMils, F::kElevation2Whole, "1600", messages::kRange0To1599,
                   "1599"}),
    [](const ::testing::TestParamInfo<FieldCheck>& info) { return std::string(info.param.name); });

TEST_F(Resection3DFormTest, RangesInNauticalMiles) {
  const Survey s{PointDeg(52, 4, 0), {2778, 10, 0.5}, {2778, 100, -0.25}};
  GeoPoint stored{};
  Session([&](MainForm& m) {
    SetDistanceUnit(workspace, kNauticalMiles);
    SetAngleUnit(workspace, kDegrees);
    AddWaypoint(workspace, "W1", s.W1());
    AddWaypoint(workspace, "W2", s.W2());
    Resection(m, [&](Resection3DForm& f) {
      EXPECT_EQ(f.Text(F::kDistanceUnit), "nmi");
      EXPECT_EQ(f.Text(F::kAngleUnit), "Deg");
      f.Choose(F::kWaypoint1List, 1);
      f.Choose(F::kWaypoint2List, 2);
      for (int whole : {F::kRange1Whole, F::kRange2Whole}) f.Type(whole, QStringLiteral("1"));
      for (int hun : {F::kRange1Hundredths, F::kRange2Hundredths}) {
        f.Type(hun, QStringLiteral("50"));
      }
      f.Type(F::kElevation1Hundredths, QStringLiteral("50"));
      f.Type(F::kElevation2Hundredths, QStringLiteral("25"));
      f.Press(F::kElevation2Sign);
      f.Type(F::kAngleWhole, QStringLiteral("90"));
      f.Press(F::kOk);
    });
    stored = workspace.Waypoints()[3].point;
    EXPECT_EQ(workspace.Settings().editWaypoint, 3);
  });
  GeoPoint expected{};
  ASSERT_EQ(SolveResection(
                EntryValue(90, 0) * kDegToRad,
                PolarVector{EntryValue(1, 50) * 1852.0, 0, EntryValue(0, 50) * kDegToRad},
                PolarVector{EntryValue(1, 50) * 1852.0, 0, EntryValue(0, 25) * -1.0 * kDegToRad},
                s.W1(), s.W2(), expected),
            SolveStatus::kSolved);
  EXPECT_EQ(stored.lat, expected.lat);
  EXPECT_EQ(stored.lon, expected.lon);
  EXPECT_EQ(stored.height, expected.height);
  // The solver does not model the convergence of the meridians: some
  // decimetres at this latitude.
  EXPECT_LT(DistanceMetres(stored, s.station), 1.0);
  EXPECT_TRUE(h.messages.isEmpty());
}

// Measurements taken at a known station, typed as a user reads them off an
// instrument (hundredths of a degree and of a metre), give that station
// back as a new waypoint, and both lists come back on the two waypoints.
struct StationCase {
  const char* name;
  Survey survey;
  double toleranceMetres;
};

class Resection3DStation : public Resection3DFormTest,
                           public ::testing::WithParamInterface<StationCase> {};

TEST_P(Resection3DStation, AgreesWithTheStationThatPlacedTheWaypoints) {
  const StationCase& c = GetParam();
  GeoPoint stored{};
  Session([&](MainForm& m) {
    SetAngleUnit(workspace, kDegrees);
    workspace.SetBase(AddWaypoint(workspace, "W2", c.survey.W2()));
    AddWaypoint(workspace, "W1", c.survey.W1());
    h.Script<WaypointsForm>([&](WaypointsForm& w) {
      EXPECT_EQ(w.ListSelection(WaypointsForm::kWaypointList), 3);
      EXPECT_EQ(w.Text(WaypointsForm::kWaypointList), "WP #3");
    });
    Resection(m, [&](Resection3DForm& f) {
      f.Choose(F::kWaypoint1List, 2);
      f.Choose(F::kWaypoint2List, 1);
      TypeSurvey(f, c.survey);
      f.Press(F::kOk);
      EXPECT_EQ(f.ListCount(F::kWaypoint1List), 4);
      EXPECT_EQ(f.ListSelection(F::kWaypoint1List), 2);
      EXPECT_EQ(f.ListSelection(F::kWaypoint2List), 1);
      EXPECT_EQ(f.Text(F::kAngleWhole),
                QString::number(std::llround(c.survey.AngleDeg() * 100) / 100));
    });
    stored = workspace.Waypoints()[3].point;
    EXPECT_EQ(workspace.Settings().editWaypoint, 3);
    EXPECT_EQ(workspace.Settings().baseWaypoint, 1);
    // The last result: the station, the two waypoints in the order chosen
    // and the horizontal distance typed to each (to the rounding of the
    // typed hundredths).
    const TaskResult& last = workspace.LastResult();
    EXPECT_EQ(last.task, Task::kResection3D);
    EXPECT_TRUE(test::SamePoint(last.station, stored));
    EXPECT_TRUE(test::SamePoint(last.waypoints[0], c.survey.W1()));
    EXPECT_TRUE(test::SamePoint(last.waypoints[1], c.survey.W2()));
    const PolarVector* measured[] = {&c.survey.toW1, &c.survey.toW2};
    for (int i = 0; i < 2; ++i) {
      EXPECT_NEAR(last.horizontalRanges[i],
                  measured[i]->range * std::cos(measured[i]->elevation * kDegToRad), 0.05);
    }
  });
  EXPECT_TRUE(h.messages.isEmpty());
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 1);
  EXPECT_LT(DistanceMetres(stored, c.survey.station), c.toleranceMetres);
}

INSTANTIATE_TEST_SUITE_P(
    Surveys, Resection3DStation,
    ::testing::Values(
        // Whole measurements typed exactly: only the solver's own error.
        StationCase{"Equator", {PointDeg(0, 29, 100), {3000, 30, 1.5}, {4000, 110, -0.5}}, 0.001},
        // Rounding to hundredths of a degree moves each line of sight by up
        // to 0.005 degrees, some 0.3 m at 3 km, on top of the solver's few
        // decimetres at these latitudes.
        StationCase{
            "MidLatitudeRounded",
            {PointDeg(47.3, 8.5, 450), {2345.678, 37.123, 2.345}, {3456.789, 151.987, -1.234}},
            1.0},
        StationCase{
            "SouthAcrossNorth",
            {PointDeg(-33.9, 151.2, 20), {1234.567, 300.456, 0.789}, {987.654, 45.321, 3.21}},
            1.0}),
    [](const ::testing::TestParamInfo<StationCase>& info) { return std::string(info.param.name); });

TEST_F(Resection3DFormTest, StationIsOnTheDatumOfWaypoint1) {
  const Survey s{PointDeg(40, -3.7, 650), {2500, 20, 1}, {3500, 140, -1}};
  constexpr std::uint16_t kOther = 17;
  for (const bool otherFirst : {true, false}) {
    SCOPED_TRACE(otherFirst ? "waypoint 1 on the other datum" : "waypoint 2 on the other datum");
    TempFolder data;
    FormHarness run;
    Workspace workspace(data.Path());
    MainForm form(run.services, workspace);
    GeoPoint stored{};
    run.Script<Resection3DForm>([&](Resection3DForm& f) {
      f.Choose(F::kWaypoint1List, 1);
      f.Choose(F::kWaypoint2List, 2);
      TypeSurvey(f, s);
      f.Press(F::kOk);
    });
    run.Script<MainForm>([&](MainForm& m) {
      SetAngleUnit(workspace, kDegrees);
      AddWaypoint(workspace, "W1", otherFirst ? ConvertDatum(kOther, s.W1()) : s.W1());
      AddWaypoint(workspace, "W2", otherFirst ? s.W2() : ConvertDatum(kOther, s.W2()));
      m.RunCommand(MainForm::kCommandResection3D);
      stored = workspace.Waypoints()[3].point;
    });
    form.Execute();
    EXPECT_TRUE(run.messages.isEmpty());
    EXPECT_EQ(stored.datum, otherFirst ? kOther : 0);
    EXPECT_LT(DistanceMetres(ConvertDatum(0, stored), s.station), 1.0);
  }
}

// Waypoint 2 deleted in the Waypoints form that shows the station: its
// list falls back to entry 0, while waypoint 1 is found again by its name
// at its new place.
TEST_F(Resection3DFormTest, DeletedWaypoint2FallsBackToEntry0) {
  const Survey s{PointDeg(10, 10, 0), {2000, 0, 0}, {2000, 90, 0}};
  h.answer = true;  // the deletion is confirmed
  h.Script<WaypointsForm>([](WaypointsForm& w) {
    ASSERT_TRUE(w.Choose(WaypointsForm::kWaypointList, 1));
    ASSERT_EQ(w.Text(WaypointsForm::kWaypointList), "SPIRE");
    w.Press(WaypointsForm::kDeleteOne);
  });
  Session([&](MainForm& m) {
    SetAngleUnit(workspace, kDegrees);
    AddWaypoint(workspace, "SPIRE", s.W2());
    AddWaypoint(workspace, "MAST", s.W1());
    Resection(m, [&](Resection3DForm& f) {
      f.Choose(F::kWaypoint1List, 2);
      f.Choose(F::kWaypoint2List, 1);
      TypeSurvey(f, s);
      f.Press(F::kOk);
      EXPECT_EQ(f.ListCount(F::kWaypoint2List), 3);
      EXPECT_EQ(f.ListSelection(F::kWaypoint1List), 1);
      EXPECT_EQ(f.Text(F::kWaypoint1List), "MAST");
      EXPECT_EQ(f.ListSelection(F::kWaypoint2List), 0);
    });
  });
  EXPECT_TRUE(h.messages.isEmpty());
}

// With all 50 records in use the station has nowhere to go: nothing is
// stored or overwritten, and the user is told.
TEST_F(Resection3DFormTest, FullTableStoresNothing) {
  const Survey s{PointDeg(-5, 120, 30), {1500, 200, 2}, {1800, 260, 1}};
  Session([&](MainForm& m) {
    SetAngleUnit(workspace, kDegrees);
    AddWaypoint(workspace, "W1", s.W1());
    AddWaypoint(workspace, "W2", s.W2());
    while (FirstFree(workspace.Waypoints()) >= 0) AddWaypoint(workspace, "FILL", s.station);
    const WaypointTable before = workspace.Waypoints();
    Resection(m, [&](Resection3DForm& f) {
      f.Choose(F::kWaypoint1List, 1);
      f.Choose(F::kWaypoint2List, 2);
      TypeSurvey(f, s);
      f.Press(F::kOk);
      EXPECT_EQ(f.ListSelection(F::kWaypoint1List), 1);
      EXPECT_EQ(f.ListSelection(F::kWaypoint2List), 2);
    });
    EXPECT_EQ(std::memcmp(&before, &workspace.Waypoints(), sizeof before), 0);
    EXPECT_EQ(workspace.Settings().editWaypoint, 0);
  });
  EXPECT_EQ(h.messages, QStringList{messages::kTableFull});
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 0);
}

TEST_F(Resection3DFormTest, RangesNoPositionCanHaveStoreNothing) {
  // 100 ft to one waypoint and 16218 ft to another 760 m away.
  const GeoPoint w1 = PointDeg(47, 8, 500);
  const GeoPoint w2 = ForwardPolar({760.0, 60.0 * kDegToRad, 0.0}, w1);
  Session([&](MainForm& m) {
    SetDistanceUnit(workspace, kFeet);
    SetAngleUnit(workspace, kDegrees);
    AddWaypoint(workspace, "W1", w1);
    AddWaypoint(workspace, "W2", w2);
    const WaypointTable before = workspace.Waypoints();
    Resection(m, [&](Resection3DForm& f) {
      f.Choose(F::kWaypoint1List, 1);
      f.Choose(F::kWaypoint2List, 2);
      TypeEntry(f, F::kRange1Whole, F::kRange1Hundredths, 100);
      TypeEntry(f, F::kRange2Whole, F::kRange2Hundredths, 16218);
      TypeEntry(f, F::kAngleWhole, F::kAngleHundredths, 90);
      f.Press(F::kOk);
    });
    EXPECT_EQ(std::memcmp(&before, &workspace.Waypoints(), sizeof before), 0);
    EXPECT_EQ(workspace.Settings().editWaypoint, 0);
  });
  EXPECT_EQ(h.messages, QStringList{messages::kNoPositionFits});
}

}  // namespace
}  // namespace trelvan
