#pragma once

// What the form tests share: waypoints put into a table or the workspace,
// settings set through the workspace, the texts of a row of controls,
// captions without their mnemonic marker, a measurement typed into a polar
// plot form, and a main form over the workspace of a temporary data folder
// that runs a scripted session.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <initializer_list>

#include "forms/MainForm.h"
#include "forms/PolarPlotForm.h"
#include "store/Settings.h"
#include "store/WaypointTable.h"
#include "tests/support/FormHarness.h"
#include "tests/support/GeoPoints.h"
#include "tests/support/TempFolder.h"
#include "workspace/Workspace.h"

namespace trelvan::test {

// Puts a waypoint named `name` at `p` into record `index` and marks it used.
inline void Put(WaypointTable& table, int index, const char* name, const GeoPoint& p) {
  Waypoint& w = table[static_cast<std::size_t>(index)];
  w.used = 1;
  SetName(w, name);
  w.point = p;
}

// Changes the workspace's table with `change`, as an import would: one
// change, one save.
inline void EditTable(Workspace& workspace, const std::function<void(WaypointTable&)>& change) {
  WaypointTable table = workspace.Waypoints();
  change(table);
  workspace.ReplaceWaypoints(table);
}

// Puts a waypoint into the first free record of the workspace's table and
// returns that record.
inline int AddWaypoint(Workspace& workspace, const char* name, const GeoPoint& p) {
  const int slot = FirstFree(workspace.Waypoints());
  Waypoint record = workspace.Waypoints()[static_cast<std::size_t>(slot)];
  record.used = 1;
  SetName(record, name);
  record.point = p;
  workspace.StoreWaypoint(slot, record);
  return slot;
}

// One unit or the datum changed through the workspace, the others kept.
inline void SetAngleUnit(Workspace& workspace, std::int32_t unit) {
  const AppSettings& s = workspace.Settings();
  workspace.SetUnits(unit, s.distanceUnit, s.datumIndex);
}
inline void SetDistanceUnit(Workspace& workspace, std::int32_t unit) {
  const AppSettings& s = workspace.Settings();
  workspace.SetUnits(s.angleUnit, unit, s.datumIndex);
}
inline void SetDatum(Workspace& workspace, std::int32_t datum) {
  const AppSettings& s = workspace.Settings();
  workspace.SetUnits(s.angleUnit, s.distanceUnit, datum);
}

// All six settings, one mutator after another.
inline void SetSettings(Workspace& workspace, const AppSettings& settings) {
  workspace.SetUnits(settings.angleUnit, settings.distanceUnit, settings.datumIndex);
  workspace.SetInputMode(settings.inputMode);
  workspace.SetEditWaypoint(settings.editWaypoint);
  workspace.SetBase(settings.baseWaypoint);
}

// The texts of the controls `ids` of `form`, in order.
inline QStringList Texts(const Form& form, std::initializer_list<int> ids) {
  QStringList texts;
  for (int id : ids) texts << form.Text(id);
  return texts;
}

// The caption a menu title or item shows: "E&xit" without its mnemonic
// marker is "Exit".
inline QString Caption(QString text) { return text.remove(u'&'); }

// Presses the button `id` until it shows `caption`, three times at the most.
inline void PressUntil(Form& f, int id, const char* caption) {
  for (int i = 0; i < 3 && f.Text(id) != QString::fromUtf8(caption); ++i) f.Press(id);
}

// Types a measurement into either polar plot form: azimuth, elevation and
// range as whole units and hundredths.
inline void Measure(PolarPlotForm& f, const char* az, const char* azH, const char* el,
                    const char* elH, const char* range, const char* rangeH) {
  using P = PolarPlotForm;
  f.Type(P::kAzimuthWhole, QString::fromUtf8(az));
  f.Type(P::kAzimuthHundredths, QString::fromUtf8(azH));
  f.Type(P::kElevationWhole, QString::fromUtf8(el));
  f.Type(P::kElevationHundredths, QString::fromUtf8(elH));
  f.Type(P::kRangeWhole, QString::fromUtf8(range));
  f.Type(P::kRangeHundredths, QString::fromUtf8(rangeH));
}

// A main form over the workspace of a temporary data folder, run with a
// scripted session.
class MainFormSession : public ::testing::Test {
 protected:
  // Runs the main form with `body` as the user's session.
  void Session(std::function<void(MainForm&)> body) {
    h.Script<MainForm>(std::move(body));
    main.Execute();
  }

  TempFolder folder;
  FormHarness h;
  Workspace workspace{folder.Path()};
  MainForm main{h.services, workspace};
};

// A session that starts on `table` and `settings`, with a magnetic variance
// on the main form that no display of a base shows, so that a form that
// leaves the main form alone shows.
class StoredTableSession : public MainFormSession {
 protected:
  // Opens the main form on `table` and `settings`, runs `commands` from its
  // menu, and closes it.
  void Run(std::initializer_list<int> commands) {
    Session([this, commands](MainForm& m) {
      workspace.ReplaceWaypoints(table);
      SetSettings(workspace, settings);
      m.SetText(MainForm::kVarianceWhole, kUntouched);
      for (int command : commands) m.RunCommand(command);
    });
  }

  static constexpr const char* kUntouched = "999";

  WaypointTable table{};
  AppSettings settings{};
};

}  // namespace trelvan::test
