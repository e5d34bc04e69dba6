// The workspace: what each change notifies, that it writes the files it
// changed once and nothing else, how a failed save is reported and tried
// again, loading, and the lock on the data folder.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "store/SafeFile.h"
#include "store/Settings.h"
#include "store/WaypointFile.h"
#include "tests/support/GeoPoints.h"
#include "tests/support/TempFolder.h"
#include "workspace/Workspace.h"

namespace trelvan {
namespace {

using test::PointDeg;
using test::TempFolder;
using Names = std::vector<std::string>;

// The files written into a folder, in order: every save renames its
// finished temporary file over the old one, one IN_MOVED_TO each.
class WriteLog {
 public:
  explicit WriteLog(const char* folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    inotify_add_watch(fd_, folder, IN_MOVED_TO);
  }
  ~WriteLog() { close(fd_); }
  WriteLog(const WriteLog&) = delete;
  WriteLog& operator=(const WriteLog&) = delete;

  // The names written since the last call.
  Names Take() {
    Names names;
    alignas(inotify_event) char buffer[4096];
    ssize_t n;
    while ((n = read(fd_, buffer, sizeof buffer)) > 0) {
      for (const char* p = buffer; p < buffer + n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(p);
        names.emplace_back(event->name);
        p += sizeof(inotify_event) + event->len;
      }
    }
    return names;
  }

 private:
  int fd_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool SameTable(const WaypointTable& a, const WaypointTable& b) {
  return std::memcmp(a.data(), b.data(), sizeof a) == 0;
}

// A loaded workspace over a folder holding three waypoints, with every
// notification and failure recorded.
class WorkspaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WaypointTable table{};
    MakeDefaultTable(table);
    for (int i = 1; i < 3; ++i) {
      table[i].used = 1;
      SetName(table[i], "P" + std::to_string(i));
      table[i].point = PointDeg(10 * i, 20 * i, 100);
    }
    ASSERT_TRUE(SaveWaypoints(folder.Path(), table));
    ASSERT_TRUE(SaveSettings(folder.Path(), AppSettings{0, 1, 0, 0, 1, 2}));
    QObject::connect(&workspace, &Workspace::Changed, [this](Workspace::Parts parts) {
      changes.push_back(parts);
      // The views hear of a change only once its save was tried.
      onDiskWhenNotified.push_back(ReadFile(folder.File(kSettingsFileName)));
    });
    QObject::connect(&workspace, &Workspace::SaveFailed, [this] { ++failures; });
    ASSERT_TRUE(workspace.Load());
    changes.clear();
    onDiskWhenNotified.clear();
    log.Take();
  }
  void TearDown() override { SetWriteLimitForTesting(-1); }

  TempFolder folder;
  Workspace workspace{folder.Path()};
  WriteLog log{folder.Path()};
  std::vector<Workspace::Parts> changes;
  std::vector<std::string> onDiskWhenNotified;
  int failures = 0;
};

// One mutator, the part it touches and the file it changes.
struct Change {
  const char* name;
  std::function<void(Workspace&)> make;
  Workspace::Parts parts;
  Names written;
};

void PrintTo(const Change& c, std::ostream* os) { *os << c.name; }

class WorkspaceChange : public WorkspaceTest, public ::testing::WithParamInterface<Change> {};

TEST_P(WorkspaceChange, WritesWhatItChangedOnceAndThenNotifiesOnce) {
  const Change& c = GetParam();
  c.make(workspace);
  EXPECT_EQ(log.Take(), c.written);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], c.parts);
  EXPECT_EQ(onDiskWhenNotified[0], ReadFile(folder.File(kSettingsFileName)));
  EXPECT_EQ(failures, 0);
  // On disk is what the workspace holds.
  AppSettings settings{};
  WaypointTable table{};
  ASSERT_EQ(LoadSettings(folder.Path(), settings), LoadResult::kRead);
  ASSERT_EQ(LoadWaypoints(folder.Path(), table), LoadResult::kRead);
  EXPECT_EQ(settings, workspace.Settings());
  EXPECT_TRUE(SameTable(table, workspace.Waypoints()));
  // The same change again changes no byte: nothing is written, the views
  // still hear of it.
  c.make(workspace);
  EXPECT_EQ(log.Take(), Names{});
  EXPECT_EQ(changes.size(), 2u);
}

const Names kConf{kSettingsFileName};
const Names kTable{kWaypointFileName};

INSTANTIATE_TEST_SUITE_P(
    Mutators, WorkspaceChange,
    ::testing::Values(
        Change{"Units", [](Workspace& w) { w.SetUnits(0, 2, 17); }, Workspace::kUnits, kConf},
        Change{"Base", [](Workspace& w) { w.SetBase(1); }, Workspace::kBase, kConf},
        Change{"EditWaypoint", [](Workspace& w) { w.SetEditWaypoint(0); }, Workspace::kEditWaypoint,
               kConf},
        Change{"InputMode", [](Workspace& w) { w.SetInputMode(1); }, Workspace::kInputMode, kConf},
        Change{"StoreWaypoint",
               [](Workspace& w) {
                 Waypoint record = w.Waypoints()[1];
                 SetName(record, "RENAMED");
                 w.StoreWaypoint(1, record);
               },
               Workspace::kTable, kTable},
        // The last of the run, and then an index beyond it.
        Change{"DeleteWaypoint", [](Workspace& w) { w.DeleteWaypoint(2); }, Workspace::kTable,
               kTable},
        Change{"DeleteAll", [](Workspace& w) { w.DeleteAllWaypoints(); }, Workspace::kTable,
               kTable},
        Change{"RenameWaypoint", [](Workspace& w) { w.RenameWaypoint(1, "RENAMED"); },
               Workspace::kTable, kTable},
        // The base's record goes, so the base becomes record 0.
        Change{"DeleteWaypoints", [](Workspace& w) { w.DeleteWaypoints(RecordSet{0b100}); },
               Workspace::kTable | Workspace::kBase, Names{kSettingsFileName, kWaypointFileName}},
        Change{"ReplaceWaypoints",
               [](Workspace& w) {
                 WaypointTable table{};
                 MakeDefaultTable(table);
                 w.ReplaceWaypoints(table);
               },
               Workspace::kTable, kTable},
        Change{"LastResult",
               [](Workspace& w) { w.SetLastResult(TaskResult{.task = Task::kInverse3D}); },
               Workspace::kLastResult, Names{}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkspaceTest, AResultIsANewWaypointInTheFirstFreeRecordAndTheEditWaypoint) {
  ASSERT_TRUE(workspace.StoreResult(PointDeg(1, 2, 3)));
  EXPECT_EQ(log.Take(), (Names{kSettingsFileName, kWaypointFileName}));  // one save of both
  EXPECT_EQ(changes, (std::vector<Workspace::Parts>{Workspace::kTable | Workspace::kEditWaypoint}));
  EXPECT_STREQ(workspace.Waypoints()[3].name, "WP #3");
  EXPECT_TRUE(test::SamePoint(workspace.Waypoints()[3].point, PointDeg(1, 2, 3)));
  EXPECT_EQ(workspace.Settings().editWaypoint, 3);

  // A full table takes nothing and says nothing.
  while (workspace.StoreResult(PointDeg(1, 2, 3))) {
  }
  EXPECT_EQ(CountInUse(workspace.Waypoints()), kWaypointCapacity);
  const std::size_t heard = changes.size();
  log.Take();
  EXPECT_FALSE(workspace.StoreResult(PointDeg(4, 5, 6)));
  EXPECT_EQ(changes.size(), heard);
  EXPECT_EQ(log.Take(), Names{});
}

// A refusal leaves the table, the files and the views alone.
TEST_F(WorkspaceTest, ARenameKeepsToTheRulesOfNames) {
  using R = RenameOutcome;
  const WaypointTable before = workspace.Waypoints();
  const std::pair<QString, R::Status> refused[] = {{"", R::kEmptyName},
                                                   {"P2", R::kNameTaken},
                                                   {"A\tB", R::kBadName},
                                                   {QString(23, u'x'), R::kBadName},
                                                   {"\u03A9mega", R::kBadName}};
  for (const auto& [name, status] : refused) {
    EXPECT_EQ(workspace.RenameWaypoint(1, name).status, status) << name.toStdString();
  }
  EXPECT_EQ(workspace.RenameWaypoint(1, "A\tB").fault, exchange::NameFault::kControlCharacter);
  EXPECT_EQ(workspace.RenameWaypoint(3, "X").status, R::kNoWaypoint);
  EXPECT_TRUE(SameTable(workspace.Waypoints(), before));
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(log.Take(), Names{});
  // Another case, the record's own name, a Windows-1252 character beyond ASCII.
  for (const auto& [index, name] : {std::pair{1, "p2"}, {2, "P2"}, {0, "\u20ACuro"}}) {
    EXPECT_EQ(workspace.RenameWaypoint(index, QString::fromUtf8(name)).status, R::kRenamed);
  }
  EXPECT_EQ(WaypointName(workspace.Waypoints()[0]), "\x80uro");
  EXPECT_TRUE(test::SamePoint(workspace.Waypoints()[0].point, before[0].point));
}

TEST_F(WorkspaceTest, DeletingASetMovesTheBaseAndEditWaypointsWithTheirRecords) {
  WaypointTable table{};
  for (int i = 0; i < 6; ++i) {
    table[i].used = 1;
    SetName(table[i], std::string(1, static_cast<char>('A' + i)));
  }
  workspace.ReplaceWaypoints(table);
  workspace.SetBase(4);
  workspace.SetEditWaypoint(2);
  changes.clear();
  workspace.DeleteWaypoints(RecordSet{0b100101});  // A, C and F
  ASSERT_EQ(CountInUse(workspace.Waypoints()), 3);
  EXPECT_EQ(WaypointName(workspace.Waypoints()[2]), "E");
  EXPECT_EQ(workspace.Settings().baseWaypoint, 2);  // E moved down
  EXPECT_EQ(workspace.Settings().editWaypoint, 0);  // C went
  EXPECT_EQ(changes, (std::vector<Workspace::Parts>{Workspace::kTable | Workspace::kBase |
                                                    Workspace::kEditWaypoint}));
}

TEST_F(WorkspaceTest, RecordIndicesInTheSettingsStayInsideTheTable) {
  workspace.SetBase(49);
  EXPECT_EQ(workspace.Settings().baseWaypoint, 49);  // beyond the run, but one of the 50
  workspace.SetBase(50);
  workspace.SetEditWaypoint(-1);
  EXPECT_EQ(workspace.Settings().baseWaypoint, 0);
  EXPECT_EQ(workspace.Settings().editWaypoint, 0);
  // Other codes are kept as given, as the settings file keeps them.
  workspace.SetUnits(7, 9, 4000);
  EXPECT_EQ(workspace.Settings(), (AppSettings{0, 7, 9, 4000, 0, 0}));
}

TEST_F(WorkspaceTest, AFailedSaveIsSaidOnceKeepsTheDataAndIsTriedAgain) {
  const std::string oldSettings = ReadFile(folder.File(kSettingsFileName));
  const std::string oldTable = ReadFile(folder.File(kWaypointFileName));
  SetWriteLimitForTesting(0);
  workspace.SetUnits(0, 2, 17);
  workspace.DeleteAllWaypoints();  // both files pending now: still one failure
  EXPECT_EQ(failures, 2);
  EXPECT_EQ(changes.size(), 2u);  // the views follow the data in memory
  EXPECT_EQ(workspace.Settings().datumIndex, 17);
  EXPECT_EQ(CountInUse(workspace.Waypoints()), 0);
  EXPECT_EQ(ReadFile(folder.File(kSettingsFileName)), oldSettings);
  EXPECT_EQ(ReadFile(folder.File(kWaypointFileName)), oldTable);
  log.Take();

  SetWriteLimitForTesting(-1);
  workspace.SetInputMode(1);  // the next change writes all that is pending
  EXPECT_EQ(log.Take(), (Names{kSettingsFileName, kWaypointFileName}));
  EXPECT_EQ(failures, 2);
  EXPECT_EQ(ReadFile(folder.File(kSettingsFileName)), "1 0 2 17 1 2\n");

  // The close writes both files whatever they hold, and says so for each
  // that fails.
  workspace.SaveAtClose();
  EXPECT_EQ(log.Take(), (Names{kSettingsFileName, kWaypointFileName}));
  EXPECT_TRUE(workspace.ClosedSaved());
  SetWriteLimitForTesting(0);
  workspace.SaveAtClose();
  EXPECT_EQ(failures, 4);
  EXPECT_FALSE(workspace.ClosedSaved());
}

TEST(WorkspaceLoad, NormalisesTheIndicesWritesNothingAndTellsEverything) {
  TempFolder folder;
  WaypointTable table{};
  MakeDefaultTable(table);
  ASSERT_TRUE(SaveWaypoints(folder.Path(), table));
  std::ofstream(folder.File(kSettingsFileName)) << "1 0 3 5 -3 77\n";
  Workspace workspace(folder.Path());
  std::vector<Workspace::Parts> changes;
  QObject::connect(&workspace, &Workspace::Changed,
                   [&](Workspace::Parts parts) { changes.push_back(parts); });
  WriteLog log(folder.Path());
  ASSERT_TRUE(workspace.Load());
  EXPECT_EQ(workspace.Settings(), (AppSettings{1, 0, 3, 5, 0, 0}));
  EXPECT_EQ(changes, (std::vector<Workspace::Parts>{Workspace::kSettings | Workspace::kTable}));
  EXPECT_EQ(log.Take(), Names{});
  // The next change writes the indices as they are now.
  workspace.SetInputMode(0);
  EXPECT_EQ(ReadFile(folder.File(kSettingsFileName)), "0 0 3 5 0 0\n");
}

TEST(WorkspaceLoad, AFileThatCannotBeReadIsNeverWritten) {
  TempFolder folder;
  ASSERT_EQ(mkdir(folder.File(kWaypointFileName).c_str(), 0755), 0);
  Workspace workspace(folder.Path());
  EXPECT_FALSE(workspace.Load());
  WriteLog log(folder.Path());
  workspace.ReplaceWaypoints(WaypointTable{});
  workspace.SaveAtClose();
  EXPECT_EQ(log.Take(), Names{kSettingsFileName});  // the settings were read
}

// Load's answer, what it told the views and the state it left, and every
// file below `top` with its bytes, as one text.
std::string LoadOutcome(Workspace& workspace, const std::string& top) {
  int told = 0;
  QObject::connect(&workspace, &Workspace::Changed, [&told] { ++told; });
  std::string outcome = workspace.Load() ? "loaded" : "refused";
  outcome += std::to_string(told) +
             std::string(reinterpret_cast<const char*>(&workspace.Settings()), sizeof(AppSettings)) +
             std::string(reinterpret_cast<const char*>(workspace.Waypoints().data()),
                         sizeof(WaypointTable));
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(top)) {
    files.push_back(entry.path().string().substr(top.size()) +
                    (entry.is_directory() ? "/" : ":" + ReadFile(entry.path().string())));
  }
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) outcome += "\n" + file;
  return outcome;
}

// StartLoading moves Load's work to a thread and nothing else: with no
// folder, with one file, and with a file in place of the folder, the start
// ends exactly as with Load alone.
TEST(WorkspaceLoad, StartingEarlyEndsExactlyAsLoadAlone) {
  using Folder = void (*)(const std::string& data);
  const Folder starts[] = {
      [](const std::string&) {},
      [](const std::string& data) { SaveSettings(data.c_str(), AppSettings{1, 1, 2, 17, 3, 1}); },
      [](const std::string& data) { std::ofstream(data) << "kept"; },
  };
  for (const Folder make : starts) {
    std::string outcomes[2];
    for (const bool early : {false, true}) {
      const TempFolder top;
      make(top.File("trelvan"));
      Workspace workspace(top.File("trelvan"));
      if (early) workspace.StartLoading();
      outcomes[early] = LoadOutcome(workspace, top.Path());
    }
    EXPECT_EQ(outcomes[1], outcomes[0]);
  }
}

TEST(WorkspaceLock, OneWorkspaceHoldsAFolderAndTheOthersLearnWho) {
  TempFolder top;
  const std::string path = top.File("made/by/the/lock");
  auto first = std::make_unique<Workspace>(path);
  EXPECT_EQ(first->Lock(), FolderLock::Outcome::kTaken);
  Workspace second(path);
  EXPECT_EQ(second.Lock(), FolderLock::Outcome::kHeldByProgram);
  first.reset();  // the lock goes with its workspace
  EXPECT_EQ(second.Lock(), FolderLock::Outcome::kTaken);
  FolderLock tool;
  EXPECT_EQ(tool.Take(path.c_str(), LockHolder::kTool), FolderLock::Outcome::kHeldByProgram);

  // A file where the folder should be cannot be locked, and says why.
  const std::string blocked = top.File("file");
  std::ofstream(blocked) << "kept";
  Workspace third(blocked);
  EXPECT_EQ(third.Lock(), FolderLock::Outcome::kFailed);
  EXPECT_NE(third.LockError(), 0);
}

}  // namespace
}  // namespace trelvan
