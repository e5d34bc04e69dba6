// trelvan-waypoints over a data folder: the command line, the exit status,
// and writes that happen once, whole, and never while the program holds
// the folder.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QLineF>
#include <QPointF>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "exchange/ExchangeSupport.h"
#include "geometry/Polar.h"
#include "store/FolderLock.h"
#include "store/Settings.h"
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
      {"plot"},
      {"plot", "plan.jpeg"},
      {"plot", "plan.svg/in"},
      {"plot", "--format", "gpx", "plan.svg"},
      {"plot", "--size", "15x600", "plan.svg"},
      {"plot", "--size", "800x+600", "plan.svg"},
      {"plot", "--replace", "plan.svg"},
      {"list", "--size", "800x600"},
  };
  for (const auto& args : wrong) {
    const ToolRun run = Tool(folder, args);
    EXPECT_EQ(run.status, kStatusUsage) << (args.empty() ? "" : args[0]);
    EXPECT_NE(run.io.err.find("usage: trelvan-waypoints"), std::string::npos) << run.io.err;
  }
  EXPECT_TRUE(folder.Entries().empty());
  EXPECT_EQ(Tool(folder, {"--version"}).io.out,
            std::string("trelvan-waypoints ") + kVersion + "\n");
  EXPECT_EQ(Tool(folder, {"import", "--help"}).status, kStatusDone);
}

// Arguments reach the tool as the bytes they are: a file name that is no
// UTF-8 is written as named. Options may stand before the command.
TEST(WaypointsTool, FileNamesKeepTheirBytesAndOptionsMayComeFirst) {
  test::TempFolder folder;
  const std::string name = folder.File("caf\xe9 \xff.txt");
  const ToolRun run = Tool(folder, {"--format=csv", "export", name});
  EXPECT_EQ(run.status, kStatusDone) << run.io.err;
  std::ifstream written(name);
  std::string header;
  EXPECT_TRUE(std::getline(written, header));
  EXPECT_EQ(header.rfind("name,latitude", 0), 0u) << header;
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

  // Whoever holds the folder is named, and the status says it was held.
  const std::pair<LockHolder, const char*> holders[] = {
      {LockHolder::kProgram, "TRELVAN is running with this data folder; close it first.\n"},
      {LockHolder::kTool,
       "Another trelvan-waypoints is importing into this data folder; try again when it has "
       "finished.\n"}};
  for (const auto& [holder, message] : holders) {
    FolderLock held;
    ASSERT_EQ(held.Take(folder.Path(), holder), FolderLock::Outcome::kTaken);
    run = Tool(folder, {"import", "--format", "gpx", exchange::test::FixturePath("gpx10.gpx")});
    EXPECT_EQ(run.status, kStatusHeld);
    EXPECT_EQ(run.io.err, message);
    // Reading is still allowed.
    EXPECT_EQ(Tool(folder, {"export", "--format", "csv"}).status, kStatusDone);
  }

  run = Tool(folder, {"import", "--format", "gpx", folder.File("missing.gpx")});
  EXPECT_EQ(run.status, kStatusIncomplete);
  EXPECT_NE(run.io.err.find("cannot read"), std::string::npos);

  std::ifstream in(folder.File("wp.dat"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Without --format the suffix says, in any case; without either the
// command line is wrong. A file that imports nothing leaves no trace, not
// even a data folder.
TEST(WaypointsTool, TheSuffixGivesTheFormatAndAFailedImportLeavesNoTrace) {
  test::TempFolder temp;
  const std::string csv = temp.File("points.CSV");
  const std::string notGpx = temp.File("points.gpx");
  WriteText(csv, "name,lat,lon\nA,1,2\n");
  WriteText(notGpx, "name,lat,lon\nA,1,2\n");
  ToolRun run{};
  const auto tool = [&run](const std::string& folder, std::vector<std::string> args) {
    run = ToolRun{};
    run.status = RunTool(args, folder, kNow, run.io);
  };
  const std::string data = temp.File("data");
  tool(data, {"import", notGpx});
  EXPECT_EQ(run.status, kStatusIncomplete);
  EXPECT_NE(run.io.err.find("nothing was imported"), std::string::npos) << run.io.err;
  EXPECT_EQ(temp.Entries().size(), 2);  // no data folder, no lock, no table

  tool(data, {"import", csv});
  EXPECT_EQ(run.status, kStatusDone) << run.io.err;
  tool(data, {"export", temp.File("out.Gpx")});
  EXPECT_EQ(run.status, kStatusDone) << run.io.err;
  EXPECT_NE(ReadText(temp.File("out.Gpx")).find("<gpx"), std::string::npos);

  const std::vector<std::vector<std::string>> wrong = {{"import", temp.File("notes.txt")},
                                                       {"export", temp.File("out")},
                                                       {"export"},
                                                       {"export", ""},
                                                       {"import", "--format", "csv", ""}};
  for (const auto& args : wrong) {
    tool(data, args);
    EXPECT_EQ(run.status, kStatusUsage) << args.back();
  }
  tool(data, {"import", temp.File("notes.txt")});
  EXPECT_NE(run.io.err.find("'" + temp.File("notes.txt") + "' ends in neither .gpx nor .csv"),
            std::string::npos)
      << run.io.err;
  tool(temp.File("points.CSV"), {"import", csv});  // a file where the folder should be
  EXPECT_EQ(run.status, kStatusIncomplete);
  EXPECT_NE(run.io.err.find("cannot lock the data folder"), std::string::npos) << run.io.err;
}

// A device or a pipe named as the file is written into, never replaced;
// what it refuses is reported and the status says so.
TEST(WaypointsTool, ExportWritesIntoDevicesAndPipesAndNeverReplacesThem) {
  test::TempFolder folder;
  const auto isFifo = [](const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
  };
  const std::string fifo = folder.File("pipe.csv");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ToolRun run = Tool(folder, {"export", fifo});
  EXPECT_EQ(run.status, kStatusIncomplete);
  EXPECT_EQ(run.io.err,
            "trelvan-waypoints: cannot write " + fifo + ": No such device or address\n");
  // With a reader the export goes through the pipe; it is small enough to
  // wait in the pipe until the reader takes it.
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  run = Tool(folder, {"export", fifo});
  EXPECT_EQ(run.status, kStatusDone) << run.io.err;
  char piped[5] = {};
  EXPECT_EQ(read(reader, piped, sizeof piped), 5);
  EXPECT_EQ(std::string(piped, 5), "name,");
  close(reader);
  EXPECT_TRUE(isFifo(fifo));

  if (geteuid() != 0) GTEST_SKIP() << "device nodes are made by the superuser only";
  struct Device {
    const char* name;
    unsigned minor;
    int status;
    const char* error;
  };
  for (const Device& d : {Device{"full.gpx", 7, kStatusIncomplete, "No space left on device"},
                          Device{"null.gpx", 3, kStatusDone, nullptr}}) {
    const std::string path = folder.File(d.name);
    ASSERT_EQ(mknod(path.c_str(), S_IFCHR | 0600, makedev(1, d.minor)), 0);
    run = Tool(folder, {"export", path});
    EXPECT_EQ(run.status, d.status) << d.name;
    if (d.error) {
      EXPECT_EQ(run.io.err,
                "trelvan-waypoints: cannot write " + path + ": " + std::string(d.error) + "\n");
    }
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << d.name;
  }
}

// Names from a file, or from an old table, never reach a terminal as
// control characters: list and the import report write them as \xHH.
TEST(WaypointsTool, ListAndReportsNeverWriteAControlCharacter) {
  test::TempFolder folder;
  WaypointTable table;
  MakeDefaultTable(table);
  exchange::test::AddWaypoint(table, "\x1b[31mRED", 1, 2, 3, 0);
  exchange::test::AddWaypoint(table, "FORGED\n 9  LINE", 1, 2, 3, 0);
  exchange::test::AddWaypoint(table, "DEL\x7f\x81", 1, 2, 3, 0);
  ASSERT_TRUE(SaveWaypoints(folder.Path(), table));
  const std::string csv = folder.File("names.csv");
  WriteText(csv, "name,lat,lon\n\"\x1b]0;title\x07\",1,2\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"list"}, std::vector<std::string>{"import", csv}}) {
    const ToolRun run = Tool(folder, args);
    for (const char c : run.io.out + run.io.err) {
      EXPECT_FALSE((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == '\x7f')
          << args[0] << ": " << static_cast<int>(c);
    }
    if (args[0] == "list") {
      EXPECT_EQ(std::count(run.io.out.begin(), run.io.out.end(), '\n'), 4);
      EXPECT_NE(run.io.out.find(" 1  \\x1B[31mRED "), std::string::npos) << run.io.out;
      EXPECT_NE(run.io.out.find(" 2  FORGED\\x0A 9  LINE "), std::string::npos);
      EXPECT_NE(run.io.out.find(" 3  DEL\\x7F\\x81 "), std::string::npos);
    } else {
      EXPECT_NE(run.io.out.find("row 2: skipped \"\\x1B]0;title\\x07\": the name holds a control "
                                "character\n"),
                std::string::npos)
          << run.io.out;
    }
  }
}

// plot only reads the data folder and needs no display: it paints on the
// offscreen platform when none is chosen. Its SVG holds each name where the
// waypoint lies from the base, east and north to one scale.
TEST(WaypointsTool, PlotDrawsTheNamesWhereTheWaypointsLieToOneScale) {
  test::TempFolder folder;
  const GeoPoint base{0.8250, 0.1990, 574, 0};
  WaypointTable table = exchange::test::EmptyTable();
  const char* names[] = {"FAR", "BASE", "EAST", "NORTH WEST", "SOUTH"};
  const PolarVector vectors[] = {
      {2e6, 0, 0}, {0, 0, 0}, {600, 1.5708, 0.01}, {900, 5.5, -0.02}, {450, 3.0, 0}};
  for (int i = 0; i < 5; ++i) {
    table[i].used = 1;
    SetName(table[i], names[i]);
    table[i].point = ForwardPolar(vectors[i], base);
  }
  ASSERT_TRUE(SaveWaypoints(folder.Path(), table));
  ASSERT_TRUE(SaveSettings(folder.Path(), AppSettings{0, 1, 0, 0, 1, 1}));
  const std::vector<std::string> before = folder.Entries();
  unsetenv("QT_QPA_PLATFORM");
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  const ToolRun run = Tool(folder, {"plot", "--size", "900x700", folder.File("plan.svg")});
  ASSERT_EQ(run.status, kStatusDone) << run.io.err;
  std::vector<std::string> after = before;
  after.push_back("plan.svg");
  std::sort(after.begin(), after.end());
  EXPECT_EQ(folder.Entries(), after);

  QFile svg(QString::fromStdString(folder.File("plan.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svg);
  QHash<QString, QPointF> drawn;
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text") {
      const QPointF at(xml.attributes().value("x").toDouble(),
                       xml.attributes().value("y").toDouble());
      drawn.insert(xml.readElementText(), at);
    }
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_FALSE(drawn.contains("FAR"));
  ASSERT_TRUE(drawn.contains("BASE") && drawn.contains("NORTH WEST"));
  // The scale: pixels a metre, from the farthest name.
  const auto offset = [&](int i) {
    return QPointF(
        vectors[i].range * std::cos(vectors[i].elevation) * std::sin(vectors[i].azimuth),
        vectors[i].range * std::cos(vectors[i].elevation) * std::cos(vectors[i].azimuth));
  };
  const double scale =
      QLineF(drawn["BASE"], drawn["NORTH WEST"]).length() / QLineF(QPointF(), offset(3)).length();
  // Text is placed in 64ths of a pixel: two names' difference is that close.
  for (int i = 2; i < 5; ++i) {
    SCOPED_TRACE(names[i]);
    ASSERT_TRUE(drawn.contains(names[i]));
    const QPointF from = drawn[names[i]] - drawn["BASE"];
    EXPECT_NEAR(from.x(), offset(i).x() * scale, 1.0 / 32);
    EXPECT_NEAR(-from.y(), offset(i).y() * scale, 1.0 / 32);
  }
}

}  // namespace
}  // namespace trelvan::waypoints
