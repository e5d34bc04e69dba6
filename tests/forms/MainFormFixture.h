#pragma once

// Runs the main form headless over the workspace of a temporary data
// folder: files are written before, a script drives the form while it is
// open, and the files are read after it has closed.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QStringList>
#include <cstring>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>

#include "forms/MainForm.h"
#include "geodesy/Angles.h"
#include "store/Settings.h"
#include "store/WaypointFile.h"
#include "store/WaypointTable.h"
#include "tests/forms/FormTestSupport.h"
#include "tests/support/FormHarness.h"
#include "tests/support/TempFolder.h"
#include "workspace/Workspace.h"

namespace trelvan::test {

// A table whose first records are in use at `points`, named "WP 0", "WP 1"...
inline WaypointTable TableOf(std::initializer_list<GeoPoint> points) {
  WaypointTable table{};
  int i = 0;
  for (const GeoPoint& p : points) {
    table[i].used = 1;
    SetName(table[i], "WP " + std::to_string(i));
    table[i].point = p;
    ++i;
  }
  return table;
}

// Latitude, longitude and altitude fields of the main form's base display.
inline QStringList LatitudeTexts(const MainForm& m) {
  return Texts(m, {MainForm::kLatHemisphere, MainForm::kLatDeg, MainForm::kLatMin,
                   MainForm::kLatSec, MainForm::kLatHun});
}
inline QStringList LongitudeTexts(const MainForm& m) {
  return Texts(m, {MainForm::kLonHemisphere, MainForm::kLonDeg, MainForm::kLonMin,
                   MainForm::kLonSec, MainForm::kLonHun});
}
inline QStringList AltitudeTexts(const MainForm& m) {
  return Texts(m, {MainForm::kAltSign, MainForm::kAlt, MainForm::kAltUnit});
}
// Every field of the base display and both declination angles.
inline QStringList BaseTexts(const MainForm& m) {
  return Texts(m, {MainForm::kLatHemisphere,
                   MainForm::kLatDeg,
                   MainForm::kLatMin,
                   MainForm::kLatSec,
                   MainForm::kLatHun,
                   MainForm::kLonHemisphere,
                   MainForm::kLonDeg,
                   MainForm::kLonMin,
                   MainForm::kLonSec,
                   MainForm::kLonHun,
                   MainForm::kAltSign,
                   MainForm::kAlt,
                   MainForm::kAltUnit,
                   MainForm::kEasting,
                   MainForm::kEastingDm,
                   MainForm::kNorthing,
                   MainForm::kNorthingDm,
                   MainForm::kGridHemisphere,
                   MainForm::kZone,
                   MainForm::kBand,
                   MainForm::kAngleUnit,
                   MainForm::kConvergenceSign,
                   MainForm::kConvergenceWhole,
                   MainForm::kConvergenceHun,
                   MainForm::kVarianceSign,
                   MainForm::kVarianceWhole,
                   MainForm::kVarianceHun});
}

inline bool SameTable(const WaypointTable& a, const WaypointTable& b) {
  return std::memcmp(a.data(), b.data(), sizeof a) == 0;
}

class MainFormFixture : public ::testing::Test {
 protected:
  // Runs the main form over a new workspace of the data folder, as a new
  // start of the program, with `script` while it is open. Returns the
  // form's result.
  int Run(std::function<void(MainForm&)> script = nullptr) {
    h.Script<MainForm>([script](MainForm& m) {
      if (script) script(m);
    });
    workspace.emplace(dataFolder);
    MainForm main(h.services, *workspace);
    return main.Execute();
  }

  void WriteText(const char* name, const std::string& text) {
    std::ofstream(dataFolder + "/" + name, std::ios::binary) << text;
  }
  void WriteTable(const WaypointTable& table) {
    ASSERT_TRUE(SaveWaypoints(dataFolder.c_str(), table));
  }
  void WriteSettings(const AppSettings& settings) {
    ASSERT_TRUE(SaveSettings(dataFolder.c_str(), settings));
  }
  // The bytes of a regular file in the data folder; empty for anything else.
  std::string ReadText(const char* name) const {
    const std::string path = dataFolder + "/" + name;
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  WaypointTable ReadTable() const {
    const std::string bytes = ReadText(kWaypointFileName);
    WaypointTable table{};
    DecodeWaypoints(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), table);
    return table;
  }

  FormHarness h;
  TempFolder folder;
  std::string dataFolder = folder.Path();
  // The workspace of the last Run.
  std::optional<Workspace> workspace;
};

}  // namespace trelvan::test
