// trelvan-waypoints over a data folder: the command line, the exit status,
// and writes that happen once, whole, and never while the program holds
// the folder.

#include <gtest/gtest.h>

#include <QDateTime>
#include <fstream>

#include "exchange/ExchangeSupport.h"
#include "store/FolderLock.h"
#include "store/WaypointFile.h"
#include "tests/support/TempFolder.h"
#include "tools/waypoints/Tool.h"
#include "trelvan/Version.h"

namespace trelvan::waypoints {
namespace {

const QDateTime kNow(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC);

struct ToolRun {
  int status;
  ToolOutput io;
};

ToolRun Tool(const test::TempFolder& folder, std::vector<std::string> args) {
  ToolRun run{};
  run.status = RunTool(args, folder.Path(), kNow, run.io);
  return run;
}

TEST(WaypointsTool, WrongCommandLinesExitWithTwoAndTheUsage) {
  test::TempFolder folder;
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"remove"},
      {"list", "extra"},
      {"export"},
      {"export", "--format", "kml"},
      {"export", "--format"},
      {"import", "--format", "gpx"},
      {"import", "--format=csv", "--datum", "Atlantis", "a.csv"},
      {"import", "--format", "gpx", "--points", "wpt,poi", "a.gpx"},
      {"import", "--format", "gpx", "a.gpx", "b.gpx"},
      {"export", "--format", "gpx", "--replace"},
  };
  for (const auto& args : wrong) {
    const ToolRun run = Tool(folder, args);
    EXPECT_EQ(run.status, kStatusUsage) << (args.empty() ? "" : args[0]);
    EXPECT_NE(run.io.err.find("usage: trelvan-waypoints"), std::string::npos);
  }
  EXPECT_TRUE(folder.Entries().empty());
  EXPECT_EQ(Tool(folder, {"--version"}).io.out,
            std::string("trelvan-waypoints ") + kVersion + "\n");
  EXPECT_EQ(Tool(folder, {"import", "--help"}).status, kStatusDone);
}

TEST(WaypointsTool, ImportListAndExportOverTheDataFolder) {
  test::TempFolder folder;
  // Without a waypoint file the program's first table is listed; nothing is
  // created by reading.
  ToolRun run = Tool(folder, {"list"});
  EXPECT_EQ(run.io.out.substr(0, 14), " 0  DEFAULT WP");
  EXPECT_TRUE(folder.Entries().empty());

  run = Tool(folder, {"import", "--format", "gpx", "--datum", "ED-50 MEAN",
                      exchange::test::FixturePath("handheld.gpx")});
  EXPECT_EQ(run.status, kStatusDone) << run.io.err;
  EXPECT_EQ(run.io.out.substr(run.io.out.rfind("3 imported")),
            "3 imported, 0 replaced, 0 skipped.\n");
  WaypointTable table;
  ASSERT_EQ(LoadWaypoints(folder.Path(), table), LoadResult::kRead);
  ASSERT_EQ(CountInUse(table), 4);
  EXPECT_EQ(table[1].point.datum, 1);

  run = Tool(folder, {"list"});
  // Index, name, DMS with hemisphere, height, datum, zone band easting
  // northing, the MGRS reference; the position on the datum it is stored on.
  EXPECT_NE(run.io.out.find(" 1  TRIG 0417               47d22'40.00\"N  8d32'34.10\"E  364.257 m  "
                            "ED-50 MEAN  32 T 465485.730 5247349.312  32T MT 65485 47349\n"),
            std::string::npos)
      << run.io.out;
  EXPECT_NE(run.io.out.find("\"S  151d12'"), std::string::npos);

  run = Tool(folder, {"export", "--format", "csv"});
  EXPECT_EQ(run.status, kStatusDone);
  EXPECT_EQ(run.io.out.substr(0, 4), "name");
  const std::string file = folder.File("out.gpx");
  EXPECT_EQ(Tool(folder, {"export", "--format=gpx", file}).status, kStatusDone);

  // Importing our own export again with --replace touches every name.
  run = Tool(folder, {"import", "--format", "gpx", "--replace", file});
  EXPECT_EQ(run.status, kStatusDone) << run.io.err;
  EXPECT_NE(run.io.out.find("0 imported, 4 replaced, 0 skipped."), std::string::npos);
}

// The list gives the zone, band and reference the standard names at a
// Svalbard edge (once 32X, without a reference) and nothing beyond 84 N.
TEST(WaypointsTool, ListShowsTheGridAtItsEdgesAndNothingBeyond) {
  test::TempFolder folder;
  WaypointTable table = exchange::test::EmptyTable();
  exchange::test::AddWaypoint(table, "EDGE", 72, 10, 0, 0);
  exchange::test::AddWaypoint(table, "NORTH", 84.5, 10, 0, 0);
  ASSERT_TRUE(SaveWaypoints(folder.Path(), table));
  const std::string out = Tool(folder, {"list"}).io.out;
  const std::size_t north = out.find(" 1  NORTH");
  ASSERT_NE(north, std::string::npos);
  EXPECT_NE(out.find("  WGS-84  33 X 327724.949 7996086.925  33X UV 27724 96086\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("WGS-84  - (outside the UTM grid)\n", north), std::string::npos) << out;
}

TEST(WaypointsTool, SkipsExitWithOneAndTheRestIsSaved) {
  test::TempFolder folder;
  const ToolRun run =
      Tool(folder, {"import", "--format", "csv", exchange::test::FixturePath("spreadsheet.csv")});
  EXPECT_EQ(run.status, kStatusIncomplete);
  EXPECT_NE(run.io.out.find("row 8: skipped \"BadLat\": the latitude is beyond 90 degrees\n"),
            std::string::npos);
  WaypointTable table;
  ASSERT_EQ(LoadWaypoints(folder.Path(), table), LoadResult::kRead);
  EXPECT_EQ(CountInUse(table), 5);
}

TEST(WaypointsTool, NothingIsWrittenForAFileOfAnotherKindOrWhileTheProgramRuns) {
  test::TempFolder folder;
  WaypointTable table;
  MakeDefaultTable(table);
  ASSERT_TRUE(SaveWaypoints(folder.Path(), table));
  const std::string before = [&] {
    std::ifstream in(folder.File("wp.dat"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();

  ToolRun run =
      Tool(folder, {"import", "--format", "csv", exchange::test::FixturePath("gpx10.gpx")});
  EXPECT_EQ(run.status, kStatusIncomplete);
  EXPECT_NE(run.io.err.find("nothing was imported"), std::string::npos);

  FolderLock program;
  ASSERT_EQ(program.Take(folder.Path()), FolderLock::Outcome::kTaken);
  run = Tool(folder, {"import", "--format", "gpx", exchange::test::FixturePath("gpx10.gpx")});
  EXPECT_EQ(run.status, kStatusIncomplete);
  EXPECT_EQ(run.io.err, "TRELVAN is running with this data folder; close it first.\n");
  // Reading is still allowed.
  EXPECT_EQ(Tool(folder, {"export", "--format", "csv"}).status, kStatusDone);

  run = Tool(folder, {"import", "--format", "gpx", folder.File("missing.gpx")});
  EXPECT_EQ(run.status, kStatusIncomplete);
  EXPECT_NE(run.io.err.find("cannot read"), std::string::npos);

  std::ifstream in(folder.File("wp.dat"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
}

}  // namespace
}  // namespace trelvan::waypoints
