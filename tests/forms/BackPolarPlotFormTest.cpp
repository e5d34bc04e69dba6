// The Back Polar Plot form driven through the main form: the target list
// tied to the edit waypoint, the station found back from a Forward 3D
// target, the declinations at the target and the main form's base left
// alone.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <cstring>
#include <functional>
#include <ostream>
#include <vector>

#include "forms/BackPolarPlotForm.h"
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
using B = BackPolarPlotForm;

const GeoPoint kHome = PointDeg(47.1, 8.5, 450.0);
const GeoPoint kPeak = PointDeg(46.55, 7.96, 4158.0);
const GeoPoint kCapeTown = PointDeg(-33.9, 18.4, 30.0);

// Types a measurement into either twin (both use the same ids), sets the
// elevation sign and the reference, and presses "OK".
void MeasureAndCompute(PolarPlotForm& f, const char* az, const char* azH, const char* sign,
                       const char* el, const char* elH, const char* range, const char* rangeH,
                       const char* reference) {
  Measure(f, az, azH, el, elH, range, rangeH);
  PressUntil(f, PolarPlotForm::kElevationSign, sign);
  PressUntil(f, PolarPlotForm::kReference, reference);
  f.Press(PolarPlotForm::kOk);
}

class BackPolarPlotFormTest : public StoredTableSession {
 protected:
  BackPolarPlotFormTest() {
    Put(table, 0, "HOME", kHome);
    Put(table, 1, "PEAK", kPeak);
    Put(table, 2, "CAPE", kCapeTown);
    settings.angleUnit = kDegrees;
    settings.distanceUnit = kMeters;
    settings.baseWaypoint = 0;
    settings.editWaypoint = 1;
  }

  // Opens the main form, runs the Back Polar Plot form from its menu with
  // `script`, and closes the main form.
  void Run(std::function<void(B&)> script) {
    h.Script<B>(std::move(script));
    Run({MainForm::kCommandBackPolar});
  }
  using StoredTableSession::Run;
};

TEST_F(BackPolarPlotFormTest, OpensOnTheEditWaypointWithItsOwnLabels) {
  settings.distanceUnit = kYards;
  Run([](B& f) {
    EXPECT_EQ(f.windowTitle(), "Back Polar Plot");
    QStringList groups;
    for (auto* box : f.findChildren<QGroupBox*>()) groups << box->title();
    EXPECT_EQ(groups, (QStringList{"Target Coor. ______ Back Polar 3D", "Target Polar Coor."}));
    QStringList captions;
    for (auto* label : f.findChildren<QLabel*>()) captions << label->text();
    EXPECT_TRUE(captions.contains("Range"));
    EXPECT_FALSE(captions.contains("Slant Range"));
    EXPECT_EQ(f.ListSelection(B::kWaypointList), 1);
    EXPECT_EQ(f.Text(B::kLatDeg) + f.Text(B::kLatMin), "04633");  // PEAK
    EXPECT_EQ(f.Text(B::kAlt), "13642");                          // 4158 m in feet
    EXPECT_EQ(f.Text(B::kAltUnit), "ft");
    EXPECT_EQ(f.Text(B::kAngleUnit), "Deg");
    EXPECT_EQ(f.Text(B::kDistanceUnit), "yd");
    // The Forward 3D form's label ids are not used here.
    EXPECT_EQ(f.Control(Forward3DForm::kAltUnit), nullptr);
    EXPECT_EQ(f.Control(Forward3DForm::kAngleUnit), nullptr);
    EXPECT_EQ(f.Control(Forward3DForm::kDistanceUnit), nullptr);
    EXPECT_EQ(f.Text(B::kReference), "TRUE");
    EXPECT_EQ(f.Text(B::kElevationSign), "+");
    EXPECT_EQ(f.Text(B::kRangeHundredths), "00");
    EXPECT_TRUE(qobject_cast<QPushButton*>(f.Control(B::kOk))->isDefault());
  });
}

// One measurement taken forward from a base and back from its target.
struct RoundTrip {
  const char* name;
  int base;
  const char* az;
  const char* azH;
  const char* sign;
  const char* el;
  const char* elH;
  const char* range;
  const char* rangeH;
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

class BackPolarRoundTripTest : public BackPolarPlotFormTest,
                               public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(BackPolarRoundTripTest, LandsWithinMillimetresOfTheBase) {
  const RoundTrip& c = GetParam();
  settings.baseWaypoint = c.base;
  h.Script<Forward3DForm>([&c](Forward3DForm& f) {
    MeasureAndCompute(f, c.az, c.azH, c.sign, c.el, c.elH, c.range, c.rangeH, "TRUE");
  });
  int openedOn = -1;
  h.Script<B>([&](B& f) {
    openedOn = f.ListSelection(B::kWaypointList);  // the new target comes up
    MeasureAndCompute(f, c.az, c.azH, c.sign, c.el, c.elH, c.range, c.rangeH, "TRUE");
  });
  Run({MainForm::kCommandForward3D, MainForm::kCommandBackPolar});
  EXPECT_EQ(openedOn, 3);
  ASSERT_EQ(CountInUse(workspace.Waypoints()), 5);
  const GeoPoint& base = table[static_cast<std::size_t>(c.base)].point;
  EXPECT_LT(DistanceMetres(workspace.Waypoints()[4].point, base), 0.005);
  EXPECT_EQ(workspace.Waypoints()[4].point.datum, base.datum);
  EXPECT_STREQ(workspace.Waypoints()[4].name, "WP #4");
  EXPECT_EQ(workspace.Settings().editWaypoint, 4);
  EXPECT_EQ(workspace.Settings().baseWaypoint, c.base);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Measurements, BackPolarRoundTripTest,
    ::testing::Values(RoundTrip{"Short", 0, "30", "00", "+", "5", "00", "1500", "00"},
                      RoundTrip{"LongDown", 0, "200", "50", "-", "3", "00", "25000", "00"},
                      RoundTrip{"Steep", 1, "359", "99", "+", "45", "00", "10", "00"},
                      RoundTrip{"South", 2, "90", "00", "-", "0", "50", "8000", "25"},
                      RoundTrip{"NearlyVertical", 2, "0", "00", "+", "89", "99", "300", "00"}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(BackPolarPlotFormTest, ReferencesUseTheDeclinationsAtTheTarget) {
  // The base is in Europe, the target at the Cape: their declinations
  // differ by many degrees.
  settings.editWaypoint = 2;
  std::vector<PolarVector> measured;
  h.Script<WaypointsForm>(
      [&](WaypointsForm&) { measured.push_back(workspace.LastResult().polar); });
  Run([](B& f) {
    MeasureAndCompute(f, "10", "00", "+", "2", "00", "4000", "00", "MAG");
    MeasureAndCompute(f, "10", "00", "+", "2", "00", "4000", "00", "GRID");
  });
  const double atTarget = MagneticVarianceAt(h.clock, kCapeTown) * kDegToRad;
  const double atBase = MagneticVarianceAt(h.clock, kHome) * kDegToRad;
  ASSERT_GT(std::fabs(atTarget - atBase), 10.0 * kDegToRad);
  ASSERT_EQ(measured.size(), 2U);
  const PolarVector mag{4000.0, WrapRadians(10.0 * kDegToRad + atTarget), 2.0 * kDegToRad};
  EXPECT_EQ(measured[0].azimuth, mag.azimuth);
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[3].point, BackPolar(mag, kCapeTown)));
  const PolarVector grid{4000.0, WrapRadians(10.0 * kDegToRad + GridConvergence(kCapeTown)),
                         2.0 * kDegToRad};
  EXPECT_EQ(measured[1].azimuth, grid.azimuth);
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[4].point, BackPolar(grid, kCapeTown)));
  // The last result: the station found, measured towards the known target.
  const TaskResult& last = workspace.LastResult();
  EXPECT_EQ(last.task, Task::kBackPolarPlot);
  EXPECT_TRUE(SamePoint(last.station, workspace.Waypoints()[4].point));
  EXPECT_TRUE(SamePoint(last.target, kCapeTown));
  EXPECT_EQ(last.reference, kGridNorth);
  EXPECT_EQ(last.declinations.magneticVariance, atTarget);
}

TEST_F(BackPolarPlotFormTest, ChoosingATargetLeavesTheBaseAlone) {
  Run([this](B& f) {
    ASSERT_TRUE(f.Choose(B::kWaypointList, 2));
    EXPECT_EQ(workspace.Settings().editWaypoint, 2);  // at once
    EXPECT_EQ(f.Text(B::kLatHemisphere), "S");
    f.Press(B::kCancel);
  });
  EXPECT_EQ(workspace.Settings().baseWaypoint, 0);
  EXPECT_EQ(workspace.Settings().editWaypoint, 2);
  EXPECT_EQ(main.ListSelection(MainForm::kWaypointList), 0);
  // No refresh of the main form: its values stay as they were.
  EXPECT_EQ(main.Text(MainForm::kVarianceWhole), kUntouched);
}

TEST_F(BackPolarPlotFormTest, OkStoresTheStationAndSelectsTheTargetAgain) {
  settings.baseWaypoint = 2;
  Run([this](B& f) {
    MeasureAndCompute(f, "45", "00", "+", "1", "00", "1000", "00", "TRUE");
    EXPECT_EQ(f.ListCount(B::kWaypointList), 4);
    EXPECT_EQ(f.ListSelection(B::kWaypointList), 1);
    EXPECT_EQ(workspace.Settings().editWaypoint, 3);  // the station, not the list
    // A second press measures from the target still chosen.
    MeasureAndCompute(f, "45", "00", "+", "1", "00", "1000", "00", "TRUE");
  });
  const GeoPoint station = BackPolar({1000.0, 45.0 * kDegToRad, 1.0 * kDegToRad}, kPeak);
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[3].point, station));
  EXPECT_TRUE(SamePoint(workspace.Waypoints()[4].point, station));
  EXPECT_STREQ(workspace.Waypoints()[3].name, "WP #3");
  EXPECT_STREQ(workspace.Waypoints()[4].name, "WP #4");
  EXPECT_EQ(workspace.Settings().baseWaypoint, 2);
}

TEST_F(BackPolarPlotFormTest, RangeChecksOnTheWholeFields) {
  settings.angleUnit = kMils;
  Run([](B& f) {
    f.Type(B::kAzimuthWhole, "6400");
    f.Type(B::kElevationWhole, "1600");
    f.Type(B::kAzimuthHundredths, "6400");
    EXPECT_EQ(f.Text(B::kAzimuthWhole), "");
    EXPECT_EQ(f.Text(B::kElevationWhole), "");
    EXPECT_EQ(f.Text(B::kAngleUnit), "mils");
  });
  EXPECT_EQ(h.messages, (QStringList{messages::kRange0To6399, messages::kRange0To1599}));
}

TEST_F(BackPolarPlotFormTest, AFullOrEmptyTableStoresNothing) {
  for (int i = 3; i < kWaypointCapacity; ++i) {
    Put(table, i, QString("P%1").arg(i).toUtf8().constData(), kHome);
  }
  Run([](B& f) { f.Press(B::kOk); });
  EXPECT_EQ(std::memcmp(&workspace.Waypoints(), &table, sizeof table), 0);

  DeleteAll(table);
  Run([](B& f) { f.Press(B::kOk); });
  EXPECT_EQ(CountInUse(workspace.Waypoints()), 0);
  EXPECT_EQ(h.messages, (QStringList{messages::kTableFull, messages::kNoWaypoint}));
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 0);
}

}  // namespace
}  // namespace trelvan
