// The Inverse 3D form, driven as a user drives it from the main form: what
// it measures between two stored waypoints, what the Polar result form then
// shows, and which choice survives the form.

#include <gtest/gtest.h>

#include <QPushButton>
#include <cmath>

#include "forms/Forward3DForm.h"
#include "forms/Inverse3DForm.h"
#include "forms/MainForm.h"
#include "forms/PolarResultForm.h"
#include "forms/PositionDisplay.h"
#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "geometry/Polar.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"
#include "tests/forms/FormTestSupport.h"
#include "workspace/Declinations.h"

namespace trelvan {
namespace {

using test::AddWaypoint;
using test::MainFormSession;
using test::PointDeg;
using test::SetAngleUnit;
using test::SetDistanceUnit;
using R = PolarResultForm;

// The texts of the Polar result form when it was last shown.
struct PolarTexts {
  QString azimuth, azimuthHun, back, backHun, sign, elevation, elevationHun, range, rangeHun;
};

PolarTexts Read(const PolarResultForm& f) {
  return {f.Text(R::kAzimuthWhole),        f.Text(R::kAzimuthHundredths),
          f.Text(R::kBackAzimuthWhole),    f.Text(R::kBackAzimuthHundredths),
          f.Text(R::kElevationSign),       f.Text(R::kElevationWhole),
          f.Text(R::kElevationHundredths), f.Text(R::kRangeWhole),
          f.Text(R::kRangeHundredths)};
}

class Inverse3DFormTest : public MainFormSession {
 protected:
  Inverse3DFormTest() {
    h.Script<PolarResultForm>([this](PolarResultForm& f) { shown.push_back(Read(f)); });
  }

  // Opens the Inverse 3D form, runs `body` on it and closes it.
  void Inverse(MainForm& m, std::function<void(Inverse3DForm&)> body) {
    h.Script<Inverse3DForm>(std::move(body));
    m.RunCommand(MainForm::kCommandInverse3D);
  }

  std::vector<PolarTexts> shown;
};

TEST_F(Inverse3DFormTest, SameWaypointGivesZeroResult) {
  Session([&](MainForm& m) {
    SetAngleUnit(workspace, kDegrees);
    workspace.SetLastResult(TaskResult{.polar = PolarVector{1, 2, 3}, .backAzimuth = 4});
    Inverse(m, [](Inverse3DForm& f) {
      EXPECT_EQ(f.windowTitle(), "Inverse 3D");
      EXPECT_TRUE(static_cast<QPushButton*>(f.Control(Inverse3DForm::kOk))->isDefault());
      EXPECT_EQ(f.ListSelection(Inverse3DForm::kBaseList), 0);
      EXPECT_EQ(f.ListSelection(Inverse3DForm::kTargetList), 0);
      EXPECT_TRUE(f.Press(Inverse3DForm::kOk));
    });
    const TaskResult& last = workspace.LastResult();
    EXPECT_EQ(last.polar.range, 0.0);
    EXPECT_EQ(last.polar.azimuth, 0.0);
    EXPECT_EQ(last.polar.elevation, 0.0);
    EXPECT_EQ(last.backAzimuth, 0.0);
  });
  ASSERT_EQ(shown.size(), 1u);
  const PolarTexts& t = shown[0];
  EXPECT_EQ(t.sign, "+");
  for (const QString* whole : {&t.azimuth, &t.back, &t.elevation}) EXPECT_EQ(*whole, "0000");
  for (const QString* hun : {&t.azimuthHun, &t.backHun, &t.elevationHun, &t.rangeHun}) {
    EXPECT_EQ(*hun, "00");
  }
  EXPECT_EQ(t.range, "00000000");
  EXPECT_TRUE(h.messages.isEmpty());
}

// A target plotted with the Forward 3D form comes up as the target here, and
// the measurement typed there comes back, azimuth from true north.
struct RoundTrip {
  const char* name;
  std::int32_t angleUnit, distanceUnit;
  const char* azimuth[2];
  const char* elevation[2];
  const char* sign;
  const char* range[2];
};

class Inverse3DRoundTrip : public Inverse3DFormTest,
                           public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(Inverse3DRoundTrip, GivesBackTheForwardMeasurement) {
  const RoundTrip& c = GetParam();
  using P = PolarPlotForm;
  h.Script<Forward3DForm>([&](Forward3DForm& f) {
    f.Type(P::kAzimuthWhole, QString::fromUtf8(c.azimuth[0]));
    f.Type(P::kAzimuthHundredths, QString::fromUtf8(c.azimuth[1]));
    f.Type(P::kElevationWhole, QString::fromUtf8(c.elevation[0]));
    f.Type(P::kElevationHundredths, QString::fromUtf8(c.elevation[1]));
    if (QString::fromUtf8(c.sign) == "-") f.Press(P::kElevationSign);
    f.Type(P::kRangeWhole, QString::fromUtf8(c.range[0]));
    f.Type(P::kRangeHundredths, QString::fromUtf8(c.range[1]));
    EXPECT_TRUE(f.Press(P::kOk));
  });
  Session([&](MainForm& m) {
    workspace.SetUnits(c.angleUnit, c.distanceUnit, workspace.Settings().datumIndex);
    workspace.SetBase(AddWaypoint(workspace, "HILL", PointDeg(47.25, 8.5, 520)));
    m.RunCommand(MainForm::kCommandForward3D);
    ASSERT_EQ(workspace.Settings().editWaypoint, 2);
    Inverse(m, [](Inverse3DForm& f) {
      EXPECT_EQ(f.ListSelection(Inverse3DForm::kBaseList), 1);
      EXPECT_EQ(f.ListSelection(Inverse3DForm::kTargetList), 2);
      f.Press(Inverse3DForm::kOk);
    });
  });
  ASSERT_EQ(shown.size(), 1u);
  const PolarTexts& t = shown[0];
  EXPECT_EQ(t.azimuth.toInt(), QString::fromUtf8(c.azimuth[0]).toInt());
  EXPECT_EQ(t.azimuthHun, c.azimuth[1]);
  EXPECT_EQ(t.elevation.toInt(), QString::fromUtf8(c.elevation[0]).toInt());
  EXPECT_EQ(t.elevationHun, c.elevation[1]);
  EXPECT_EQ(t.sign, c.sign);
  EXPECT_EQ(t.range.toInt(), QString::fromUtf8(c.range[0]).toInt());
  EXPECT_EQ(t.rangeHun, c.range[1]);
}

INSTANTIATE_TEST_SUITE_P(
    Units, Inverse3DRoundTrip,
    ::testing::Values(
        RoundTrip{
            "DegreesMetres", kDegrees, kMeters, {"123", "45"}, {"2", "50"}, "+", {"1234", "56"}},
        RoundTrip{"MilsFeetDown", kMils, kFeet, {"5432", "10"}, {"35", "07"}, "-", {"8000", "25"}},
        RoundTrip{"DegreesKilometresNorth",
                  kDegrees,
                  kKilometers,
                  {"0", "30"},
                  {"0", "05"},
                  "+",
                  {"12", "34"}}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

TEST_F(Inverse3DFormTest, SwappingBaseAndTargetSwapsTheAzimuths) {
  PolarVector forward{}, backward{};
  double forwardBack = 0, backwardBack = 0;
  Session([&](MainForm& m) {
    SetAngleUnit(workspace, kDegrees);
    AddWaypoint(workspace, "A", PointDeg(-33.9, 18.4, 10));
    AddWaypoint(workspace, "B", PointDeg(-33.95, 18.48, 1080));
    const auto measure = [&](int base, int target, PolarVector& polar, double& back) {
      Inverse(m, [&](Inverse3DForm& f) {
        f.Choose(Inverse3DForm::kBaseList, base);
        f.Choose(Inverse3DForm::kTargetList, target);
        f.Press(Inverse3DForm::kOk);
      });
      polar = workspace.LastResult().polar;
      back = workspace.LastResult().backAzimuth;
    };
    measure(1, 2, forward, forwardBack);
    measure(2, 1, backward, backwardBack);
  });
  EXPECT_EQ(backward.azimuth, forwardBack);
  EXPECT_EQ(backwardBack, forward.azimuth);
  EXPECT_NEAR(backward.range, forward.range, 1e-6);
  // Each elevation is against its own horizon: opposite signs, equal only
  // up to the curvature of the earth over the distance.
  EXPECT_GT(forward.elevation, 0);
  EXPECT_LT(backward.elevation, 0);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].azimuth, shown[1].back);
  EXPECT_EQ(shown[0].azimuthHun, shown[1].backHun);
  EXPECT_EQ(shown[0].back, shown[1].azimuth);
  EXPECT_EQ(shown[0].backHun, shown[1].azimuthHun);
  EXPECT_EQ(shown[0].range, shown[1].range);
  EXPECT_EQ(shown[0].rangeHun, shown[1].rangeHun);
  EXPECT_EQ(shown[0].sign, "+");
  EXPECT_EQ(shown[1].sign, "-");
}

TEST_F(Inverse3DFormTest, DeclinationsAreTakenAtTheBase) {
  const GeoPoint base = PointDeg(60.2, 24.9, 30);
  const GeoPoint target = PointDeg(59.4, 24.7, 40);
  // Both azimuths from each north, as each Polar result form shows them.
  std::vector<QStringList> fromEachNorth;
  h.Script<PolarResultForm>([&](PolarResultForm& f) {
    QStringList texts;
    for (int i = 0; i < 3; ++i) {
      const PolarTexts t = Read(f);
      texts << f.Text(R::kReference) << t.azimuth << t.azimuthHun << t.back << t.backHun;
      f.Press(R::kReference);
    }
    fromEachNorth.push_back(texts);
  });
  const auto at = [this](const GeoPoint& p) {
    return Declinations{MagneticVarianceAt(h.clock, p) * kDegToRad, GridConvergence(p)};
  };
  Session([&](MainForm& m) {
    AddWaypoint(workspace, "BASE", base);
    AddWaypoint(workspace, "TARGET", target);
    Inverse(m, [&](Inverse3DForm& f) {
      f.Choose(Inverse3DForm::kBaseList, 1);
      f.Choose(Inverse3DForm::kTargetList, 2);
      f.Press(Inverse3DForm::kOk);
    });
    const TaskResult last = workspace.LastResult();
    EXPECT_EQ(last.task, Task::kInverse3D);
    EXPECT_TRUE(test::SamePoint(last.station, base));
    EXPECT_TRUE(test::SamePoint(last.target, target));
    EXPECT_EQ(last.backAzimuth, InversePolar(target, base).azimuth);
    EXPECT_EQ(last.declinations.magneticVariance, at(base).magneticVariance);
    EXPECT_EQ(last.declinations.gridConvergence, at(base).gridConvergence);
    // The same result over the declinations at the base, then at the target.
    for (const GeoPoint& p : {base, target}) {
      TaskResult shown = last;
      shown.declinations = at(p);
      PolarResultForm form(h.services, workspace, shown, &m);
      m.RunModal(form);
    }
  });
  ASSERT_EQ(fromEachNorth.size(), 3u);
  EXPECT_EQ(fromEachNorth[0], fromEachNorth[1]);
  EXPECT_NE(fromEachNorth[0], fromEachNorth[2]);
}

TEST_F(Inverse3DFormTest, ClosingKeepsTheBaseChoiceButNotTheTarget) {
  Session([&](MainForm& m) {
    SetAngleUnit(workspace, kDegrees);
    AddWaypoint(workspace, "NORTH", PointDeg(12.5, 1, 0));
    AddWaypoint(workspace, "SOUTH", PointDeg(-45.25, -2, -5));
    workspace.SetEditWaypoint(2);
    Inverse(m, [&](Inverse3DForm& f) {
      EXPECT_EQ(f.Text(Inverse3DForm::kTargetLatHemisphere), "S");
      EXPECT_EQ(f.Text(Inverse3DForm::kTargetLatDeg), "045");
      EXPECT_EQ(f.Text(Inverse3DForm::kTargetAltSign), "-");
      f.Choose(Inverse3DForm::kBaseList, 1);
      f.Choose(Inverse3DForm::kTargetList, 0);
      // A choice only redisplays its own group until the form closes.
      EXPECT_EQ(f.Text(Inverse3DForm::kBaseLatDeg), "012");
      EXPECT_EQ(f.Text(Inverse3DForm::kBaseLatMin), "30");
      EXPECT_EQ(f.Text(Inverse3DForm::kTargetLatHemisphere), "N");
      EXPECT_EQ(f.Text(Inverse3DForm::kTargetLatDeg), "000");
      EXPECT_EQ(workspace.Settings().baseWaypoint, 0);
      f.Press(Inverse3DForm::kCancel);
    });
    EXPECT_EQ(workspace.Settings().baseWaypoint, 1);
    EXPECT_EQ(workspace.Settings().editWaypoint, 2);
    EXPECT_EQ(m.ListSelection(MainForm::kWaypointList), 1);
    EXPECT_EQ(m.Text(MainForm::kLatDeg), "012");
  });
  EXPECT_EQ(h.RunCount<PolarResultForm>(), 0);
}

TEST_F(Inverse3DFormTest, AltitudeLabelsFollowTheDistanceUnit) {
  Session([&](MainForm& m) {
    SetDistanceUnit(workspace, kYards);
    Inverse(m, [](Inverse3DForm& f) {
      EXPECT_EQ(f.Text(Inverse3DForm::kBaseAltUnit), "ft");
      EXPECT_EQ(f.Text(Inverse3DForm::kTargetAltUnit), "ft");
    });
    SetDistanceUnit(workspace, kNauticalMiles);
    Inverse(m, [](Inverse3DForm& f) {
      EXPECT_EQ(f.Text(Inverse3DForm::kBaseAltUnit), "m");
      EXPECT_EQ(f.Text(Inverse3DForm::kTargetAltUnit), "m");
    });
  });
}

// A list without a choice reads no record: "OK" waits until both lists
// have one, and a base list without one leaves the base as it was.
TEST_F(Inverse3DFormTest, NothingIsMeasuredUntilBothWaypointsAreChosen) {
  Session([&](MainForm& m) {
    AddWaypoint(workspace, "ONE", PointDeg(10, 10, 10));
    workspace.SetBase(1);
    workspace.SetEditWaypoint(7);  // beyond the run: the target list opens empty-handed
    const PolarVector before{1, 2, 3};
    workspace.SetLastResult(TaskResult{.polar = before});
    Inverse(m, [&](Inverse3DForm& f) {
      EXPECT_EQ(f.ListSelection(Inverse3DForm::kTargetList), -1);
      EXPECT_EQ(f.Text(Inverse3DForm::kTargetLatDeg), "");
      f.Press(Inverse3DForm::kOk);
      EXPECT_EQ(workspace.LastResult().polar.range, before.range);
      f.Choose(Inverse3DForm::kTargetList, 0);
      f.Press(Inverse3DForm::kOk);
    });
    EXPECT_GT(workspace.LastResult().polar.range, 1000.0);
    EXPECT_EQ(h.RunCount<PolarResultForm>(), 1);

    workspace.DeleteAllWaypoints();
    Inverse(m, [](Inverse3DForm& f) {
      EXPECT_EQ(f.ListCount(Inverse3DForm::kBaseList), 0);
      f.Press(Inverse3DForm::kOk);
    });
    EXPECT_EQ(h.RunCount<PolarResultForm>(), 1);
    EXPECT_EQ(workspace.Settings().baseWaypoint, 1);
  });
  EXPECT_TRUE(h.messages.isEmpty());
}

}  // namespace
}  // namespace trelvan
