// The Units form: opening on the settings, pending choices, the commit that
// moves the main form's base into the new units and datum at once, and
// Cancel, which keeps everything.
#include <gtest/gtest.h>

#include <QPushButton>
#include <cmath>

#include "forms/UnitsForm.h"
#include "geodesy/Convergence.h"
#include "geodesy/DatumShift.h"
#include "geodesy/Rounding.h"
#include "measures/DisplaySplit.h"
#include "measures/Units.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using test::AltitudeTexts;
using test::BaseTexts;
using test::MainFormFixture;
using test::PointDeg;
using test::SameTable;
using test::TableOf;
using test::Texts;

using U = UnitsForm;

// The radio buttons in the order of the unit codes.
constexpr int kAngleRadio[] = {U::kMilsRadio, U::kDegreesRadio};
constexpr int kDistanceRadio[] = {U::kMetersRadio,        U::kKilometersRadio,   U::kFeetRadio,
                                  U::kNauticalMilesRadio, U::kStatuteMilesRadio, U::kYardsRadio};

// The ids of the checked radio buttons, in id order.
std::vector<int> Checked(const UnitsForm& f) {
  std::vector<int> ids;
  for (int id :
       {U::kDegreesRadio, U::kMilsRadio, U::kMetersRadio, U::kFeetRadio, U::kKilometersRadio,
        U::kNauticalMilesRadio, U::kStatuteMilesRadio, U::kYardsRadio}) {
    if (f.IsChecked(id)) ids.push_back(id);
  }
  return ids;
}

class UnitsFormTest : public MainFormFixture {
 protected:
  // Starts the main form on `settings` and the table below, opens the Units
  // form from the menu with `units` driving it, then runs `after` on the main
  // form.
  void OpenUnits(const AppSettings& settings, std::function<void(UnitsForm&)> units,
                 std::function<void(MainForm&)> after = nullptr) {
    WriteTable(table);
    WriteSettings(settings);
    h.Script<UnitsForm>(units);
    Run([&](MainForm& m) {
      before = BaseTexts(m);
      m.RunCommand(MainForm::kCommandUnits);
      if (after) after(m);
    });
  }

  WaypointTable table = TableOf({PointDeg(48.2, 11.6, 520.3), PointDeg(-33.9, 151.2, 12)});
  QStringList before;  // the main form's display before the Units form opened
};

TEST_F(UnitsFormTest, LayoutCaptionsAndTheDatumList) {
  OpenUnits({}, [](UnitsForm& f) {
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Units"));
    EXPECT_EQ(Texts(f, {U::kDegreesRadio, U::kMilsRadio, U::kMetersRadio, U::kKilometersRadio,
                        U::kFeetRadio, U::kNauticalMilesRadio, U::kStatuteMilesRadio,
                        U::kYardsRadio, U::kOk, U::kCancel}),
              (QStringList{"Degrees", "Mils", "meters", "kilometers", "feet", "nautical miles",
                           "statute miles", "yards", "OK", "Cancel"}));
    ASSERT_EQ(f.ListCount(U::kDatumList), kDatumCount);
    for (std::uint16_t i = 0; i < kDatumCount; ++i) {
      EXPECT_EQ(f.ListText(U::kDatumList, i), QString::fromLatin1(DatumName(i))) << i;
    }
    EXPECT_TRUE(static_cast<QPushButton*>(f.Control(U::kOk))->isDefault());
    EXPECT_FALSE(static_cast<QPushButton*>(f.Control(U::kCancel))->isDefault());
  });
  EXPECT_EQ(h.RunCount<UnitsForm>(), 1);
}

TEST_F(UnitsFormTest, OpensOnTheSettingsForEveryUnitCode) {
  WriteTable(table);
  Run([&](MainForm& m) {
    for (std::int32_t angle = 0; angle < 2; ++angle) {
      for (std::int32_t distance = 0; distance < kDistanceUnitCount; ++distance) {
        SCOPED_TRACE(::testing::Message() << angle << " " << distance);
        workspace->SetUnits(angle, distance, 40 + distance);
        h.Script<UnitsForm>([&](UnitsForm& f) {
          // Angle ids come before distance ids.
          EXPECT_EQ(Checked(f), (std::vector<int>{kAngleRadio[angle], kDistanceRadio[distance]}));
          EXPECT_EQ(f.ListSelection(U::kDatumList), 40 + distance);
        });
        m.RunCommand(MainForm::kCommandUnits);
      }
    }
  });
  EXPECT_EQ(h.RunCount<UnitsForm>(), 2 * kDistanceUnitCount);
}

TEST_F(UnitsFormTest, OkCommitsEveryUnitCodeItsButtonStandsFor) {
  WriteTable(table);
  Run([&](MainForm& m) {
    for (std::int32_t code = 0; code < kDistanceUnitCount; ++code) {
      SCOPED_TRACE(code);
      workspace->SetUnits(1 - code % 2, (code + 1) % kDistanceUnitCount,
                          workspace->Settings().datumIndex);
      h.Script<UnitsForm>([&](UnitsForm& f) {
        f.Press(kDistanceRadio[code]);
        f.Press(kAngleRadio[code % 2]);
        f.Press(U::kOk);
      });
      m.RunCommand(MainForm::kCommandUnits);
      EXPECT_EQ(workspace->Settings().distanceUnit, code);
      EXPECT_EQ(workspace->Settings().angleUnit, code % 2);
      EXPECT_EQ(m.Text(MainForm::kAltUnit), QString::fromUtf8(AltitudeLabel(code)));
      EXPECT_EQ(m.Text(MainForm::kAngleUnit), QString::fromUtf8(AngleUnitLabel(code % 2)));
    }
  });
}

TEST_F(UnitsFormTest, ChoicesStayPendingUntilOk) {
  OpenUnits({0, 1, 0, 3, 0, 0}, [this](UnitsForm& f) {
    f.Press(U::kMilsRadio);
    f.Press(U::kYardsRadio);
    f.Choose(U::kDatumList, 9);
    EXPECT_EQ(f.pendingAngleUnit(), kMils);
    EXPECT_EQ(f.pendingDistanceUnit(), kYards);
    EXPECT_EQ(Checked(f), (std::vector<int>{U::kMilsRadio, U::kYardsRadio}));
    auto& main = static_cast<MainForm&>(*f.parentWidget());
    EXPECT_EQ(workspace->Settings().angleUnit, 1);
    EXPECT_EQ(workspace->Settings().distanceUnit, 0);
    EXPECT_EQ(workspace->Settings().datumIndex, 3);
    EXPECT_EQ(main.Text(MainForm::kAltUnit), QStringLiteral("m"));
  });
}

TEST_F(UnitsFormTest, OkMovesTheBaseIntoTheNewDatumAndUnitsAtOnce) {
  const GeoPoint base = table[0].point;
  OpenUnits(
      {0, 0, 0, 0, 0, 0},
      [](UnitsForm& f) {
        f.Press(U::kDegreesRadio);
        f.Press(U::kYardsRadio);
        f.Choose(U::kDatumList, 1);  // "ED-50 MEAN"
        EXPECT_TRUE(f.Press(U::kOk));
        EXPECT_TRUE(f.Ended());
        EXPECT_EQ(f.result(), QDialog::Accepted);
      },
      [&](MainForm& m) {
        EXPECT_EQ(workspace->Settings().angleUnit, 1);
        EXPECT_EQ(workspace->Settings().distanceUnit, 5);
        EXPECT_EQ(workspace->Settings().datumIndex, 1);
        const QStringList after = BaseTexts(m);
        // The position is expressed in the new datum: its seconds move by the
        // shift of about a hundred metres, the altitude is in feet.
        const GeoPoint q = ConvertDatum(1, base);
        const DmsParts lat = SplitDms(std::fabs(q.lat));
        const DmsParts lon = SplitDms(std::fabs(q.lon));
        EXPECT_EQ(after.mid(0, 5),
                  (QStringList{
                      "N", QString::asprintf("%03d", lat.deg), QString::asprintf("%02d", lat.min),
                      QString::asprintf("%02d", lat.sec), QString::asprintf("%02d", lat.hun)}));
        EXPECT_EQ(after[8], QString::asprintf("%02d", lon.sec));
        EXPECT_NE(after.mid(0, 10), before.mid(0, 10));
        EXPECT_EQ(AltitudeTexts(m),
                  (QStringList{
                      q.height >= 0 ? "+" : "-",
                      QString::asprintf("%05d", RoundHalfAway(std::fabs(q.height) * kFeetPerMetre)),
                      "ft"}));
        EXPECT_EQ(m.Text(MainForm::kAngleUnit), QStringLiteral("Deg"));
        EXPECT_NEAR(m.ShownConvergence(), std::fabs(GridConvergence(q)) * kRadToDeg, 1e-12);
        // What the commit showed is what a fresh display of the base shows.
        m.ShowBase(workspace->Waypoints()[0].point);
        EXPECT_EQ(BaseTexts(m), after);
        // The records themselves are untouched.
        EXPECT_TRUE(SameTable(workspace->Waypoints(), table));
      });
  EXPECT_EQ(ReadText("conf.txt"), "0 1 5 1 0 0\n");
}

TEST_F(UnitsFormTest, OkShowsTheWaypointSelectedInTheMainForm) {
  WriteTable(table);
  h.Script<UnitsForm>([](UnitsForm& f) { f.Press(U::kOk); });
  Run([](MainForm& m) {
    m.Choose(MainForm::kWaypointList, 1);
    m.SetText(MainForm::kLatDeg, QStringLiteral("999"));
    m.RunCommand(MainForm::kCommandUnits);
    EXPECT_EQ(m.Text(MainForm::kLatHemisphere), QStringLiteral("S"));
    EXPECT_EQ(m.Text(MainForm::kLatDeg), QStringLiteral("033"));
  });
}

TEST_F(UnitsFormTest, WithAnEmptyTableOkShowsTheBaseRecord) {
  WriteTable(table);
  WriteSettings({0, 1, 0, 0, 0, 1});
  h.Script<UnitsForm>([](UnitsForm& f) {
    f.Choose(U::kDatumList, 17);
    f.Press(U::kOk);
  });
  Run([&](MainForm& m) {
    workspace->DeleteAllWaypoints();
    ASSERT_EQ(m.ListSelection(MainForm::kWaypointList), -1);
    m.RunCommand(MainForm::kCommandUnits);
    EXPECT_EQ(workspace->Settings().datumIndex, 17);
    const GeoPoint q = ConvertDatum(17, workspace->Waypoints()[1].point);
    EXPECT_EQ(m.Text(MainForm::kLatDeg), QString::asprintf("%03d", SplitDms(std::fabs(q.lat)).deg));
    EXPECT_EQ(m.Text(MainForm::kLatHemisphere), QStringLiteral("S"));
  });
}

// Ways to leave the form without committing.
struct Dismissal {
  const char* name;
  bool pressCancel;  // else the window's close button
};

class UnitsFormDismissal : public UnitsFormTest, public ::testing::WithParamInterface<Dismissal> {};

TEST_P(UnitsFormDismissal, KeepsEverythingAsItWas) {
  const AppSettings settings{1, 1, 2, 17, 1, 1};
  OpenUnits(
      settings,
      [&](UnitsForm& f) {
        f.Press(U::kMilsRadio);
        f.Press(U::kDegreesRadio);
        f.Press(U::kMilsRadio);
        f.Press(U::kYardsRadio);
        f.Choose(U::kDatumList, 5);
        if (GetParam().pressCancel) {
          EXPECT_TRUE(f.Press(U::kCancel));
          EXPECT_TRUE(f.Ended());
        }
      },
      [&](MainForm& m) {
        EXPECT_EQ(workspace->Settings(), settings);
        EXPECT_EQ(BaseTexts(m), before);
        EXPECT_TRUE(SameTable(workspace->Waypoints(), table));
        // The next opening starts afresh from the settings.
        h.Script<UnitsForm>([](UnitsForm& f) {
          EXPECT_EQ(Checked(f), (std::vector<int>{U::kDegreesRadio, U::kFeetRadio}));
          EXPECT_EQ(f.ListSelection(U::kDatumList), 17);
        });
        m.RunCommand(MainForm::kToolUnits);
      });
  EXPECT_EQ(h.RunCount<UnitsForm>(), 2);
  EXPECT_EQ(ReadText("conf.txt"), "1 1 2 17 1 1\n");
}

INSTANTIATE_TEST_SUITE_P(Leaving, UnitsFormDismissal,
                         ::testing::Values(Dismissal{"Cancel", true},
                                           Dismissal{"CloseButton", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnitsFormTest, UnitCodesWithoutAButtonOpenUncheckedAndOkKeepsThem) {
  OpenUnits(
      {0, 7, 9, 17, 0, 0},
      [](UnitsForm& f) {
        EXPECT_TRUE(Checked(f).empty());
        f.Press(U::kOk);
      },
      [&](MainForm& m) {
        EXPECT_EQ(workspace->Settings().angleUnit, 7);
        EXPECT_EQ(workspace->Settings().distanceUnit, 9);
        EXPECT_EQ(m.Text(MainForm::kAngleUnit), QStringLiteral("Deg"));
        EXPECT_EQ(m.Text(MainForm::kAltUnit), QStringLiteral("m"));  // left as it was
        EXPECT_EQ(BaseTexts(m), before);
      });
  EXPECT_EQ(ReadText("conf.txt"), "0 7 9 17 0 0\n");
}

TEST_F(UnitsFormTest, ADatumOutsideTheTableOpensOnDatum0) {
  WriteTable(table);
  Run([&](MainForm& m) {
    for (std::int32_t datum : {125, 4000, -1}) {
      SCOPED_TRACE(datum);
      test::SetDatum(*workspace, datum);
      h.Script<UnitsForm>([](UnitsForm& f) {
        EXPECT_EQ(f.ListSelection(U::kDatumList), 0);
        f.Press(U::kCancel);
      });
      m.RunCommand(MainForm::kCommandUnits);
      EXPECT_EQ(workspace->Settings().datumIndex, datum);
      h.Script<UnitsForm>([](UnitsForm& f) { f.Press(U::kOk); });
      m.RunCommand(MainForm::kCommandUnits);
      EXPECT_EQ(workspace->Settings().datumIndex, 0);
    }
  });
}

}  // namespace
}  // namespace trelvan
