// The main form when its data folder or files fail it: a folder it may not
// write, at the start and at the close, a folder deleted while it runs, and
// links in place of the files. What the user sees is one of the two file
// messages or nothing, and no file on disk is lost or damaged.
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "forms/Messages.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using test::MainFormFixture;
using test::PointDeg;
using test::SameTable;
using test::TableOf;

const QString kCannotCreate = QString::fromUtf8(messages::kCannotCreateFile);
const QString kCannotWrite = QString::fromUtf8(messages::kCannotWriteFile);

constexpr uid_t kNobody = 65534;

// While it lives, the files and folders `paths` may be read but not written
// by this thread. The superuser, whom permissions do not bind, keeps them
// its own (folders 0755, files 0644) and takes the file system ids of
// "nobody"; only this thread's ids change, and they are given back at the
// end. An ordinary user takes away its own write bits instead.
class ReadOnly {
 public:
  explicit ReadOnly(std::initializer_list<std::string> paths) : paths_(paths) {
    for (const std::string& path : paths_) {
      const bool folder = std::filesystem::is_directory(path);
      const mode_t mode = geteuid() == 0 ? (folder ? 0755 : 0644) : (folder ? 0555 : 0444);
      held_ = chmod(path.c_str(), mode) == 0 && held_;
    }
    if (geteuid() == 0) {
      setfsgid(kNobody);
      setfsuid(kNobody);
      // setfsuid answers with the id it replaces: nobody's once the change took.
      held_ = static_cast<uid_t>(setfsuid(kNobody)) == kNobody && held_;
    }
  }
  ~ReadOnly() {
    if (geteuid() == 0) {
      setfsuid(0);
      setfsgid(0);
    }
    for (const std::string& path : paths_) {
      chmod(path.c_str(), std::filesystem::is_directory(path) ? 0755 : 0644);
    }
  }
  ReadOnly(const ReadOnly&) = delete;
  ReadOnly& operator=(const ReadOnly&) = delete;

  // False when the paths could not be made read-only for this thread.
  bool Held() const { return held_; }

 private:
  std::vector<std::string> paths_;
  bool held_ = true;
};

bool IsLink(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

class MainFormFileFault : public MainFormFixture {
 protected:
  void SetUp() override {
    WriteSettings(kOldSettings);
    WriteTable(kOldTable);
    KeepOldFiles();
  }
  // The changes the scripts make while the form is open, each saved at once.
  void Change() {
    test::SetDatum(*workspace, 17);
    test::EditTable(*workspace, [](WaypointTable& t) { SetName(t[1], "CHANGED"); });
  }
  // Takes what the files hold now as the old files.
  void KeepOldFiles() {
    oldText = ReadText("conf.txt");
    oldTable = ReadTable();
  }
  void ExpectOldFiles() {
    EXPECT_EQ(ReadText("conf.txt"), oldText);
    EXPECT_TRUE(SameTable(ReadTable(), oldTable));
    EXPECT_EQ(Entries(dataFolder).size(), 2u);
  }

  const AppSettings kOldSettings{0, 1, 2, 3, 0, 1};
  const WaypointTable kOldTable = TableOf({PointDeg(48.1, 11.5, 520), PointDeg(-33.9, 151.2)});
  std::string oldText;
  WaypointTable oldTable{};
};

TEST_F(MainFormFileFault, AFolderThatMayNotBeWrittenIsReadAtTheStart) {
  std::optional<ReadOnly> readOnly;
  readOnly.emplace(std::initializer_list<std::string>{dataFolder, dataFolder + "/conf.txt",
                                                      dataFolder + "/wp.dat"});
  if (!readOnly->Held()) GTEST_SKIP() << "cannot take away the right to write";
  Run([&](MainForm& m) {
    EXPECT_EQ(workspace->Settings().datumIndex, 3);
    EXPECT_EQ(workspace->Settings().baseWaypoint, 1);
    EXPECT_TRUE(SameTable(workspace->Waypoints(), kOldTable));
    EXPECT_EQ(m.Text(MainForm::kAltUnit), QStringLiteral("ft"));
    EXPECT_TRUE(h.messages.isEmpty());
    readOnly.reset();  // writable again before the changes
    Change();
  });
  EXPECT_TRUE(h.messages.isEmpty());
  EXPECT_EQ(ReadText("conf.txt"), "0 1 2 17 0 1\n");
  EXPECT_EQ(WaypointName(ReadTable()[1]), "CHANGED");
}

TEST_F(MainFormFileFault, AFolderThatMayNotBeWrittenAtTheCloseKeepsTheOldFiles) {
  std::optional<ReadOnly> readOnly;
  Run([&](MainForm&) {
    Change();
    KeepOldFiles();
    readOnly.emplace(std::initializer_list<std::string>{dataFolder, dataFolder + "/conf.txt",
                                                        dataFolder + "/wp.dat"});
  });
  const bool held = readOnly->Held();
  readOnly.reset();
  if (!held) GTEST_SKIP() << "cannot take away the right to write";
  EXPECT_EQ(h.messages, (QStringList{kCannotWrite, kCannotWrite}));
  ExpectOldFiles();
}

TEST_F(MainFormFileFault, ADataFolderDeletedWhileTheFormRunsIsMadeAgain) {
  dataFolder = folder.File("share/trelvan");
  Run([&](MainForm&) {
    Change();
    std::filesystem::remove_all(folder.File("share"));
  });
  EXPECT_TRUE(h.messages.isEmpty());
  EXPECT_EQ(ReadText("conf.txt"), "0 0 0 17 0 0\n");
  EXPECT_EQ(WaypointName(ReadTable()[1]), "CHANGED");
  EXPECT_EQ(Entries(dataFolder).size(), 2u);
}

// Where the data folder or a file is meant to be at the start, and what is
// in the way.
struct StartFault {
  const char* name;
  const char* dataFolder;  // below the test's folder
  // Sets up what is in the way; `top` is the test's folder. Returns false
  // when that cannot be done here.
  bool (*arrange)(const std::string& top, std::optional<ReadOnly>& readOnly);
};

void PrintTo(const StartFault& fault, std::ostream* os) { *os << fault.name; }

class MainFormStartFault : public MainFormFixture,
                           public ::testing::WithParamInterface<StartFault> {};

TEST_P(MainFormStartFault, EndsWithTheMessageAndCreatesNothing) {
  const StartFault& fault = GetParam();
  dataFolder = folder.File(fault.dataFolder);
  std::optional<ReadOnly> readOnly;
  if (!fault.arrange(folder.Path(), readOnly)) {
    GTEST_SKIP() << "cannot take away the right to write";
  }
  const std::vector<std::string> before = Entries(folder.Path());
  Run();
  readOnly.reset();
  EXPECT_EQ(h.messages, QStringList{kCannotCreate});
  EXPECT_EQ(h.RunCount<MainForm>(), 0);
  EXPECT_EQ(Entries(folder.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    AtTheStart, MainFormStartFault,
    ::testing::Values(StartFault{"FolderThatMayNotBeWritten", "",
                                 [](const std::string& top, std::optional<ReadOnly>& readOnly) {
                                   readOnly.emplace(std::initializer_list<std::string>{top});
                                   return readOnly->Held();
                                 }},
                      StartFault{"MissingFolderInOneThatMayNotBeWritten", "trelvan",
                                 [](const std::string& top, std::optional<ReadOnly>& readOnly) {
                                   readOnly.emplace(std::initializer_list<std::string>{top});
                                   return readOnly->Held();
                                 }},
                      StartFault{"FileInPlaceOfTheParentFolder", "share/trelvan",
                                 [](const std::string& top, std::optional<ReadOnly>&) {
                                   std::ofstream(top + "/share") << "kept";
                                   return true;
                                 }},
                      StartFault{"LinkIntoAMissingFolder", "",
                                 [](const std::string& top, std::optional<ReadOnly>&) {
                                   return symlink("gone/settings", (top + "/conf.txt").c_str()) ==
                                          0;
                                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// Links the user made in place of the two files keep working: the form
// reads and saves the files they lead to, and they stay links.
TEST_F(MainFormFileFault, LinksInPlaceOfTheFilesAreFollowed) {
  const std::string elsewhere = folder.File("elsewhere");
  ASSERT_EQ(mkdir(elsewhere.c_str(), 0755), 0);
  dataFolder = folder.File("data");
  ASSERT_EQ(mkdir(dataFolder.c_str(), 0755), 0);
  ASSERT_EQ(rename(folder.File("conf.txt").c_str(), (elsewhere + "/settings").c_str()), 0);
  ASSERT_EQ(rename(folder.File("wp.dat").c_str(), (elsewhere + "/survey").c_str()), 0);
  ASSERT_EQ(symlink("../elsewhere/settings", (dataFolder + "/conf.txt").c_str()), 0);
  ASSERT_EQ(symlink((elsewhere + "/survey").c_str(), (dataFolder + "/wp.dat").c_str()), 0);
  Run([&](MainForm&) {
    EXPECT_EQ(workspace->Settings().datumIndex, 3);
    EXPECT_TRUE(SameTable(workspace->Waypoints(), kOldTable));
    Change();
  });
  EXPECT_TRUE(h.messages.isEmpty());
  EXPECT_TRUE(IsLink(dataFolder + "/conf.txt"));
  EXPECT_TRUE(IsLink(dataFolder + "/wp.dat"));
  EXPECT_EQ(ReadText("conf.txt"), "0 1 2 17 0 1\n");
  EXPECT_EQ(WaypointName(ReadTable()[1]), "CHANGED");
  EXPECT_EQ(Entries(elsewhere).size(), 2u);
}

}  // namespace
}  // namespace trelvan
