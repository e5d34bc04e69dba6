// The main form: the two files at opening and closing, the base display and
// its rules, the selector, the menu and tool bar.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "forms/AboutForm.h"
#include "forms/Messages.h"
#include "forms/PositionDisplay.h"
#include "forms/UnitsForm.h"
#include "forms/WaypointsForm.h"
#include "geodesy/Convergence.h"
#include "geodesy/Utm.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using test::AltitudeTexts;
using test::BaseTexts;
using test::Caption;
using test::EditTable;
using test::LatitudeTexts;
using test::LongitudeTexts;
using test::MainFormFixture;
using test::PointDeg;
using test::SameTable;
using test::SetDatum;
using test::SetSettings;
using test::TableOf;
using test::Texts;

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
bool IsFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

const QString kCannotCreate = QString::fromUtf8(messages::kCannotCreateFile);
const QString kCannotWrite = QString::fromUtf8(messages::kCannotWriteFile);

using MainFormFiles = MainFormFixture;

TEST_F(MainFormFiles, FirstStartCreatesBothFilesAndShowsTheDefaultWaypoint) {
  dataFolder = folder.File("new/trelvan");  // not there yet, nor its parent
  Run([&](MainForm& m) {
    // Both files exist while the form is open, before anything is changed.
    EXPECT_TRUE(IsFile(dataFolder + "/conf.txt"));
    EXPECT_TRUE(IsFile(dataFolder + "/wp.dat"));
    EXPECT_EQ(m.windowTitle(), QStringLiteral("TRELVAN"));
    ASSERT_EQ(m.ListCount(MainForm::kWaypointList), 1);
    EXPECT_EQ(m.ListText(MainForm::kWaypointList, 0), QStringLiteral("DEFAULT WP"));
    EXPECT_EQ(m.ListSelection(MainForm::kWaypointList), 0);
    EXPECT_EQ(LatitudeTexts(m), (QStringList{"N", "000", "00", "00", "00"}));
    EXPECT_EQ(LongitudeTexts(m), (QStringList{"E", "000", "00", "00", "00"}));
    EXPECT_EQ(AltitudeTexts(m), (QStringList{"+", "00000", "m"}));
    EXPECT_EQ(Texts(m, {MainForm::kGridHemisphere, MainForm::kZone, MainForm::kBand,
                        MainForm::kAngleUnit}),
              (QStringList{"N", "31", "N", "mils"}));
  });
  EXPECT_TRUE(h.messages.isEmpty());
  EXPECT_EQ(ReadText("conf.txt"), "0 0 0 0 0 0\n");
  const std::string table = ReadText("wp.dat");
  ASSERT_EQ(table.size(), 2800u);
  EXPECT_EQ(table[0], 1);
  EXPECT_STREQ(table.c_str() + 1, "DEFAULT WP");
  EXPECT_EQ(table[56], 0);
}

TEST_F(MainFormFiles, SettingsAreWrittenAndReadBackExactly) {
  const WaypointTable table = TableOf({PointDeg(0, 0), PointDeg(1, 1), PointDeg(2, 2),
                                       PointDeg(3, 3), PointDeg(4, 4), PointDeg(5, 5)});
  WriteTable(table);
  Run([&](MainForm&) { SetSettings(*workspace, {1, 1, 2, 17, 3, 5}); });
  EXPECT_EQ(ReadText("conf.txt"), "1 1 2 17 3 5\n");

  Run([&](MainForm& m) {
    EXPECT_EQ(workspace->Settings(), (AppSettings{1, 1, 2, 17, 3, 5}));
    EXPECT_EQ(m.ListSelection(MainForm::kWaypointList), 5);
    EXPECT_EQ(m.Text(MainForm::kWaypointList), QStringLiteral("WP 5"));
    EXPECT_EQ(m.Text(MainForm::kAltUnit), QStringLiteral("ft"));
    EXPECT_EQ(m.Text(MainForm::kAngleUnit), QStringLiteral("Deg"));
  });
  EXPECT_EQ(ReadText("conf.txt"), "1 1 2 17 3 5\n");
  EXPECT_TRUE(SameTable(ReadTable(), table));
}

TEST_F(MainFormFiles, RecordsReadAreWrittenBackByteForByte) {
  WaypointTable table = TableOf({PointDeg(48.1, 11.5, 520), PointDeg(-33.9, 151.2, -4, 17)});
  // Bytes without meaning: after a name, beyond the datum, in free records.
  table[0].name[20] = 'x';
  table[1].point.unused[5] = 0x5a;
  table[7].name[3] = 'q';
  table[7].point.lat = 1.25;
  WriteTable(table);
  Run();
  EXPECT_TRUE(SameTable(ReadTable(), table));
}

TEST_F(MainFormFiles, WaypointIndicesOutsideTheTableAreUsedAs0) {
  WriteTable(TableOf({PointDeg(10, 20), PointDeg(30, 40)}));
  WriteText("conf.txt", "0 1 0 0 -3 77\n");
  Run([&](MainForm& m) {
    EXPECT_EQ(workspace->Settings().editWaypoint, 0);
    EXPECT_EQ(workspace->Settings().baseWaypoint, 0);
    EXPECT_EQ(m.ListSelection(MainForm::kWaypointList), 0);
    EXPECT_EQ(m.Text(MainForm::kLatDeg), QStringLiteral("010"));
  });
  EXPECT_EQ(ReadText("conf.txt"), "0 1 0 0 0 0\n");
}

TEST_F(MainFormFiles, AFolderThatCannotBeMadeEndsTheFormWithAMessage) {
  dataFolder = folder.File("in-the-way");
  std::ofstream(dataFolder) << "kept";  // a regular file where the folder should be
  ASSERT_TRUE(IsFile(dataFolder));
  Run();
  EXPECT_EQ(h.messages, QStringList{kCannotCreate});
  EXPECT_EQ(h.RunCount<MainForm>(), 0);
  EXPECT_TRUE(IsFile(dataFolder));
}

TEST_F(MainFormFiles, AWaypointFileThatCannotBeReadIsNeitherReplacedNorRun) {
  WriteText("conf.txt", "1 1 2 17 0 0\n");
  ASSERT_EQ(mkdir((dataFolder + "/wp.dat").c_str(), 0755), 0);
  Run();
  EXPECT_EQ(h.messages, QStringList{kCannotCreate});
  EXPECT_EQ(h.RunCount<MainForm>(), 0);
  EXPECT_TRUE(IsFolder(dataFolder + "/wp.dat"));
  EXPECT_EQ(ReadText("conf.txt"), "1 1 2 17 0 0\n");
}

// What is put in the way of the save while the form is open.
struct SaveFault {
  const char* name;
  const char* blocked;  // relative to the data folder; "" is the folder itself
  int messages;
  bool settingsSaved;
  bool waypointsSaved;
};

class MainFormSaveFault : public MainFormFixture,
                          public ::testing::WithParamInterface<SaveFault> {};

TEST_P(MainFormSaveFault, EachFileThatCannotBeWrittenIsReportedAndTheOtherIsSaved) {
  const SaveFault& fault = GetParam();
  const std::string blocked = dataFolder + (*fault.blocked ? "/" : "") + fault.blocked;
  Run([&](MainForm&) {
    SetDatum(*workspace, 17);
    EditTable(*workspace, [](WaypointTable& t) { SetName(t[0], "CHANGED"); });
    if (*fault.blocked) {
      // A file turned into a folder: the new file cannot take its place.
      std::remove(blocked.c_str());
      ASSERT_EQ(mkdir(blocked.c_str(), 0755), 0);
    } else {
      // The folder turned into a file: nothing can be written there.
      std::filesystem::remove_all(blocked);
      std::ofstream(blocked) << "kept\n";
    }
  });
  EXPECT_EQ(h.messages, QStringList(QList<QString>(fault.messages, kCannotWrite)));
  if (!*fault.blocked) {
    EXPECT_TRUE(IsFile(blocked));
    return;
  }
  EXPECT_EQ(ReadText("conf.txt") == "0 0 0 17 0 0\n", fault.settingsSaved);
  EXPECT_EQ(WaypointName(ReadTable()[0]) == "CHANGED", fault.waypointsSaved);
}

INSTANTIATE_TEST_SUITE_P(AtClose, MainFormSaveFault,
                         ::testing::Values(SaveFault{"Settings", "conf.txt", 1, false, true},
                                           SaveFault{"Waypoints", "wp.dat", 1, true, false},
                                           SaveFault{"Folder", "", 2, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The base display, shown through ShowBase on an open main form.
class MainFormDisplay : public MainFormFixture {
 protected:
  // Shows p as the base with the given units and returns what `read` reads.
  template <class Read>
  auto Shown(const GeoPoint& p, Read read, std::int32_t angleUnit = 1,
             std::int32_t distanceUnit = 0) {
    decltype(read(std::declval<MainForm&>())) result{};
    Run([&](MainForm& m) {
      workspace->SetUnits(angleUnit, distanceUnit, workspace->Settings().datumIndex);
      m.ShowBase(p);
      result = read(m);
    });
    return result;
  }
};

TEST_F(MainFormDisplay, SecondsCarryIntoMinutesAndDegrees) {
  constexpr double kSecond = 1.0 / 3600;
  EXPECT_EQ(Shown(PointDeg(12 + 35.0 / 60 - 0.004 * kSecond, 0), LatitudeTexts),
            (QStringList{"N", "012", "35", "00", "00"}));
  EXPECT_EQ(Shown(PointDeg(45 - 0.001 * kSecond, 0), LatitudeTexts),
            (QStringList{"N", "045", "00", "00", "00"}));
  // Minutes that compute to 60 without a carry from the hundredths.
  GeoPoint p{};
  p.lon = 141 * kDegToRad;
  EXPECT_EQ(Shown(p, LongitudeTexts), (QStringList{"E", "141", "00", "00", "00"}));
  EXPECT_EQ(Shown(PointDeg(0, -(7 + 30.0 / 60 + 0.006 * kSecond)), LongitudeTexts),
            (QStringList{"W", "007", "30", "00", "01"}));
}

TEST_F(MainFormDisplay, SignsAndHemispheresAtAndBelowZero) {
  EXPECT_EQ(
      Shown(PointDeg(0, 0, 0), BaseTexts).mid(0, 12),
      (QStringList{"N", "000", "00", "00", "00", "E", "000", "00", "00", "00", "+", "00000"}));
  const QStringList south = Shown(PointDeg(-1e-9, -1e-9, -0.4), BaseTexts);
  EXPECT_EQ(south[0], QStringLiteral("S"));
  EXPECT_EQ(south[5], QStringLiteral("W"));
  EXPECT_EQ(south.mid(10, 2), (QStringList{"-", "00000"}));
  EXPECT_EQ(south[17], QStringLiteral("S"));  // the grid hemisphere
}

TEST_F(MainFormDisplay, EastingDecimetresCarryIntoMetres) {
  // Four centimetres short of the central meridian's false easting.
  UtmPoint grid{499999.96, 5000000.0, 0, 31, 'T', 0, 0, 0, kUtmForm};
  const GeoPoint p = UtmToGeo(grid);
  UtmPoint back{};
  GeoToUtm(p, back);
  ASSERT_NEAR(back.easting, 499999.96, 1e-6);
  EXPECT_EQ(Shown(p,
                  [](MainForm& m) {
                    return Texts(m, {MainForm::kEasting, MainForm::kEastingDm, MainForm::kZone,
                                     MainForm::kBand});
                  }),
            (QStringList{"0500000", "0", "31", "T"}));
}

TEST_F(MainFormDisplay, AltitudeIsShownInFeetOrMetresByTheDistanceUnit) {
  struct Case {
    std::int32_t distanceUnit;
    const char* altitude;
    const char* label;
  };
  // A code without a unit shows metres and leaves the label as it was ("m").
  for (const Case& c : {Case{0, "01000", "m"}, Case{1, "01000", "m"}, Case{2, "03281", "ft"},
                        Case{3, "01000", "m"}, Case{4, "03281", "ft"}, Case{5, "03281", "ft"},
                        Case{6, "01000", "m"}, Case{-1, "01000", "m"}}) {
    SCOPED_TRACE(c.distanceUnit);
    WriteTable(TableOf({PointDeg(10, 10, -1000)}));
    WriteSettings({0, 0, c.distanceUnit, 0, 0, 0});
    Run([&](MainForm& m) {
      EXPECT_EQ(AltitudeTexts(m),
                (QStringList{"-", QString::fromUtf8(c.altitude), QString::fromUtf8(c.label)}));
    });
  }
}

// The longitude in zone 31 (central meridian 3°E) where the grid convergence
// at latitude `lat` is `target` radians, by bisection: it grows eastwards.
double LongitudeOfConvergence(double lat, double target) {
  double west = 0.5, east = 3.0;
  for (int i = 0; i < 80; ++i) {
    const double middle = 0.5 * (west + east);
    (GridConvergence(PointDeg(lat, middle)) < target ? west : east) = middle;
  }
  return 0.5 * (west + east);
}

TEST_F(MainFormDisplay, NegativeConvergenceShowsItsSignAndMagnitude) {
  const GeoPoint p = PointDeg(45, LongitudeOfConvergence(45, -0.4 * kDegToRad));
  ASSERT_NEAR(GridConvergence(p) * kRadToDeg, -0.4, 1e-12);
  const auto convergence = [](MainForm& m) {
    return Texts(m, {MainForm::kConvergenceSign, MainForm::kConvergenceWhole,
                     MainForm::kConvergenceHun, MainForm::kAngleUnit});
  };
  EXPECT_EQ(Shown(p, convergence, 1), (QStringList{"-", "000", "40", "Deg"}));
  EXPECT_NEAR(Shown(
                  p, [](MainForm& m) { return m.ShownConvergence(); }, 1),
              0.4, 1e-12);
  // 0.4 degrees are 7.11 mils.
  EXPECT_EQ(Shown(p, convergence, 0), (QStringList{"-", "007", "11", "mils"}));
  // East of the central meridian the convergence is positive.
  EXPECT_EQ(Shown(PointDeg(45, 6 - LongitudeOfConvergence(45, -0.4 * kDegToRad)), convergence, 1)
                .mid(0, 3),
            (QStringList{"+", "000", "40"}));
}

TEST_F(MainFormDisplay, BeyondTheGridItsFieldsAndTheConvergenceStayEmpty) {
  const auto grid = [](MainForm& m) {
    return Texts(m, {MainForm::kEasting, MainForm::kEastingDm, MainForm::kNorthing,
                     MainForm::kNorthingDm, MainForm::kZone, MainForm::kBand,
                     MainForm::kConvergenceWhole, MainForm::kConvergenceHun})
        .join(QString());
  };
  for (const GeoPoint& p : {PointDeg(84.0001, 10), PointDeg(90, 0), PointDeg(-80.0001, -60)}) {
    EXPECT_EQ(Shown(p, grid), QString());
    EXPECT_TRUE(std::isnan(Shown(p, [](MainForm& m) { return m.ShownConvergence(); })));
  }
  for (const GeoPoint& p : {PointDeg(84, 10), PointDeg(-80, -60)}) {
    EXPECT_EQ(Shown(p, grid).size(), 7 + 1 + 7 + 1 + 2 + 1 + 3 + 2);
  }
}

TEST_F(MainFormDisplay, SignedAngleRulesOnTheirOwn) {
  Run([](MainForm& m) {
    const auto show = [&m](double radians, std::int32_t unit) {
      const double magnitude =
          ShowSignedAngle(m, MainForm::kConvergenceSign, MainForm::kConvergenceWhole,
                          MainForm::kConvergenceHun, radians, unit);
      return std::make_pair(magnitude,
                            Texts(m, {MainForm::kConvergenceSign, MainForm::kConvergenceWhole,
                                      MainForm::kConvergenceHun}));
    };
    auto [magnitude, texts] = show(-0.4 * kDegToRad, 1);
    EXPECT_EQ(texts, (QStringList{"-", "000", "40"}));
    EXPECT_NEAR(magnitude, 0.4, 1e-12);
    EXPECT_EQ(show(0.0, 1).second, (QStringList{"+", "000", "00"}));
    EXPECT_EQ(show(-0.0, 1).second, (QStringList{"+", "000", "00"}));
    // Hundredths that round to 100 carry into the whole units.
    EXPECT_EQ(show(1.996 * kDegToRad, 1).second, (QStringList{"+", "002", "00"}));
  });
}

TEST_F(MainFormDisplay, TheClockSetsTheMagneticVariance) {
  const GeoPoint p = PointDeg(50, 10, 200);
  const auto variance = [](MainForm& m) {
    return Texts(m, {MainForm::kVarianceSign, MainForm::kVarianceWhole, MainForm::kVarianceHun});
  };
  Run([&](MainForm& m) {
    test::SetAngleUnit(*workspace, 1);
    h.clock = QDateTime(QDate(2001, 1, 1), QTime(0, 0));
    m.ShowBase(p);
    const QStringList early = variance(m);
    const double earlyValue = m.ShownVariance();
    m.ShowBase(p);
    EXPECT_EQ(variance(m), early);  // the same clock, the same variance
    h.clock = QDateTime(QDate(2004, 12, 31), QTime(23, 59));
    m.ShowBase(p);
    EXPECT_NE(variance(m), early);
    EXPECT_GT(m.ShownVariance(), earlyValue);  // the declination grows eastwards here
  });
}

TEST_F(MainFormDisplay, ALongitudeShownAt180RaisesNoRangeMessage) {
  // The range check is for typing; the form's own display never triggers it.
  EXPECT_EQ(Shown(PointDeg(0, 179.9999999999), LongitudeTexts),
            (QStringList{"E", "180", "00", "00", "00"}));
  EXPECT_TRUE(h.messages.isEmpty());
}

using MainFormSelector = MainFormFixture;

TEST_F(MainFormSelector, ChoosingAWaypointMakesItTheBase) {
  WriteTable(TableOf({PointDeg(10, 10), PointDeg(20, 20), PointDeg(30, 30, 75)}));
  Run([&](MainForm& m) {
    ASSERT_EQ(m.ListCount(MainForm::kWaypointList), 3);
    EXPECT_TRUE(m.Choose(MainForm::kWaypointList, 2));
    EXPECT_EQ(workspace->Settings().baseWaypoint, 2);
    EXPECT_EQ(m.Text(MainForm::kLatDeg), QStringLiteral("030"));
    EXPECT_EQ(m.Text(MainForm::kAlt), QStringLiteral("00075"));
  });
  EXPECT_EQ(ReadText("conf.txt"), "0 0 0 0 0 2\n");
}

TEST_F(MainFormSelector, ATableWithAFreeRecordListsOnlyTheRunBeforeIt) {
  WaypointTable table = TableOf({PointDeg(1, 1), PointDeg(2, 2), PointDeg(3, 3), PointDeg(4, 4)});
  table[2].used = 0;
  WriteTable(table);
  Run([](MainForm& m) { EXPECT_EQ(m.ListCount(MainForm::kWaypointList), 2); });
}

TEST_F(MainFormSelector, AnEmptyTableLeavesTheSelectorWithoutSelection) {
  WriteTable(TableOf({PointDeg(10, 10), PointDeg(20, 20, 5)}));
  WriteSettings({0, 1, 0, 0, 0, 1});
  Run([&](MainForm& m) {
    workspace->DeleteAllWaypoints();
    EXPECT_EQ(m.ListCount(MainForm::kWaypointList), 0);
    EXPECT_EQ(m.ListSelection(MainForm::kWaypointList), -1);
    // The base record keeps its bytes apart from the used flag.
    EXPECT_EQ(m.Text(MainForm::kLatDeg), QStringLiteral("020"));
    EXPECT_EQ(m.Text(MainForm::kAlt), QStringLiteral("00005"));
  });
  EXPECT_EQ(CountInUse(ReadTable()), 0);
  Run([](MainForm& m) {
    EXPECT_EQ(m.ListCount(MainForm::kWaypointList), 0);
    EXPECT_EQ(m.Text(MainForm::kLatDeg), QStringLiteral("020"));
  });
}

using MainFormCommands = MainFormFixture;

QAction* Action(MainForm& m, int command) {
  return m.findChild<QAction*>(QString::number(command));
}

TEST_F(MainFormCommands, TheMenuListsItsItemsInOrder) {
  Run([](MainForm& m) {
    auto* menu = m.findChild<QMenu*>(QStringLiteral("Menu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Caption(menu->title()), QStringLiteral("Menu"));
    QStringList items;
    for (QAction* action : menu->actions()) items << Caption(action->text());
    EXPECT_EQ(items, (QStringList{"Resection 3D...", "Back Polar Plot 3D...", "Inverse 3D...",
                                  "Forward 3D...", "", "Waypoints...", "Waypoint List...",
                                  "Plan View...", "Import Waypoints...", "Export Waypoints...",
                                  "Units...", "", "About...", "Exit"}));
    for (int command : {MainForm::kToolExit, MainForm::kToolUnits, MainForm::kToolAbout}) {
      ASSERT_NE(Action(m, command), nullptr);
      EXPECT_FALSE(Action(m, command)->icon().isNull()) << command;
    }
  });
  EXPECT_TRUE(QFile::exists(QStringLiteral(":/icons/trelvan.svg")));
}

TEST_F(MainFormCommands, MenuAndToolBarOpenTheirForms) {
  Run([&](MainForm& m) {
    Action(m, MainForm::kCommandUnits)->trigger();
    Action(m, MainForm::kToolUnits)->trigger();
    Action(m, MainForm::kCommandAbout)->trigger();
    Action(m, MainForm::kToolAbout)->trigger();
    workspace->SetEditWaypoint(0);
    workspace->SetBase(0);
    Action(m, MainForm::kCommandWaypoints)->trigger();
    EXPECT_FALSE(m.Ended());
  });
  EXPECT_EQ(h.RunCount<UnitsForm>(), 2);
  EXPECT_EQ(h.RunCount<AboutForm>(), 2);
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 1);
}

TEST_F(MainFormCommands, EditOpensTheWaypointsFormOnTheBase) {
  WriteTable(TableOf({PointDeg(10, 10), PointDeg(20, 20), PointDeg(30, 30)}));
  int editWhenOpen = -1;
  Run([&](MainForm& m) {
    h.Script<WaypointsForm>(
        [&](WaypointsForm&) { editWhenOpen = workspace->Settings().editWaypoint; });
    ASSERT_TRUE(m.Choose(MainForm::kWaypointList, 2));
    EXPECT_EQ(workspace->Settings().editWaypoint, 0);
    EXPECT_TRUE(m.Press(MainForm::kEdit));
  });
  EXPECT_EQ(editWhenOpen, 2);
  EXPECT_EQ(h.RunCount<WaypointsForm>(), 1);
}

TEST_F(MainFormCommands, ExitFromTheMenuOrTheToolBarEndsTheFormAndSaves) {
  for (int command : {MainForm::kCommandExit, MainForm::kToolExit}) {
    SCOPED_TRACE(command);
    Run([&](MainForm& m) {
      SetDatum(*workspace, 17);
      // The close writes both files, whatever is on disk by then.
      WriteSettings({});
      Action(m, command)->trigger();
      EXPECT_TRUE(m.Ended());
      EXPECT_EQ(m.result(), 0);
    });
    EXPECT_EQ(ReadText("conf.txt"), "0 0 0 17 0 0\n");
    WriteSettings({});
  }
}

// Escape dismisses the other forms but never ends the program by accident.
TEST_F(MainFormCommands, EscapeDoesNotEndTheMainForm) {
  Run([&](MainForm& m) {
    QTest::keyClick(&m, Qt::Key_Escape);
    EXPECT_FALSE(m.Ended());
  });
}

}  // namespace
}  // namespace trelvan
