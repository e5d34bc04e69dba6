// The rules every task form shares, on a small form of its own: entry
// pairs, sign and reference buttons, range checks, unit labels, the polar
// measurement and the storing of a result.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ostream>

#include "forms/MainForm.h"
#include "forms/Messages.h"
#include "forms/TaskForm.h"
#include "forms/WaypointsForm.h"
#include "geodesy/AngleWrap.h"
#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"
#include "tests/forms/FormTestSupport.h"
#include "workspace/Declinations.h"

namespace trelvan {
namespace {

using test::EditTable;
using test::MainFormSession;
using test::PointDeg;
using test::Put;
using test::SetAngleUnit;
using test::SetDatum;
using test::SetDistanceUnit;

// A task form with one of each kind of control the rules work on.
class ProbeForm : public TaskForm {
 public:
  enum Id {
    kList = 1000,
    kWhole = 1001,
    kHundredths = 1002,
    kSign = 1003,
    kReference = 1004,
    kElevationWhole = 1005,
    kElevationHundredths = 1006,
    kRangeWhole = 1007,
    kRangeHundredths = 1008,
    kAltitudeLabel = 1010,
    kAngleLabel = 1011,
    kDistanceLabel = 1012,
    kLatHemisphere = 1020,
    kLatDeg,
    kLatMin,
    kLatSec,
    kLatHun,
    kLonHemisphere,
    kLonDeg,
    kLonMin,
    kLonSec,
    kLonHun,
    kAltSign,
    kAlt,
  };

  ProbeForm(Services& services, Workspace& workspace)
      : TaskForm(services, workspace, QStringLiteral("Probe"), nullptr) {
    using K = ControlKind;
    const int g = AddGroup(QStringLiteral("Probe"));
    AddControls({
        {kList, K::kList, "", g, 0, 0},
        {kWhole, K::kDigits, "", g, 1, 0},
        {kHundredths, K::kDigits, "", g, 1, 1},
        {kSign, K::kButton, "+", g, 2, 0},
        {kReference, K::kButton, "TRUE", g, 2, 1},
        {kElevationWhole, K::kDigits, "", g, 3, 0},
        {kElevationHundredths, K::kDigits, "", g, 3, 1},
        {kRangeWhole, K::kDigits, "", g, 4, 0},
        {kRangeHundredths, K::kDigits, "", g, 4, 1},
        {kAltitudeLabel, K::kLabel, "m", g, 5, 0},
        {kAngleLabel, K::kLabel, "mils", g, 5, 1},
        {kDistanceLabel, K::kLabel, "m", g, 5, 2},
    });
    int column = 0;
    for (int id = kLatHemisphere; id <= kAlt; ++id) {
      AddControls({{id, K::kEdit, "", g, 6, column++}});
    }
  }

  using TaskForm::CycleReference;
  using TaskForm::DeclinationsAt;
  using TaskForm::ReadEntry;
  using TaskForm::ReadPolarAt;
  using TaskForm::ReadSignedEntry;
  using TaskForm::RefillAndSelect;
  using TaskForm::ResetEntries;
  using TaskForm::SelectedRecord;
  using TaskForm::ShowPosition;
  using TaskForm::ShowUnitLabels;
  using TaskForm::StoreResult;
  using TaskForm::ToggleSign;

  PolarVector ReadPolar(const GeoPoint& at) {
    PolarVector v{};
    EXPECT_TRUE(ReadPolarAt({kReference, kWhole, kHundredths, kSign, kElevationWhole,
                             kElevationHundredths, kRangeWhole, kRangeHundredths},
                            DeclinationsAt(at), v));
    return v;
  }

 protected:
  void OnTextChanged(int id) override {
    if (id == kWhole) CheckAzimuthField(id);
    if (id == kElevationWhole) CheckElevationField(id);
  }
};

class TaskFormTest : public MainFormSession {
 protected:
  TaskFormTest() {
    EditTable(workspace, MakeDefaultTable);
    SetAngleUnit(workspace, kDegrees);
  }

  ProbeForm form{h.services, workspace};
};

TEST_F(TaskFormTest, EntryPairsReadWholePlusHundredths) {
  struct Case {
    const char* whole;
    const char* hundredths;
    double value;
  };
  // The hundredths field is not limited to two digits; empty fields read 0.
  for (const Case& c : {Case{"10", "150", 11.5}, Case{"12", "50", 12.5}, Case{"", "", 0.0},
                        Case{"7", "", 7.0}, Case{"", "00", 0.0}, Case{"359", "150", 360.5}}) {
    form.SetText(ProbeForm::kWhole, QString::fromUtf8(c.whole));
    form.SetText(ProbeForm::kHundredths, QString::fromUtf8(c.hundredths));
    EXPECT_EQ(form.ReadEntry(ProbeForm::kWhole, ProbeForm::kHundredths), c.value)
        << c.whole << " " << c.hundredths;
  }
  form.SetText(ProbeForm::kWhole, QStringLiteral("12"));
  form.SetText(ProbeForm::kHundredths, QStringLiteral("50"));
  EXPECT_EQ(form.ReadSignedEntry(ProbeForm::kWhole, ProbeForm::kHundredths, ProbeForm::kSign),
            12.5);
  form.SetText(ProbeForm::kSign, QStringLiteral("-"));
  EXPECT_EQ(form.ReadSignedEntry(ProbeForm::kWhole, ProbeForm::kHundredths, ProbeForm::kSign),
            -12.5);
}

TEST_F(TaskFormTest, ResetFillsZeros) {
  form.ResetEntries({ProbeForm::kWhole, ProbeForm::kRangeWhole},
                    {ProbeForm::kHundredths, ProbeForm::kRangeHundredths});
  EXPECT_EQ(form.Text(ProbeForm::kWhole), "0");
  EXPECT_EQ(form.Text(ProbeForm::kRangeWhole), "0");
  EXPECT_EQ(form.Text(ProbeForm::kHundredths), "00");
  EXPECT_EQ(form.Text(ProbeForm::kRangeHundredths), "00");
}

TEST_F(TaskFormTest, ButtonsCycleTheirCaptions) {
  for (const char* expected : {"-", "+", "-"}) {
    form.ToggleSign(ProbeForm::kSign);
    EXPECT_EQ(form.Text(ProbeForm::kSign), expected);
  }
  form.SetText(ProbeForm::kSign, QStringLiteral("?"));
  form.ToggleSign(ProbeForm::kSign);
  EXPECT_EQ(form.Text(ProbeForm::kSign), "+");

  for (const char* expected : {"GRID", "MAG", "TRUE", "GRID"}) {
    form.CycleReference(ProbeForm::kReference);
    EXPECT_EQ(form.Text(ProbeForm::kReference), expected);
  }
  form.SetText(ProbeForm::kReference, QStringLiteral("true"));
  form.CycleReference(ProbeForm::kReference);
  EXPECT_EQ(form.Text(ProbeForm::kReference), "true");
}

struct RangeCase {
  const char* name;
  std::int32_t angleUnit;
  int field;
  const char* typed;
  const char* message;  // nullptr when the value passes
};

void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }

class TaskFormRangeTest : public TaskFormTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(TaskFormRangeTest, RejectsAtTheLimitAndEmptiesTheField) {
  const RangeCase& c = GetParam();
  SetAngleUnit(workspace, c.angleUnit);
  form.SetText(c.field, QStringLiteral("0"));
  form.Type(c.field, QString::fromUtf8(c.typed));
  if (c.message == nullptr) {
    EXPECT_TRUE(h.messages.isEmpty());
    EXPECT_EQ(form.Text(c.field), c.typed);
  } else {
    EXPECT_EQ(h.messages, QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(form.Text(c.field), "");
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Limits, TaskFormRangeTest,
    ::testing::Values(
        RangeCase{"AzimuthDeg359", kDegrees, ProbeForm::kWhole, "359", nullptr},
        RangeCase{"AzimuthDeg360", kDegrees, ProbeForm::kWhole, "360", messages::kRange0To359},
        RangeCase{"AzimuthDegHuge", kDegrees, ProbeForm::kWhole, "999999999",
                  messages::kRange0To359},
        RangeCase{"ElevationDeg89", kDegrees, ProbeForm::kElevationWhole, "89", nullptr},
        RangeCase{"ElevationDeg90", kDegrees, ProbeForm::kElevationWhole, "90",
                  messages::kRange0To89},
        RangeCase{"AzimuthMils6399", kMils, ProbeForm::kWhole, "6399", nullptr},
        RangeCase{"AzimuthMils6400", kMils, ProbeForm::kWhole, "6400", messages::kRange0To6399},
        RangeCase{"ElevationMils1599", kMils, ProbeForm::kElevationWhole, "1599", nullptr},
        RangeCase{"ElevationMils1600", kMils, ProbeForm::kElevationWhole, "1600",
                  messages::kRange0To1599},
        // Any code but zero is degrees.
        RangeCase{"AzimuthCode7", 7, ProbeForm::kWhole, "360", messages::kRange0To359}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(TaskFormTest, RangeChecksIgnoreWhatTheFormShows) {
  form.SetText(ProbeForm::kWhole, QStringLiteral("400"));
  EXPECT_TRUE(h.messages.isEmpty());
  EXPECT_EQ(form.Text(ProbeForm::kWhole), "400");
}

TEST_F(TaskFormTest, UnitLabelsFollowTheSettings) {
  struct Case {
    std::int32_t distance;
    const char* altitude;
    const char* range;
  };
  for (const Case& c : {Case{0, "m", "m"}, Case{1, "m", "km"}, Case{2, "ft", "ft"},
                        Case{3, "m", "nmi"}, Case{4, "ft", "smi"}, Case{5, "ft", "yd"}}) {
    SetDistanceUnit(workspace, c.distance);
    form.ShowUnitLabels(ProbeForm::kAltitudeLabel, ProbeForm::kAngleLabel,
                        ProbeForm::kDistanceLabel);
    EXPECT_EQ(form.Text(ProbeForm::kAltitudeLabel), c.altitude) << c.distance;
    EXPECT_EQ(form.Text(ProbeForm::kDistanceLabel), c.range) << c.distance;
  }
  // A code outside 0..5 leaves both labels as they stand.
  SetDistanceUnit(workspace, 6);
  form.ShowUnitLabels(ProbeForm::kAltitudeLabel, ProbeForm::kAngleLabel, ProbeForm::kDistanceLabel);
  EXPECT_EQ(form.Text(ProbeForm::kAltitudeLabel), "ft");
  EXPECT_EQ(form.Text(ProbeForm::kDistanceLabel), "yd");

  EXPECT_EQ(form.Text(ProbeForm::kAngleLabel), "Deg");
  SetAngleUnit(workspace, kMils);
  form.ShowUnitLabels(0, ProbeForm::kAngleLabel, 0);
  EXPECT_EQ(form.Text(ProbeForm::kAngleLabel), "mils");
  EXPECT_EQ(form.Text(ProbeForm::kDistanceLabel), "yd");
}

TEST_F(TaskFormTest, PositionShownInTheMapDatumAndAltitudeUnit) {
  constexpr GeographicFields kFields{
      ProbeForm::kLatHemisphere, ProbeForm::kLatDeg,        ProbeForm::kLatMin,  ProbeForm::kLatSec,
      ProbeForm::kLatHun,        ProbeForm::kLonHemisphere, ProbeForm::kLonDeg,  ProbeForm::kLonMin,
      ProbeForm::kLonSec,        ProbeForm::kLonHun,        ProbeForm::kAltSign, ProbeForm::kAlt};
  const auto shown = [this] {
    QStringList texts;
    for (int id = ProbeForm::kLatHemisphere; id <= ProbeForm::kAlt; ++id) texts << form.Text(id);
    return texts.join(' ');
  };
  SetDistanceUnit(workspace, kYards);  // altitudes in feet: 100 m is 328.08 ft
  const GeoPoint p = PointDeg(-45.5, -7.25, -100.0);
  form.ShowPosition(kFields, p);
  EXPECT_EQ(shown(), "S 045 30 00 00 W 007 15 00 00 - 00328");

  // In another map datum the same point shows other seconds and height.
  SetDatum(workspace, 1);
  form.ShowPosition(kFields, p);
  EXPECT_NE(shown(), "S 045 30 00 00 W 007 15 00 00 - 00328");
  SetDatum(workspace, 0);
  SetDistanceUnit(workspace, kKilometers);
  form.ShowPosition(kFields, p);
  EXPECT_EQ(shown(), "S 045 30 00 00 W 007 15 00 00 - 00100");
}

TEST_F(TaskFormTest, DeclinationsComeFromTheClockAtThePoint) {
  const GeoPoint p = PointDeg(48.2, 16.4, 200.0);
  const Declinations at = form.DeclinationsAt(p);
  const double variance = MagneticVarianceAt(h.clock, p) * kDegToRad;
  EXPECT_EQ(at.magneticVariance, variance);
  EXPECT_EQ(at.gridConvergence, GridConvergence(p));

  // Another year of secular variation gives another variance.
  h.clock = h.clock.addYears(-20);
  EXPECT_NE(form.DeclinationsAt(p).magneticVariance, variance);
}

TEST_F(TaskFormTest, DeclinationsAreSignedRadiansEastPositive) {
  // Seattle lies east of the agonic line, the middle of the North Atlantic
  // west of it; in zone 31 grid north lies west of true north west of the
  // central meridian (3 E) and east of it east of there.
  EXPECT_GT(form.DeclinationsAt(PointDeg(47.6, -122.3)).magneticVariance, 10 * kDegToRad);
  EXPECT_LT(form.DeclinationsAt(PointDeg(50, -30)).magneticVariance, -5 * kDegToRad);
  EXPECT_LT(form.DeclinationsAt(PointDeg(45, 0.5)).gridConvergence, 0);
  EXPECT_GT(form.DeclinationsAt(PointDeg(45, 5.5)).gridConvergence, 0);
  EXPECT_TRUE(std::isnan(form.DeclinationsAt(PointDeg(84.5, 10)).gridConvergence));
}

TEST_F(TaskFormTest, PolarMeasurementInRadiansAndMetresReferredToTrueNorth) {
  const GeoPoint at = PointDeg(-33.9, 18.4, 10.0);
  form.SetText(ProbeForm::kWhole, QStringLiteral("359"));
  form.SetText(ProbeForm::kHundredths, QStringLiteral("150"));
  form.SetText(ProbeForm::kElevationWhole, QStringLiteral("12"));
  form.SetText(ProbeForm::kElevationHundredths, QStringLiteral("50"));
  form.SetText(ProbeForm::kSign, QStringLiteral("-"));
  form.SetText(ProbeForm::kRangeWhole, QStringLiteral("1"));
  form.SetText(ProbeForm::kRangeHundredths, QStringLiteral("50"));
  SetDistanceUnit(workspace, kNauticalMiles);

  // "TRUE" passes the azimuth as typed, beyond the full circle.
  PolarVector v = form.ReadPolar(at);
  EXPECT_EQ(v.azimuth, 360.5 * kDegToRad);
  EXPECT_EQ(v.elevation, -(12.5 * kDegToRad));
  EXPECT_EQ(v.range, 1.5 * 1852.0);

  // "MAG" and "GRID" add the declinations found at the point, wrapped.
  const Declinations declinations = form.DeclinationsAt(at);
  form.SetText(ProbeForm::kReference, QStringLiteral("MAG"));
  v = form.ReadPolar(at);
  EXPECT_EQ(declinations.magneticVariance, MagneticVarianceAt(h.clock, at) * kDegToRad);
  EXPECT_EQ(v.azimuth, WrapRadians(360.5 * kDegToRad + declinations.magneticVariance));
  EXPECT_LT(v.azimuth, kFullTurn);
  form.SetText(ProbeForm::kReference, QStringLiteral("GRID"));
  v = form.ReadPolar(at);
  EXPECT_EQ(declinations.gridConvergence, GridConvergence(at));
  EXPECT_EQ(v.azimuth, WrapRadians(360.5 * kDegToRad + declinations.gridConvergence));

  // Mils and an unknown distance code, which leaves the range as typed.
  SetAngleUnit(workspace, kMils);
  SetDistanceUnit(workspace, 9);
  form.SetText(ProbeForm::kReference, QStringLiteral("TRUE"));
  v = form.ReadPolar(at);
  EXPECT_EQ(v.azimuth, 360.5 * kMilsToRad);
  EXPECT_EQ(v.elevation, -(12.5 * kMilsToRad));
  EXPECT_EQ(v.range, 1.5);
}

TEST_F(TaskFormTest, SelectedRecordStaysInsideTheRun) {
  EditTable(workspace, [](WaypointTable& t) {
    Put(t, 1, "B", PointDeg(1, 1, 0));
    Put(t, 2, "C", PointDeg(2, 2, 0));
  });
  EXPECT_EQ(form.SelectedRecord(ProbeForm::kList), -1);  // empty list
  EXPECT_EQ(form.RefillAndSelect(ProbeForm::kList, QStringLiteral("C")), 2);
  EXPECT_EQ(form.SelectedRecord(ProbeForm::kList), 2);
  // The table shrank under the list: the entry no longer names a record.
  EditTable(workspace, [](WaypointTable& t) { t[2].used = 0; });
  EXPECT_EQ(form.SelectedRecord(ProbeForm::kList), -1);

  EXPECT_EQ(form.RefillAndSelect(ProbeForm::kList, QStringLiteral("C")), 0);
  EXPECT_EQ(form.ListCount(ProbeForm::kList), 2);
  workspace.DeleteAllWaypoints();
  EXPECT_EQ(form.RefillAndSelect(ProbeForm::kList, QStringLiteral("B")), -1);
  EXPECT_EQ(form.SelectedRecord(ProbeForm::kList), -1);
}

TEST_F(TaskFormTest, StoreResultFillsTheFirstFreeRecordAndRunsTheWaypointsForm) {
  int shownAt = -2;
  h.Script<WaypointsForm>(
      [&](WaypointsForm& w) { shownAt = w.ListSelection(WaypointsForm::kWaypointList); });
  const GeoPoint p{0.5, -1.25, 1234.5, 7};
  ASSERT_TRUE(form.StoreResult(p));
  const Waypoint& stored = workspace.Waypoints()[1];
  EXPECT_EQ(stored.used, 1);
  EXPECT_STREQ(stored.name, "WP #1");
  EXPECT_EQ(std::memcmp(&stored.point, &p, offsetof(GeoPoint, datum) + sizeof p.datum), 0);
  EXPECT_EQ(workspace.Settings().editWaypoint, 1);
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 1);
  EXPECT_EQ(shownAt, 1);
}

TEST_F(TaskFormTest, StoreResultPicksTheLowestFreeNumberFromTheIndex) {
  EditTable(workspace, [](WaypointTable& t) {
    Put(t, 1, "WP #4", PointDeg(1, 1, 0));
    Put(t, 2, "WP #3", PointDeg(2, 2, 0));
  });
  ASSERT_TRUE(form.StoreResult(PointDeg(3, 3, 0)));
  EXPECT_STREQ(workspace.Waypoints()[3].name, "WP #5");
  // Names compare case-sensitively.
  EditTable(workspace, [](WaypointTable& t) {
    SetName(t[1], "wp #4");
    SetName(t[2], "WP #5 ");
    t[3].used = 0;
  });
  ASSERT_TRUE(form.StoreResult(PointDeg(3, 3, 0)));
  EXPECT_STREQ(workspace.Waypoints()[3].name, "WP #3");
}

TEST_F(TaskFormTest, AFreeRecordsOldNameCountsAgainstItself) {
  // The record is flagged before the name is chosen, so the name it held
  // while free is taken.
  EditTable(workspace, [](WaypointTable& t) {
    Put(t, 1, "B", PointDeg(1, 1, 0));
    SetName(t[2], "WP #2");
  });
  ASSERT_TRUE(form.StoreResult(PointDeg(2, 2, 0)));
  EXPECT_STREQ(workspace.Waypoints()[2].name, "WP #3");
}

TEST_F(TaskFormTest, AFullTableStoresNothing) {
  EditTable(workspace, [](WaypointTable& t) {
    for (int i = 1; i < kWaypointCapacity; ++i) {
      Put(t, i, QString("P%1").arg(i).toUtf8().constData(), PointDeg(i, i, 0));
    }
  });
  const WaypointTable before = workspace.Waypoints();
  workspace.SetEditWaypoint(7);
  EXPECT_FALSE(form.StoreResult(PointDeg(10, 10, 0)));
  EXPECT_EQ(h.messages, QStringList{QString::fromUtf8(messages::kTableFull)});
  EXPECT_EQ(std::memcmp(&before, &workspace.Waypoints(), sizeof before), 0);
  EXPECT_EQ(workspace.Settings().editWaypoint, 7);
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 0);
}

}  // namespace
}  // namespace trelvan
