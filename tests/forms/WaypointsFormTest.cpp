// The Waypoints form driven headless through the main form: the table, the
// selector, the typed fields and what the main form shows after it closes.
#include "forms/WaypointsForm.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>

#include "forms/MainForm.h"
#include "forms/Messages.h"
#include "geodesy/Angles.h"
#include "geodesy/DatumShift.h"
#include "geodesy/Mgrs.h"
#include "geodesy/Utm.h"
#include "measures/DisplaySplit.h"
#include "measures/DmsEntry.h"
#include "measures/Units.h"
#include "store/WaypointTable.h"
#include "tests/forms/FormTestSupport.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

using test::EditTable;
using test::FormHarness;
using test::SetDatum;
using test::TempFolder;
using test::Texts;
using W = WaypointsForm;

constexpr std::uint16_t kOtherDatum = 20;

QString Msg(const char* text) { return QString::fromUtf8(text); }

// Replaces the table by waypoints named `names`, the i-th at (10 + i)
// degrees north, (20 + i) degrees east and 100 i metres, on WGS-84.
void Fill(WaypointTable& table, std::initializer_list<std::string> names) {
  table.fill(Waypoint{});
  int i = 0;
  for (const std::string& name : names) {
    table[i].used = 1;
    SetName(table[i], name);
    table[i].point = GeoPoint{(10 + i) * kDegToRad, (20 + i) * kDegToRad, 100.0 * i, 0};
    ++i;
  }
}

// The same in the workspace's table, as one change.
void Fill(Workspace& workspace, std::initializer_list<std::string> names) {
  EditTable(workspace, [names](WaypointTable& table) { Fill(table, names); });
}

std::vector<std::string> RunNames(const WaypointTable& table) {
  std::vector<std::string> names;
  for (int i = 0; i < CountInUse(table); ++i) names.emplace_back(WaypointName(table[i]));
  return names;
}

QStringList ListNames(const Form& form, int id) {
  QStringList names;
  for (int i = 0; i < form.ListCount(id); ++i) names << form.ListText(id, i);
  return names;
}

// What the display shows for an angle and for the grid position of q.
QStringList Dms(double radians) {
  const DmsParts p = SplitDms(std::fabs(radians));
  return {QString::asprintf("%03d", p.deg), QString::asprintf("%02d", p.min),
          QString::asprintf("%02d", p.sec), QString::asprintf("%02d", p.hun)};
}

QStringList Grid(const GeoPoint& q) {
  UtmPoint u{};
  GeoToUtm(q, u);
  const DecimetreParts e = SplitDecimetres(u.easting);
  const DecimetreParts n = SplitDecimetres(u.northing);
  return {QString::asprintf("%07ld", static_cast<long>(e.whole)), QString::number(e.dm),
          QString::asprintf("%07ld", static_cast<long>(n.whole)), QString::number(n.dm),
          QString::number(u.zone), QString(QChar(static_cast<char16_t>(u.band)))};
}

const std::initializer_list<int> kLat = {W::kLatDeg, W::kLatMin, W::kLatSec, W::kLatHun};
const std::initializer_list<int> kLon = {W::kLonDeg, W::kLonMin, W::kLonSec, W::kLonHun};
const std::initializer_list<int> kGrid = {W::kEasting,    W::kEastingDm, W::kNorthing,
                                          W::kNorthingDm, W::kZone,      W::kBand};

void TypeAll(W& w, std::initializer_list<std::pair<int, const char*>> fields) {
  for (const auto& [id, text] : fields) ASSERT_TRUE(w.Type(id, QString::fromUtf8(text))) << id;
}

class WaypointsFormTest : public ::testing::Test {
 protected:
  using Setup = std::function<void(Workspace&)>;
  using MainStep = std::function<void(MainForm&)>;
  using FormStep = std::function<void(W&)>;

  // Opens the main form over a new workspace of the test folder, prepares
  // the workspace with `setup`, runs the Waypoints form with `script`, then
  // `after` on the main form, which finally closes and writes its files.
  void Run(const Setup& setup, const FormStep& script, const MainStep& after = nullptr) {
    h.Script<W>(script);
    h.Script<MainForm>([&](MainForm& m) {
      main = &m;
      setup(*workspace);
      m.RunCommand(MainForm::kCommandWaypoints);
      if (after) after(m);
    });
    workspace.emplace(folder.Path());
    MainForm form(h.services, *workspace);
    form.Execute();
    main = nullptr;
  }

  FormHarness h;
  TempFolder folder;
  std::optional<Workspace> workspace;
  MainForm* main = nullptr;
};

// --- Opening, display and input mode -------------------------------------

TEST_F(WaypointsFormTest, OpensOnEditWaypointShownAsTheMainFormShowsIt) {
  Run(
      [](Workspace& ws) {
        Fill(ws, {"A", "B", "C"});
        ws.SetUnits(ws.Settings().angleUnit, kYards, kOtherDatum);
        ws.SetEditWaypoint(2);
        ws.SetBase(2);
      },
      [&](W& w) {
        EXPECT_EQ(ListNames(w, W::kWaypointList), QStringList({"A", "B", "C"}));
        EXPECT_EQ(w.ListSelection(W::kWaypointList), 2);
        const GeoPoint q = ConvertDatum(kOtherDatum, workspace->Waypoints()[2].point);
        EXPECT_EQ(Texts(w, kLat), Dms(q.lat));
        EXPECT_EQ(Texts(w, kGrid), Grid(q));
        using M = MainForm;
        EXPECT_EQ(Texts(w, {W::kLatHemisphere, W::kLatHun, W::kLonHemisphere, W::kLonDeg,
                            W::kLonMin, W::kLonSec, W::kLonHun, W::kAltSign, W::kAlt, W::kAltUnit,
                            W::kGridHemisphere}),
                  Texts(*main, {M::kLatHemisphere, M::kLatHun, M::kLonHemisphere, M::kLonDeg,
                                M::kLonMin, M::kLonSec, M::kLonHun, M::kAltSign, M::kAlt,
                                M::kAltUnit, M::kGridHemisphere}));
        EXPECT_EQ(w.Text(W::kAltUnit), "ft");
        EXPECT_EQ(w.Text(W::kAlt),
                  QString::asprintf("%05ld", std::lround(std::fabs(q.height) * kFeetPerMetre)));

        ASSERT_TRUE(w.Choose(W::kWaypointList, 0));
        EXPECT_EQ(Texts(w, kLat),
                  Dms(ConvertDatum(kOtherDatum, workspace->Waypoints()[0].point).lat));
      });
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(WaypointsFormTest, RadiosSetTheInputModeAtOnceAndSwapTheEditableGroup) {
  const auto expectMode = [this](W& w, std::int32_t mode) {
    const bool utm = mode == W::kModeUtm;
    EXPECT_EQ(workspace->Settings().inputMode, mode);
    EXPECT_EQ(w.IsChecked(W::kUtmMode), utm);
    EXPECT_EQ(w.IsChecked(W::kLatLonMode), !utm);
    for (int id : kLat) EXPECT_EQ(w.IsReadOnly(id), utm) << id;
    for (int id : kLon) EXPECT_EQ(w.IsReadOnly(id), utm) << id;
    for (int id : {W::kEasting, W::kEastingDm, W::kNorthing, W::kNorthingDm, W::kZone})
      EXPECT_EQ(w.IsReadOnly(id), !utm) << id;
    EXPECT_TRUE(w.IsReadOnly(W::kBand));
    EXPECT_FALSE(w.IsReadOnly(W::kAlt));
  };
  // A mode other than 0 or 1 opens, reads and reacts as Lat/Lon.
  for (const std::int32_t stored : {0, 1, 7}) {
    SCOPED_TRACE(stored);
    Run([stored](Workspace& ws) { ws.SetInputMode(stored); },
        [&](W& w) {
          expectMode(w, stored == 1 ? W::kModeUtm : W::kModeLatLon);
          ASSERT_TRUE(w.Press(W::kUtmMode));
          expectMode(w, W::kModeUtm);
          EXPECT_FALSE(w.Type(W::kLatDeg, "12"));
          ASSERT_TRUE(w.Press(W::kLatLonMode));
          expectMode(w, W::kModeLatLon);
          EXPECT_FALSE(w.Type(W::kEasting, "400000"));
          ASSERT_TRUE(w.Press(W::kUtmMode));
        });
  }
  // The mode last chosen is written with the settings.
  std::ifstream conf(folder.File("conf.txt"));
  int mode = -1;
  conf >> mode;
  EXPECT_EQ(mode, W::kModeUtm);
}

TEST_F(WaypointsFormTest, HemisphereButtonsReactOnlyInTheirModeAndTheSignAlways) {
  Run([](Workspace& ws) { ws.SetInputMode(W::kModeLatLon); },
      [](W& w) {
        const auto pressTwice = [&w](int id) {
          w.Press(id);
          const QString once = w.Text(id);
          w.Press(id);
          return QStringList{once, w.Text(id)};
        };
        EXPECT_EQ(pressTwice(W::kLatHemisphere), QStringList({"S", "N"}));
        EXPECT_EQ(pressTwice(W::kLonHemisphere), QStringList({"W", "E"}));
        EXPECT_EQ(pressTwice(W::kGridHemisphere), QStringList({"N", "N"}));
        EXPECT_EQ(pressTwice(W::kAltSign), QStringList({"-", "+"}));
        w.Press(W::kUtmMode);
        EXPECT_EQ(pressTwice(W::kLatHemisphere), QStringList({"N", "N"}));
        EXPECT_EQ(pressTwice(W::kLonHemisphere), QStringList({"E", "E"}));
        EXPECT_EQ(pressTwice(W::kGridHemisphere), QStringList({"S", "N"}));
        EXPECT_EQ(pressTwice(W::kAltSign), QStringList({"-", "+"}));
      });
}

TEST_F(WaypointsFormTest, NothingToShowNeverReadsOutsideTheTable) {
  // An edit index beyond the run selects nothing and shows the record's bytes.
  Run(
      [](Workspace& ws) {
        EditTable(ws, [](WaypointTable& t) {
          Fill(t, {"A", "B"});
          t[5].point = GeoPoint{33 * kDegToRad, 0, 0, 0};
        });
        ws.SetEditWaypoint(5);
      },
      [](W& w) {
        EXPECT_EQ(w.ListSelection(W::kWaypointList), -1);
        EXPECT_EQ(w.Text(W::kLatDeg), "033");
      });
  // An index outside the 50 records is taken as record 0.
  Run(
      [](Workspace& ws) {
        Fill(ws, {"A", "B"});
        ws.SetEditWaypoint(77);
      },
      [](W& w) {
        EXPECT_EQ(w.ListSelection(W::kWaypointList), 0);
        EXPECT_EQ(w.Text(W::kLatDeg), "010");
      });
  // An empty table: nothing to choose or delete; a save starts the run again.
  Run([](Workspace& ws) { ws.DeleteAllWaypoints(); },
      [this](W& w) {
        EXPECT_EQ(w.ListCount(W::kWaypointList), 0);
        EXPECT_EQ(w.ListSelection(W::kWaypointList), -1);
        EXPECT_FALSE(w.Choose(W::kWaypointList, 0));
        EXPECT_TRUE(w.Press(W::kDeleteOne));
        EXPECT_EQ(CountInUse(workspace->Waypoints()), 0);
        EXPECT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(RunNames(workspace->Waypoints()), std::vector<std::string>{"WP #0"});
        EXPECT_EQ(w.ListSelection(W::kWaypointList), 0);
      });
  EXPECT_TRUE(h.messages.isEmpty());
}

// --- Save ------------------------------------------------------------------

TEST_F(WaypointsFormTest, EmptyNameTakesTheFirstFreeNumberFromTheCountInUse) {
  struct Case {
    std::string second;
    std::string staleThird;  // old bytes of the free record the save takes
    std::string expected;
  };
  for (const Case& c : {Case{"WP #1", "", "WP #2"}, Case{"WP #2", "", "WP #3"},
                        Case{"WP #1", "WP #2", "WP #3"}}) {
    SCOPED_TRACE(c.expected);
    Run(
        [&c](Workspace& ws) {
          EditTable(ws, [&c](WaypointTable& t) {
            Fill(t, {"DEFAULT WP", c.second});
            SetName(t[2], c.staleThird);
          });
        },
        [&](W& w) {
          ASSERT_TRUE(w.Type(W::kWaypointList, ""));
          TypeAll(w, {{W::kLatDeg, "45"}});
          ASSERT_TRUE(w.Press(W::kSave));
          EXPECT_EQ(RunNames(workspace->Waypoints()),
                    (std::vector<std::string>{"DEFAULT WP", c.second, c.expected}));
          EXPECT_EQ(ListNames(w, W::kWaypointList).last(), QString::fromStdString(c.expected));
          EXPECT_EQ(w.ListSelection(W::kWaypointList), 2);
          EXPECT_EQ(w.Text(W::kWaypointList), QString::fromStdString(c.expected));
          EXPECT_EQ(w.Text(W::kLatDeg), "045");
        },
        [&c](MainForm& m) {
          EXPECT_EQ(m.ListText(MainForm::kWaypointList, 2), QString::fromStdString(c.expected));
        });
  }
}

// Saving under the name of a waypoint the form does not show would replace
// that waypoint's position: the form asks, and No leaves everything as it
// was. The shown waypoint under its own name is the ordinary edit.
TEST_F(WaypointsFormTest, SavingOverAnotherWaypointAsksAndNamesDifferingInCaseAreDistinct) {
  WaypointTable before{};
  Run(
      [&before](Workspace& ws) {
        Fill(ws, {"Alpha", "B", "C"});
        before = ws.Waypoints();
      },
      [&](W& w) {
        const QString replaceB = QStringLiteral("Replace the position of waypoint \"B\"?");
        ASSERT_TRUE(w.Type(W::kWaypointList, "B"));
        TypeAll(w, {{W::kLatDeg, "45"}, {W::kLatMin, "30"}});
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(h.questions, QStringList{replaceB});
        EXPECT_EQ(std::memcmp(&before, &workspace->Waypoints(), sizeof before), 0);
        EXPECT_EQ(Texts(w, {W::kWaypointList, W::kLatDeg, W::kLatMin}),
                  QStringList({"B", "45", "30"}));
        EXPECT_EQ(w.ListSelection(W::kWaypointList), 0);

        h.answer = true;
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(h.questions.size(), 2);
        EXPECT_EQ(Dms(workspace->Waypoints()[1].point.lat)[0], "045");
        EXPECT_EQ(ListNames(w, W::kWaypointList), QStringList({"Alpha", "B", "C"}));
        // The form now shows B, so saving it again is its own edit.
        EXPECT_EQ(w.ListSelection(W::kWaypointList), 1);
        TypeAll(w, {{W::kLatDeg, "46"}});
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(Dms(workspace->Waypoints()[1].point.lat)[0], "046");
        EXPECT_EQ(h.questions.size(), 2);

        ASSERT_TRUE(w.Type(W::kWaypointList, "ALPHA"));
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(RunNames(workspace->Waypoints()),
                  (std::vector<std::string>{"Alpha", "B", "C", "ALPHA"}));
        EXPECT_EQ(Dms(workspace->Waypoints()[0].point.lat)[0], "010");
        ASSERT_TRUE(w.Type(W::kWaypointList, "alpha"));
        ASSERT_TRUE(w.Press(W::kDeleteOne));
        EXPECT_EQ(CountInUse(workspace->Waypoints()), 4);
        EXPECT_EQ(h.questions.size(), 2);  // no such waypoint, nothing to ask
      });
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(WaypointsFormTest, ANameTypedAfterThePositionOverwritesWithTheTypedPosition) {
  h.answer = true;
  Run([](Workspace& ws) { Fill(ws, {"A", "B", "C"}); },
      [this](W& w) {
        TypeAll(w, {{W::kLatDeg, "45"}, {W::kLatMin, "30"}});
        ASSERT_TRUE(w.Type(W::kWaypointList, "B"));
        // Enter in the name field, as leaving it, selects nothing.
        QTest::keyClick(static_cast<QComboBox*>(w.Control(W::kWaypointList))->lineEdit(),
                        Qt::Key_Return);
        EXPECT_EQ(Texts(w, {W::kLatDeg, W::kLatMin}), QStringList({"45", "30"}));
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(Dms(workspace->Waypoints()[1].point.lat), QStringList({"045", "30", "00", "00"}));
        EXPECT_EQ(CountInUse(workspace->Waypoints()), 3);
        EXPECT_EQ(h.questions.size(), 1);
      });
  EXPECT_TRUE(h.messages.isEmpty());
}

// On the shown form, Enter in the name field saves as the Save button does,
// with the position typed even when the name is that of another waypoint;
// Enter elsewhere saves nothing.
TEST_F(WaypointsFormTest, EnterInTheNameFieldSaves) {
  h.answer = true;
  Run([](Workspace& ws) { Fill(ws, {"A", "B"}); },
      [this](W& w) {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        TypeAll(w, {{W::kLatDeg, "45"}, {W::kLatMin, "30"}});
        const std::tuple<const char*, int, Qt::Key> presses[] = {
            {"B", W::kWaypointList, Qt::Key_Return},
            {"New", W::kWaypointList, Qt::Key_Enter},
            {"Other", W::kLatDeg, Qt::Key_Return}};
        for (const auto& [name, id, key] : presses) {
          ASSERT_TRUE(w.Type(W::kWaypointList, QString::fromUtf8(name)));
          w.Control(id)->setFocus();
          QTest::keyClick(w.Control(id), key);
        }
        EXPECT_EQ(RunNames(workspace->Waypoints()), (std::vector<std::string>{"A", "B", "New"}));
        EXPECT_EQ(Dms(workspace->Waypoints()[1].point.lat), QStringList({"045", "30", "00", "00"}));
        EXPECT_FALSE(w.Ended());
      });
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(WaypointsFormTest, FullTableRefusesANewNameButStillOverwrites) {
  WaypointTable before{};
  Run(
      [&before](Workspace& ws) {
        EditTable(ws, [](WaypointTable& t) {
          Fill(t, {});
          for (int i = 0; i < kWaypointCapacity; ++i) {
            t[i].used = 1;
            SetName(t[i], "P" + std::to_string(i));
          }
        });
        before = ws.Waypoints();
      },
      [&](W& w) {
        ASSERT_TRUE(w.Type(W::kWaypointList, "New"));
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(h.messages, QStringList{Msg(messages::kTableFull)});
        EXPECT_EQ(std::memcmp(&before, &workspace->Waypoints(), sizeof before), 0);
        EXPECT_EQ(w.ListCount(W::kWaypointList), kWaypointCapacity);

        ASSERT_TRUE(w.Type(W::kWaypointList, "P7"));
        TypeAll(w, {{W::kLatDeg, "12"}});
        h.answer = true;
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(h.messages.size(), 1);
        EXPECT_EQ(Dms(workspace->Waypoints()[7].point.lat)[0], "012");
      });
}

TEST_F(WaypointsFormTest, NamesHoldTwentyTwoWindows1252Characters) {
  const QString long23 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVW");
  Run([](Workspace& ws) { Fill(ws, {"A"}); },
      [&](W& w) {
        EXPECT_FALSE(w.Type(W::kWaypointList, long23));
        EXPECT_EQ(w.Text(W::kWaypointList), long23.left(kMaxNameLength));
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(WaypointName(workspace->Waypoints()[1]),
                  long23.left(kMaxNameLength).toStdString());

        ASSERT_TRUE(w.Type(W::kWaypointList, QStringLiteral("\u03A9mega")));  // Greek omega
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(h.messages, QStringList{Msg(messages::kNameOutsideCodePage)});
        EXPECT_EQ(CountInUse(workspace->Waypoints()), 2);
        EXPECT_TRUE(w.Press(W::kDeleteOne));
        EXPECT_EQ(CountInUse(workspace->Waypoints()), 2);

        ASSERT_TRUE(w.Type(W::kWaypointList, QStringLiteral("\u20ACuro")));  // euro sign
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(WaypointName(workspace->Waypoints()[2]), "\x80uro");
        EXPECT_EQ(w.ListText(W::kWaypointList, 2), QStringLiteral("\u20ACuro"));
        EXPECT_EQ(h.messages.size(), 1);
      },
      [](MainForm& m) {
        EXPECT_EQ(m.ListText(MainForm::kWaypointList, 2), QStringLiteral("\u20ACuro"));
      });
  std::ifstream file(folder.File("wp.dat"), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  ASSERT_EQ(bytes.size(), sizeof(WaypointTable));
  EXPECT_EQ(bytes.substr(2 * sizeof(Waypoint) + 1, 5), std::string("\x80uro\0", 5));
}

// A new name holding a control character is refused as imports refuse it;
// a stored one (an old file's) can still be edited and deleted by name.
TEST_F(WaypointsFormTest, ANewNameWithAControlCharacterIsRefused) {
  Run([](Workspace& ws) { Fill(ws, {"OLD\tTAB"}); },
      [&](W& w) {
        for (const QString& name : {QStringLiteral("A\tB"), QStringLiteral("\x1b[2J"),
                                    QStringLiteral("DEL\x7f"), QStringLiteral("C1\u0085")}) {
          ASSERT_TRUE(w.Type(W::kWaypointList, name));
          ASSERT_TRUE(w.Press(W::kSave));
        }
        EXPECT_EQ(h.messages, QStringList(4, Msg(messages::kNameControlCharacter)));
        EXPECT_EQ(CountInUse(workspace->Waypoints()), 1);

        ASSERT_TRUE(w.Type(W::kWaypointList, QStringLiteral("OLD\tTAB")));
        TypeAll(w, {{W::kLatDeg, "33"}});
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(Dms(workspace->Waypoints()[0].point.lat)[0], "033");
        h.answer = true;
        ASSERT_TRUE(w.Press(W::kDeleteOne));
        EXPECT_EQ(h.questions, QStringList{QStringLiteral("Delete waypoint \"OLD\\x09TAB\"?")});
        EXPECT_EQ(CountInUse(workspace->Waypoints()), 0);
      });
  EXPECT_EQ(h.messages.size(), 4);
}

TEST_F(WaypointsFormTest, SaveStoresTheTypedPositionToTheLastBit) {
  const auto setup = [](std::int32_t mode) {
    return [mode](Workspace& ws) {
      EditTable(ws, [](WaypointTable& t) {
        Fill(t, {"A"});
        std::memcpy(t[1].point.unused, "\1\2\3\4\5\6", 6);
      });
      ws.SetInputMode(mode);
      ws.SetUnits(ws.Settings().angleUnit, kFeet, kOtherDatum);
    };
  };
  Run(setup(W::kModeLatLon), [this](W& w) {
    ASSERT_TRUE(w.Type(W::kWaypointList, "Typed"));
    // Values whose sum would differ in its last bit if taken in another order.
    TypeAll(w, {{W::kLatDeg, "47"}, {W::kLatMin, "07"}, {W::kLatSec, "33"}, {W::kLatHun, "45"},
                {W::kLonDeg, "8"}, {W::kLonMin, "0"}, {W::kLonSec, "11"}, {W::kLonHun, "12"},
                {W::kAlt, "1234"}});
    w.Press(W::kLatHemisphere);
    w.Press(W::kLonHemisphere);
    if (w.Text(W::kAltSign) == "+") w.Press(W::kAltSign);
    ASSERT_TRUE(w.Press(W::kSave));
    const GeoPoint& p = workspace->Waypoints()[1].point;
    EXPECT_EQ(p.lat, -DmsRadians(47, 7, 33, 45));
    EXPECT_EQ(p.lon, -DmsRadians(8, 0, 11, 12));
    EXPECT_EQ(p.height, -(1234 * 0.3048));
    EXPECT_EQ(p.datum, kOtherDatum);
    EXPECT_EQ(std::memcmp(p.unused, "\1\2\3\4\5\6", 6), 0);  // spare bytes kept
    EXPECT_EQ(Texts(w, kLat), QStringList({"047", "07", "33", "45"}));
    EXPECT_EQ(w.Text(W::kAlt), "01234");
  });
  Run(setup(W::kModeUtm), [this](W& w) {
    ASSERT_TRUE(w.Type(W::kWaypointList, "Typed"));
    TypeAll(w, {{W::kEasting, "0412345"}, {W::kEastingDm, "7"}, {W::kNorthing, "5234567"},
                {W::kNorthingDm, "8"}, {W::kZone, "32"}, {W::kAlt, "-20x"}});
    if (w.Text(W::kAltSign) == "-") w.Press(W::kAltSign);
    ASSERT_TRUE(w.Press(W::kSave));
    UtmPoint u{};
    u.easting = 412345 + 7 * 0.1;
    u.northing = 5234567 + 8 * 0.1;
    u.zone = 32;
    u.band = 'T';
    u.height = -20 * 0.3048;
    u.datum = kOtherDatum;
    const GeoPoint expected = UtmToGeo(u);
    EXPECT_EQ(std::memcmp(&workspace->Waypoints()[1].point, &expected, sizeof expected), 0);
  });
  EXPECT_TRUE(h.messages.isEmpty());
}

// --- Delete ----------------------------------------------------------------

// Delete WP asks first; after a deletion the form shows the waypoint that
// took the deleted one's place (the new last one after the last), and
// empty fields once none is left, so that a Save cannot bring it back.
TEST_F(WaypointsFormTest, DeleteAsksThenShowsTheWaypointThatTakesThePlace) {
  GeoPoint third{};
  Run(
      [&third](Workspace& ws) {
        Fill(ws, {"A", "B", "C"});
        third = ws.Waypoints()[2].point;
        ws.SetBase(1);
      },
      [&](W& w) {
        const QStringList shown = Texts(w, kLat);
        ASSERT_TRUE(w.Type(W::kWaypointList, "Nothing"));
        ASSERT_TRUE(w.Press(W::kDeleteOne));
        EXPECT_EQ(CountInUse(workspace->Waypoints()), 3);
        EXPECT_TRUE(h.questions.isEmpty());

        ASSERT_TRUE(w.Type(W::kWaypointList, "A"));
        ASSERT_TRUE(w.Press(W::kDeleteOne));
        EXPECT_EQ(h.questions, QStringList{QStringLiteral("Delete waypoint \"A\"?")});
        EXPECT_EQ(CountInUse(workspace->Waypoints()), 3);
        EXPECT_EQ(Texts(w, kLat), shown);

        h.answer = true;
        ASSERT_TRUE(w.Press(W::kDeleteOne));
        EXPECT_EQ(RunNames(workspace->Waypoints()), (std::vector<std::string>{"B", "C"}));
        EXPECT_EQ(WaypointName(workspace->Waypoints()[2]), "C");  // freed, bytes kept
        EXPECT_EQ(ListNames(w, W::kWaypointList), QStringList({"B", "C"}));
        EXPECT_EQ(w.ListSelection(W::kWaypointList), 0);
        EXPECT_EQ(w.Text(W::kWaypointList), "B");
        EXPECT_EQ(Texts(w, kLat), Dms(workspace->Waypoints()[0].point.lat));
      },
      [&](MainForm& m) {
        EXPECT_EQ(workspace->Settings().baseWaypoint, 1);
        EXPECT_EQ(m.ListSelection(MainForm::kWaypointList), 1);
        EXPECT_EQ(m.ListText(MainForm::kWaypointList, 1), "C");
        EXPECT_EQ(Texts(m, {MainForm::kLatDeg, MainForm::kLatMin, MainForm::kLatSec,
                            MainForm::kLatHun}),
                  Dms(third.lat));
      });
  Run([](Workspace& ws) { Fill(ws, {"A", "B"}); },
      [&](W& w) {
        ASSERT_TRUE(w.Type(W::kWaypointList, "B"));
        ASSERT_TRUE(w.Press(W::kDeleteOne));
        EXPECT_EQ(w.Text(W::kWaypointList), "A");
        EXPECT_EQ(w.ListSelection(W::kWaypointList), 0);
        ASSERT_TRUE(w.Press(W::kDeleteOne));
        EXPECT_EQ(w.ListCount(W::kWaypointList), 0);
        EXPECT_EQ(Texts(w, {W::kWaypointList, W::kLatDeg, W::kLonDeg, W::kEasting, W::kMgrs}),
                  QStringList({"", "", "", "", ""}));
        // A Save now makes a new waypoint; nothing deleted comes back.
        ASSERT_TRUE(w.Press(W::kSave));
        EXPECT_EQ(RunNames(workspace->Waypoints()), (std::vector<std::string>{"WP #0"}));
      });
  EXPECT_EQ(h.questions.size(), 4);
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(WaypointsFormTest, DeleteAllAsksFirstThenEmptiesTheSelectorAndKeepsTheBytes) {
  WaypointTable before{};
  Run(
      [&before](Workspace& ws) {
        Fill(ws, {"A", "B", "C"});
        ws.SetBase(2);
        before = ws.Waypoints();
      },
      [&](W& w) {
        const QStringList shown = Texts(w, kLat);
        // No, the default answer, changes nothing.
        ASSERT_TRUE(w.Press(W::kDeleteAll));
        EXPECT_EQ(h.questions, QStringList{QStringLiteral("Delete all 3 waypoints?")});
        EXPECT_EQ(w.ListCount(W::kWaypointList), 3);
        EXPECT_EQ(std::memcmp(&before, &workspace->Waypoints(), sizeof before), 0);
        h.answer = true;
        ASSERT_TRUE(w.Press(W::kDeleteAll));
        EXPECT_EQ(h.questions.size(), 2);
        EXPECT_EQ(w.ListCount(W::kWaypointList), 0);
        EXPECT_EQ(Texts(w, kLat), shown);
        for (int i = 0; i < kWaypointCapacity; ++i) {
          EXPECT_EQ(workspace->Waypoints()[i].used, 0);
          before[i].used = 0;
        }
        EXPECT_EQ(std::memcmp(&before, &workspace->Waypoints(), sizeof before), 0);
      },
      [](MainForm& m) {
        EXPECT_EQ(m.ListCount(MainForm::kWaypointList), 0);
        EXPECT_EQ(m.Text(MainForm::kLatDeg), "012");  // record 2's bytes
      });
}

// --- Reading, converting and field checks ------------------------------------

// What the grid shows at every zone's and band's edges and corners reads
// back, converted and saved, to the same place.
TEST_F(WaypointsFormTest, TheGridShownAtEdgesAndCornersReadsBack) {
  h.answer = true;  // each edge replaces the position of the one before
  for (const std::uint16_t datum : test::kEdgeDatums) {
    Run(
        [datum](Workspace& ws) {
          SetDatum(ws, datum);
          ws.SetInputMode(W::kModeUtm);
        },
        [&](W& w) {
          for (const test::LatLonDeg& e : test::kGridEdges) {
            SCOPED_TRACE(testing::Message() << datum << ": " << e.lat << " " << e.lon);
            const GeoPoint p = test::PointDeg(e.lat, e.lon, 0, datum);
            w.ShowWaypoint(p);
            EXPECT_LT(test::DistanceMetres(w.ReadPosition(), p), 0.1);
            ASSERT_TRUE(w.Press(W::kConvert));
            w.ShowWaypoint(p);
            w.SetText(W::kWaypointList, QStringLiteral("EDGE"));
            ASSERT_TRUE(w.Press(W::kSave));
            const int saved = FindByName(workspace->Waypoints(), "EDGE");
            ASSERT_GE(saved, 0);
            EXPECT_LT(test::DistanceMetres(workspace->Waypoints()[saved].point, p), 0.1);
          }
        });
  }
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(WaypointsFormTest, GridPositionsPastTheAntimeridianComeBackInsideOneTurn) {
  struct Case {
    const char* zone;
    const char* easting;
    const char* lonDeg;
    const char* hemisphere;
  };
  // 300 km west of zone 1's central meridian at 60 N lies east of the
  // antimeridian. (Zone 0 is refused:
  // GridPositionsOffTheGridAreRefusedWhereTheyWouldBeRead.)
  const Case cases[] = {{"1", "0200000", "177", "E"}, {"60", "0800000", "177", "W"}};
  Run([](Workspace& ws) { ws.SetInputMode(W::kModeUtm); },
      [&cases](W& w) {
        for (const Case& c : cases) {
          SCOPED_TRACE(c.zone);
          TypeAll(w, {{W::kZone, c.zone}, {W::kEasting, c.easting}, {W::kEastingDm, "0"},
                      {W::kNorthing, "6650000"}, {W::kNorthingDm, "0"}});
          const GeoPoint p = w.ReadPosition();
          EXPECT_LE(std::fabs(p.lon), kHalfTurn);
          ASSERT_TRUE(w.Press(W::kConvert));
          EXPECT_EQ(w.Text(W::kLonDeg), c.lonDeg);
          EXPECT_EQ(w.Text(W::kLonHemisphere), c.hemisphere);
          EXPECT_EQ(Texts(w, kGrid), Grid(p));
          // The grid it shows now leads back to the same point.
          EXPECT_NEAR(w.ReadPosition().lon, p.lon, 1e-8);
        }
      });
}

// Zone 0, and grid positions the grid cannot read back: beyond 84 30' N and
// 80 30' S, more than 6.5 degrees from the meridian (at 84 N and at 60 N), an
// easting outside the zone's million metres. None is moved onto the grid.
TEST_F(WaypointsFormTest, GridPositionsOffTheGridAreRefusedWhereTheyWouldBeRead) {
  struct Case {
    const char* hemisphere;
    const char* easting;
    const char* northing;
  };
  const Case cases[] = {{"N", "0500000", "9999999"}, {"N", "0500000", "9400000"},
                        {"S", "0500000", "0000000"}, {"S", "0500000", "1000000"},
                        {"N", "0400000", "9329006"}, {"N", "0000000", "6650000"},
                        {"N", "1000001", "5000000"}};
  WaypointTable before{};
  Run(
      [&before](Workspace& ws) {
        Fill(ws, {"A"});
        ws.SetInputMode(W::kModeUtm);
        before = ws.Waypoints();
      },
      [&](W& w) {
        const QStringList shown = Texts(w, kLat) + Texts(w, kLon);
        // A refused "61" empties the field, which reads as zone 0, like "0".
        for (const char* typed : {"61", "0"}) {
          w.Type(W::kZone, QString::fromUtf8(typed));
          h.messages.clear();
          for (int button : {W::kConvert, W::kSave}) ASSERT_TRUE(w.Press(button));
          EXPECT_EQ(h.messages, QStringList(2, Msg(messages::kRange1To60))) << typed;
          EXPECT_EQ(Texts(w, kLat) + Texts(w, kLon), shown);
          EXPECT_EQ(std::memcmp(&before, &workspace->Waypoints(), sizeof before), 0);
        }
        w.SetText(W::kWaypointList, QStringLiteral("NEW"));
        for (const Case& c : cases) {
          SCOPED_TRACE(std::string(c.hemisphere) + c.easting + " " + c.northing);
          if (w.Text(W::kGridHemisphere) != c.hemisphere) w.Press(W::kGridHemisphere);
          w.SetText(W::kEasting, QString::fromUtf8(c.easting));
          TypeAll(w, {{W::kEastingDm, "0"},
                      {W::kZone, "33"},
                      {W::kNorthing, c.northing},
                      {W::kNorthingDm, "0"}});
          h.messages.clear();
          for (int button : {W::kConvert, W::kSave}) ASSERT_TRUE(w.Press(button));
          EXPECT_EQ(h.messages, QStringList(2, Msg(messages::kGridPositionOutsideZone)));
          EXPECT_EQ(Texts(w, kLat) + Texts(w, kLon), shown);
          EXPECT_EQ(std::memcmp(&before, &workspace->Waypoints(), sizeof before), 0);
          EXPECT_TRUE(std::isnan(w.ReadPosition().lat));
        }
        // A leading "0" is a zone, and the northings once clamped to 9329006 m
        // are read as they are.
        h.messages.clear();
        if (w.Text(W::kGridHemisphere) != "N") w.Press(W::kGridHemisphere);
        TypeAll(w, {{W::kEasting, "0500000"}, {W::kNorthing, "9328000"}});
        ASSERT_TRUE(w.Type(W::kZone, QStringLiteral("05")));
        ASSERT_TRUE(w.Press(W::kConvert));
        EXPECT_EQ(w.Text(W::kZone), "5");
        EXPECT_EQ(w.Text(W::kNorthing), "9328000");
        EXPECT_TRUE(h.messages.isEmpty());
      });
}

TEST_F(WaypointsFormTest, ConvertAgreesWithTheCoreInBothDirections) {
  struct Geo {
    const char* lat[4];
    bool south;
    const char* lon[4];
    bool west;
  };
  const Geo points[] = {
      {{"47", "12", "33", "45"}, false, {"8", "5", "59", "99"}, false},
      {{"33", "51", "54", "12"}, true, {"151", "12", "35", "60"}, false},
      {{"0", "0", "0", "0"}, false, {"0", "0", "0", "1"}, true},
      {{"60", "10", "0", "0"}, false, {"5", "30", "0", "0"}, false},  // a Norway zone
      {{"79", "59", "59", "99"}, true, {"179", "59", "59", "99"}, true},
      // 180 degrees, a hair more than pi: the western edge of zone 1.
      {{"45", "0", "0", "0"}, true, {"179", "59", "59", "100"}, false},
  };
  for (const std::uint16_t datum : {std::uint16_t{0}, kOtherDatum}) {
    Run([datum](Workspace& ws) { SetDatum(ws, datum); },
        [&](W& w) {
          for (const Geo& g : points) {
            SCOPED_TRACE(std::string(g.lat[0]) + " " + g.lon[0]);
            w.Press(W::kLatLonMode);
            TypeAll(w, {{W::kLatDeg, g.lat[0]}, {W::kLatMin, g.lat[1]}, {W::kLatSec, g.lat[2]},
                        {W::kLatHun, g.lat[3]}, {W::kLonDeg, g.lon[0]}, {W::kLonMin, g.lon[1]},
                        {W::kLonSec, g.lon[2]}, {W::kLonHun, g.lon[3]}});
            if ((w.Text(W::kLatHemisphere) == "S") != g.south) w.Press(W::kLatHemisphere);
            if ((w.Text(W::kLonHemisphere) == "W") != g.west) w.Press(W::kLonHemisphere);
            const GeoPoint typed = w.ReadPosition();
            ASSERT_TRUE(w.Press(W::kConvert));
            EXPECT_EQ(Texts(w, kGrid), Grid(typed));
            EXPECT_EQ(Texts(w, kLat), Dms(typed.lat));
            EXPECT_EQ(Texts(w, kLon), Dms(typed.lon));

            // Back from the grid the display gives the same point, to the
            // hundredth of a second a decimetre of easting can move it.
            const QStringList lat = Texts(w, kLat);
            const QStringList lon = Texts(w, kLon);
            w.Press(W::kUtmMode);
            const GeoPoint back = w.ReadPosition();
            ASSERT_TRUE(w.Press(W::kConvert));
            EXPECT_EQ(Texts(w, kLat), Dms(back.lat));
            EXPECT_EQ(Texts(w, kLon), Dms(back.lon));
            EXPECT_EQ(Texts(w, kGrid), Grid(back));
            EXPECT_EQ(w.Text(W::kLatHemisphere), g.south ? "S" : "N");
            const auto hundredths = [](const QStringList& t) {
              return ((t[0].toInt() * 60 + t[1].toInt()) * 60 + t[2].toInt()) * 100 +
                     t[3].toInt();
            };
            EXPECT_NEAR(hundredths(Texts(w, kLat)), hundredths(lat), 1);
            EXPECT_NEAR(hundredths(Texts(w, kLon)), hundredths(lon), 1);
          }
        });
  }
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(WaypointsFormTest, MgrsFollowsTheGridInTheMapDatumAndIsEmptyBeyondIt) {
  // kOtherDatum is on Clarke 1866: the older row letters.
  Run(
      [](Workspace& ws) {
        EditTable(ws, [](WaypointTable& t) {
          Fill(t, {"A", "B"});
          t[1].point.lat = 85 * kDegToRad;
        });
        SetDatum(ws, kOtherDatum);
        ws.SetEditWaypoint(0);
      },
      [&](W& w) {
        const auto shown = [&](const GeoPoint& p) {
          return QString::fromLatin1(MgrsOf(ConvertDatum(kOtherDatum, p)).text);
        };
        EXPECT_EQ(w.Text(W::kMgrs), shown(workspace->Waypoints()[0].point));
        EXPECT_EQ(w.Text(W::kMgrs).size(), 18);
        ASSERT_TRUE(w.Choose(W::kWaypointList, 1));
        EXPECT_EQ(w.Text(W::kMgrs), "");
        for (int mode : {W::kUtmMode, W::kLatLonMode}) {
          ASSERT_TRUE(w.Press(mode));
          EXPECT_TRUE(w.IsReadOnly(W::kMgrs));
          EXPECT_FALSE(w.Type(W::kMgrs, "31N EA"));
        }
        TypeAll(w, {{W::kLatDeg, "47"}, {W::kLonDeg, "8"}});
        ASSERT_TRUE(w.Press(W::kConvert));
        EXPECT_EQ(w.Text(W::kMgrs), shown(w.ReadPosition()));
        EXPECT_TRUE(w.Text(W::kMgrs).startsWith("32T"));
      });
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(WaypointsFormTest, FieldChecksShowTheirMessageAndLeaveTheirText) {
  struct Case {
    std::int32_t mode;
    int id;
    const char* typed;
    const char* message;  // nullptr: accepted
    const char* left;
  };
  const std::int32_t L = W::kModeLatLon, U = W::kModeUtm;
  const Case cases[] = {
      {L, W::kLatDeg, "89", nullptr, "89"},
      {L, W::kLatDeg, "90", messages::kRange0To89, ""},
      {L, W::kLonDeg, "179", nullptr, "179"},
      {L, W::kLonDeg, "180", messages::kRange0To179, ""},
      {L, W::kLatMin, "59", nullptr, "59"},
      {L, W::kLatMin, "60", messages::kRange0To59, ""},
      {L, W::kLatSec, "60", messages::kRange0To59, ""},
      {L, W::kLonMin, "123", messages::kRange0To59, ""},
      {L, W::kLonSec, "60", messages::kRange0To59, ""},
      {L, W::kLatHun, "99", nullptr, "99"},
      {U, W::kZone, "7", nullptr, "7"},
      {U, W::kZone, "0", nullptr, "0"},
      {U, W::kZone, "60", nullptr, "60"},
      {U, W::kZone, "00", messages::kRange1To60, ""},
      {U, W::kZone, "61", messages::kRange1To60, ""},
      {U, W::kEasting, "999998", nullptr, "999998"},
      {U, W::kEasting, "999999", messages::kLessThan999999, "0500000"},
      {U, W::kEasting, "123456789", messages::kLessThan999999, "0500000"},
      {U, W::kNorthing, "999999999", nullptr, "999999999"},
      {U, W::kAlt, "99999x", nullptr, "99999x"},
  };
  Run([](Workspace&) {},
      [&](W& w) {
        for (const Case& c : cases) {
          SCOPED_TRACE(std::to_string(c.id) + " " + c.typed);
          w.Press(c.mode == U ? W::kUtmMode : W::kLatLonMode);
          h.messages.clear();
          w.Type(c.id, QString::fromUtf8(c.typed));
          EXPECT_EQ(h.messages, c.message ? QStringList{Msg(c.message)} : QStringList{});
          EXPECT_EQ(w.Text(c.id), QString::fromUtf8(c.left));
        }
        // What the form shows itself is never checked: the pole and the
        // antimeridian show as they are.
        h.messages.clear();
        w.ShowWaypoint(GeoPoint{90 * kDegToRad, -180 * kDegToRad, 0, 0});
        EXPECT_EQ(w.Text(W::kLatDeg), "090");
        EXPECT_EQ(w.Text(W::kLonDeg), "180");
        EXPECT_TRUE(h.messages.isEmpty());
      });
}

}  // namespace
}  // namespace trelvan
