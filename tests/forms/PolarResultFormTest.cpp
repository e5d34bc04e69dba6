// The Polar result form on the results and declinations it is given: the
// display of angles and ranges with their carries, the elevation sign, the
// units, and the reference button that shows both azimuths from any north.

#include <gtest/gtest.h>

#include <limits>

#include "forms/MainForm.h"
#include "forms/Messages.h"
#include "forms/PolarResultForm.h"
#include "geodesy/Angles.h"
#include "measures/Units.h"
#include "tests/forms/FormTestSupport.h"

namespace trelvan {
namespace {

using test::MainFormSession;
using R = PolarResultForm;

// A stored result: the polar vector and back azimuth (radians, true), the
// declinations (radians) and the units.
struct Result {
  PolarVector polar{};
  double back = 0;
  double variance = 0;
  double convergence = 0;
  std::int32_t angleUnit = kDegrees;
  std::int32_t distanceUnit = kMeters;
};

class PolarResultFormTest : public MainFormSession {
 protected:
  // Shows `r` in the Polar result form and runs `body` on the open form.
  void Show(const Result& r, std::function<void(PolarResultForm&)> body) {
    h.Script<PolarResultForm>(std::move(body));
    Session([&](MainForm& m) {
      workspace.SetUnits(r.angleUnit, r.distanceUnit, workspace.Settings().datumIndex);
      PolarResultForm form(h.services, workspace,
                           TaskResult{.polar = r.polar,
                                      .backAzimuth = r.back,
                                      .declinations = {r.variance, r.convergence}},
                           &m);
      m.RunModal(form);
    });
    EXPECT_TRUE(h.messages.isEmpty());
  }

  // "whole hundredths" of a pair of fields.
  static QString Pair(const PolarResultForm& f, int whole, int hundredths) {
    return f.Text(whole) + ' ' + f.Text(hundredths);
  }
  static QString Azimuth(const PolarResultForm& f) {
    return Pair(f, R::kAzimuthWhole, R::kAzimuthHundredths);
  }
  static QString Back(const PolarResultForm& f) {
    return Pair(f, R::kBackAzimuthWhole, R::kBackAzimuthHundredths);
  }
  static QString Elevation(const PolarResultForm& f) {
    return f.Text(R::kElevationSign) + Pair(f, R::kElevationWhole, R::kElevationHundredths);
  }
  static QString Range(const PolarResultForm& f) {
    return Pair(f, R::kRangeWhole, R::kRangeHundredths);
  }
};

TEST_F(PolarResultFormTest, ZeroResultShowsZerosAndPlus) {
  Show(Result{}, [](PolarResultForm& f) {
    EXPECT_EQ(f.windowTitle(), "Polar");
    EXPECT_EQ(f.Text(R::kReference), "TRUE");
    EXPECT_EQ(Azimuth(f), "0000 00");
    EXPECT_EQ(Back(f), "0000 00");
    EXPECT_EQ(Elevation(f), "+0000 00");
    EXPECT_EQ(Range(f), "00000000 00");
    EXPECT_EQ(f.Text(R::kAngleUnit), "Deg");
    EXPECT_EQ(f.Text(R::kDistanceUnit), "m");
    for (int id : {R::kAzimuthWhole, R::kBackAzimuthHundredths, R::kRangeWhole}) {
      EXPECT_TRUE(f.IsReadOnly(id));
    }
  });
}

TEST_F(PolarResultFormTest, NegativeElevationShowsItsMagnitudeAndMinus) {
  Result r;
  r.polar.elevation = -0.1;  // 5.72957795130823 degrees
  Show(r, [](PolarResultForm& f) {
    EXPECT_EQ(Elevation(f), "-0005 73");
    // The sign only displays.
    f.Press(R::kElevationSign);
    EXPECT_EQ(Elevation(f), "-0005 73");
  });
}

// The range in each distance unit, with the carry of rounded hundredths
// into the whole units.
struct RangeCase {
  const char* name;
  double metres;
  std::int32_t unit;
  const char* label;
  const char* shown;
};

class PolarResultRange : public PolarResultFormTest,
                         public ::testing::WithParamInterface<RangeCase> {};

TEST_P(PolarResultRange, ShowsTheRangeInTheDistanceUnit) {
  const RangeCase& c = GetParam();
  Result r;
  r.polar.range = c.metres;
  r.distanceUnit = c.unit;
  Show(r, [&](PolarResultForm& f) {
    EXPECT_EQ(Range(f), c.shown);
    EXPECT_EQ(f.Text(R::kDistanceUnit), c.label);
  });
}

INSTANTIATE_TEST_SUITE_P(
    Units, PolarResultRange,
    ::testing::Values(RangeCase{"Metres", 1500, kMeters, "m", "00001500 00"},
                      RangeCase{"Kilometres", 1500, kKilometers, "km", "00000001 50"},
                      RangeCase{"FourMillimetresShort", 99.996, kMeters, "m", "00000100 00"},
                      RangeCase{"Feet", 0.3048, kFeet, "ft", "00000001 00"},
                      RangeCase{"NauticalMiles", 2778, kNauticalMiles, "nmi", "00000001 50"},
                      RangeCase{"StatuteMiles", 1609.344, kStatuteMiles, "smi", "00000001 00"},
                      RangeCase{"Yards", 9.144, kYards, "yd", "00000010 00"},
                      RangeCase{"UnknownCodeShowsMetres", 12.346, 9, "m", "00000012 35"},
                      RangeCase{"BeyondSixteenBits", 123456.78, kMeters, "m", "00123456 78"}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

TEST_F(PolarResultFormTest, AzimuthJustShortOfTheFullCircleShows360) {
  Result r;
  r.polar.azimuth = 359.996 * kDegToRad;
  r.back = 179.996 * kDegToRad;
  Show(r, [](PolarResultForm& f) {
    EXPECT_EQ(Azimuth(f), "0360 00");
    EXPECT_EQ(Back(f), "0180 00");
  });
}

TEST_F(PolarResultFormTest, MilsShowFourDigitWholeUnits) {
  Result r;
  r.angleUnit = kMils;
  r.polar.azimuth = kQuarterTurn;
  r.back = 3 * kQuarterTurn;
  r.polar.elevation = 0.01;
  Show(r, [](PolarResultForm& f) {
    EXPECT_EQ(f.Text(R::kAngleUnit), "mils");
    EXPECT_EQ(Azimuth(f), "1600 00");
    EXPECT_EQ(Back(f), "4800 00");
    EXPECT_EQ(Elevation(f), "+0010 19");
  });
}

// The reference button shows both azimuths from grid and magnetic north,
// each with the same declination taken at the base, and comes back to the
// true azimuths after three presses.
TEST_F(PolarResultFormTest, ReferenceButtonRedisplaysBothAzimuths) {
  Result r;
  r.polar.azimuth = 5 * kDegToRad;
  r.back = 185.5 * kDegToRad;
  r.polar.elevation = 0.02;
  r.polar.range = 321;
  r.variance = 10 * kDegToRad;
  r.convergence = -2 * kDegToRad;
  Show(r, [](PolarResultForm& f) {
    const QString elevation = Elevation(f);
    const QString range = Range(f);
    EXPECT_EQ(Azimuth(f), "0005 00");
    EXPECT_EQ(Back(f), "0185 50");
    f.Press(R::kReference);
    EXPECT_EQ(f.Text(R::kReference), "GRID");
    EXPECT_EQ(Azimuth(f), "0007 00");
    EXPECT_EQ(Back(f), "0187 50");
    f.Press(R::kReference);
    EXPECT_EQ(f.Text(R::kReference), "MAG");
    EXPECT_EQ(Azimuth(f), "0355 00");
    EXPECT_EQ(Back(f), "0175 50");
    f.Press(R::kReference);
    EXPECT_EQ(f.Text(R::kReference), "TRUE");
    EXPECT_EQ(Azimuth(f), "0005 00");
    EXPECT_EQ(Back(f), "0185 50");
    EXPECT_EQ(Elevation(f), elevation);
    EXPECT_EQ(Range(f), range);
  });
}

// At a base beyond the grid there is no grid north: GRID shows the message
// and no azimuth, and the other references show theirs again.
TEST_F(PolarResultFormTest, GridNorthBeyondTheGridShowsNoAzimuth) {
  h.Script<PolarResultForm>([](PolarResultForm& f) {
    f.Press(R::kReference);
    EXPECT_EQ(f.Text(R::kReference), "GRID");
    EXPECT_EQ(Azimuth(f) + Back(f), "  ");
    f.Press(R::kReference);
    EXPECT_EQ(Azimuth(f), "0355 00");
  });
  Session([this](MainForm& m) {
    test::SetAngleUnit(workspace, kDegrees);
    PolarResultForm form(
        h.services, workspace,
        TaskResult{.polar = {0, 5 * kDegToRad, 0},
                   .declinations = {10 * kDegToRad, std::numeric_limits<double>::quiet_NaN()}},
        &m);
    m.RunModal(form);
  });
  EXPECT_EQ(h.messages, QStringList{QString::fromUtf8(messages::kGridNorthUndefined)});
}

// The north chosen on the form is the one the result is read from
// elsewhere (the plan's labels).
TEST_F(PolarResultFormTest, TheReferenceChosenBecomesTheLastResults) {
  h.Script<PolarResultForm>([](PolarResultForm& f) { f.Press(R::kReference); });
  Session([this](MainForm& m) {
    workspace.SetLastResult(TaskResult{.task = Task::kInverse3D, .polar = {10, 1, 0}});
    PolarResultForm form(h.services, workspace, workspace.LastResult(), &m);
    m.RunModal(form);
    EXPECT_EQ(workspace.LastResult().reference, kGridNorth);
    EXPECT_EQ(workspace.LastResult().task, Task::kInverse3D);
  });
}

TEST_F(PolarResultFormTest, BackEndsTheFormAndChangesNothing) {
  Result r;
  r.polar = PolarVector{10, 1, -0.5};
  r.back = 4;
  h.Script<PolarResultForm>([](PolarResultForm& f) {
    f.Press(R::kReference);
    EXPECT_TRUE(f.Press(R::kBack));
    EXPECT_TRUE(f.Ended());
  });
  h.Script<MainForm>([&](MainForm& m) {
    workspace.SetLastResult(TaskResult{.polar = r.polar, .backAzimuth = r.back});
    PolarResultForm form(h.services, workspace, workspace.LastResult(), &m);
    EXPECT_EQ(m.RunModal(form), 0);
    EXPECT_EQ(workspace.LastResult().polar.azimuth, 1.0);
    EXPECT_EQ(workspace.LastResult().polar.elevation, -0.5);
    EXPECT_EQ(workspace.LastResult().backAzimuth, 4.0);
  });
  main.Execute();
}

}  // namespace
}  // namespace trelvan
