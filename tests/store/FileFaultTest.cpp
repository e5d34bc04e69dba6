// Faults that the two files meet on a real machine: a folder that may not be
// written, a kill in the middle of a save, a full disk, and links in place
// of the files. Checks that need an ordinary user or a file system of their
// own run in a forked child, which reports through its exit status: 0 when
// every check passed, otherwise the number of the first that failed.
#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "FileBytes.h"
#include "store/SafeFile.h"
#include "store/Settings.h"
#include "store/WaypointFile.h"

namespace trelvan {
namespace {

using files::Decoded;
using files::PatternBytes;
using files::ReadAll;
using files::TableBytes;
using files::TempFolder;
using files::WriteAll;
using std::chrono::steady_clock;

constexpr int kSkipped = 77;   // the child could not set up what it checks
constexpr int kNotEnded = -1;  // the child did not end in time and was killed
constexpr uid_t kNobody = 65534;

// Counts a child's checks and remembers the first that failed.
class Checks {
 public:
  void operator()(bool passed) {
    ++count_;
    if (!passed && failed_ == 0) failed_ = count_;
  }
  int Result() const { return failed_; }

 private:
  int count_ = 0;
  int failed_ = 0;
};

// Runs `body` in a forked child and returns its exit status; a child killed
// by a signal gives 128 plus the signal, one that has not ended within five
// seconds is killed and gives kNotEnded. The child leaves through _exit, so
// nothing of the test process (its temporary folders) is torn down twice.
int RunInChild(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) return kNotEnded;
  if (pid == 0) _exit(body());
  const auto deadline = steady_clock::now() + std::chrono::seconds(5);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return kNotEnded;
    }
    usleep(1000);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Permissions do not bind the superuser: its child becomes "nobody" before
// the checks. An ordinary user is bound already and stays who it is. False
// when the change fails or `folder` cannot be reached afterwards.
bool BecomeBoundByPermissions(const char* folder) {
  if (geteuid() == 0 &&
      (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
    return false;
  }
  return geteuid() != 0 && access(folder, X_OK) == 0;
}

// Runs `checks` as a user bound by permissions; see RunInChild.
int RunBoundByPermissions(const char* folder, const std::function<int()>& checks) {
  return RunInChild([&] { return BecomeBoundByPermissions(folder) ? checks() : kSkipped; });
}

// What the checking child may do with a path.
enum class Access { kRead, kReadWrite, kNone };

// Gives the checking child `access` to `path`. As the superuser the path
// is root's and the child, "nobody", meets the bits for others (a path it
// may write becomes nobody's own); an ordinary user owns the path and meets
// the owner's bits.
bool Allow(const std::string& path, Access access) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return false;
  const bool folder = S_ISDIR(st.st_mode);
  if (geteuid() == 0) {
    const uid_t owner = access == Access::kReadWrite ? kNobody : 0;
    const mode_t mode = access == Access::kNone ? 0600 : folder ? 0755 : 0644;
    return chown(path.c_str(), owner, owner) == 0 && chmod(path.c_str(), mode) == 0;
  }
  const mode_t mode = access == Access::kReadWrite ? (folder ? 0755 : 0644)
                      : access == Access::kRead    ? (folder ? 0555 : 0444)
                                                   : 0000;
  return chmod(path.c_str(), mode) == 0;
}

std::string SettingsText(const AppSettings& settings) {
  char line[80];
  return std::string(line, static_cast<std::size_t>(FormatSettings(settings, line)));
}

// Left-over temporary files of the file `name` in `temp`.
int Temporaries(const TempFolder& temp, const std::string& name) {
  int count = 0;
  for (const std::string& entry : temp.Entries()) count += entry.rfind("." + name + ".", 0) == 0;
  return count;
}

int EntryCount(const std::string& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

bool IsLink(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string LinkTarget(const std::string& path) {
  char target[4096];
  const ssize_t n = readlink(path.c_str(), target, sizeof target);
  return n < 0 ? std::string() : std::string(target, static_cast<std::size_t>(n));
}

const AppSettings kOldSettings{1, 1, 2, 17, 3, 5};
const AppSettings kNewSettings{0, 0, 5, 124, 49, 0};
const std::string kOldTable = PatternBytes(3, 31);
const std::string kNewTable = PatternBytes(50, 91);

// A data folder holding the old settings and table.
class FileFault : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(std::string(temp.Path()).empty());
    ASSERT_TRUE(SaveSettings(temp.Path(), kOldSettings));
    ASSERT_TRUE(SaveWaypoints(temp.Path(), Decoded(kOldTable)));
  }
  void ExpectOldFiles() {
    EXPECT_EQ(ReadAll(temp.File("conf.txt")), SettingsText(kOldSettings));
    EXPECT_TRUE(ReadAll(temp.File("wp.dat")) == kOldTable) << "wp.dat was changed";
    EXPECT_EQ(temp.Entries().size(), 2u);
  }

  TempFolder temp;
};

TEST_F(FileFault, FolderThatMayNotBeWrittenStillGivesItsFiles) {
  for (const char* name : {"", "conf.txt", "wp.dat"})
    ASSERT_TRUE(Allow(temp.File(name), Access::kRead));
  const int status = RunBoundByPermissions(temp.Path(), [&] {
    Checks check;
    AppSettings settings{};
    check(LoadSettings(temp.Path(), settings) == LoadResult::kRead);
    check(SettingsText(settings) == SettingsText(kOldSettings));
    WaypointTable table{};
    check(LoadWaypoints(temp.Path(), table) == LoadResult::kRead);
    check(TableBytes(table) == kOldTable);
    return check.Result();
  });
  if (status == kSkipped) GTEST_SKIP() << "cannot become a user whom permissions bind";
  EXPECT_EQ(status, 0) << "check " << status << " failed in the child";
  ExpectOldFiles();
}

TEST_F(FileFault, FolderThatMayNotBeWrittenGetsNoNewFiles) {
  ASSERT_EQ(unlink(temp.File("conf.txt").c_str()), 0);
  ASSERT_EQ(unlink(temp.File("wp.dat").c_str()), 0);
  ASSERT_TRUE(Allow(temp.Path(), Access::kRead));
  const std::string below = temp.File("trelvan");
  const int status = RunBoundByPermissions(temp.Path(), [&] {
    Checks check;
    AppSettings settings{9, 9, 9, 9, 9, 9};
    check(LoadSettings(temp.Path(), settings) == LoadResult::kCannotCreate);
    check(SettingsText(settings) == SettingsText(AppSettings{}));
    WaypointTable table{};
    check(LoadWaypoints(temp.Path(), table) == LoadResult::kCannotCreate);
    // Nor can a data folder be made inside it.
    check(LoadSettings(below.c_str(), settings) == LoadResult::kCannotCreate);
    check(LoadWaypoints(below.c_str(), table) == LoadResult::kCannotCreate);
    return check.Result();
  });
  if (status == kSkipped) GTEST_SKIP() << "cannot become a user whom permissions bind";
  EXPECT_EQ(status, 0) << "check " << status << " failed in the child";
  EXPECT_TRUE(temp.Entries().empty());
}

TEST_F(FileFault, SavesIntoAFolderThatMayNotBeWrittenFailAndKeepTheOldFiles) {
  for (const char* name : {"", "conf.txt", "wp.dat"})
    ASSERT_TRUE(Allow(temp.File(name), Access::kRead));
  const int status = RunBoundByPermissions(temp.Path(), [&] {
    Checks check;
    check(!SaveSettings(temp.Path(), kNewSettings));
    check(!SaveWaypoints(temp.Path(), Decoded(kNewTable)));
    return check.Result();
  });
  if (status == kSkipped) GTEST_SKIP() << "cannot become a user whom permissions bind";
  EXPECT_EQ(status, 0) << "check " << status << " failed in the child";
  ExpectOldFiles();
}

// In a folder the user may write: a file they may not write is not replaced
// behind their back, and one they may not read is neither read nor saved over.
TEST_F(FileFault, FilesThatMayNotBeWrittenOrReadAreLeftAlone) {
  ASSERT_TRUE(Allow(temp.Path(), Access::kReadWrite));
  ASSERT_TRUE(Allow(temp.File("conf.txt"), Access::kNone));
  ASSERT_TRUE(Allow(temp.File("wp.dat"), Access::kRead));
  const int status = RunBoundByPermissions(temp.Path(), [&] {
    Checks check;
    AppSettings settings{};
    check(LoadSettings(temp.Path(), settings) == LoadResult::kCannotCreate);
    check(!SaveSettings(temp.Path(), kNewSettings));
    WaypointTable table{};
    check(LoadWaypoints(temp.Path(), table) == LoadResult::kRead);
    check(TableBytes(table) == kOldTable);
    check(!SaveWaypoints(temp.Path(), Decoded(kNewTable)));
    return check.Result();
  });
  if (status == kSkipped) GTEST_SKIP() << "cannot become a user whom permissions bind";
  EXPECT_EQ(status, 0) << "check " << status << " failed in the child";
  ASSERT_EQ(chmod(temp.File("conf.txt").c_str(), 0644), 0);  // for reading it below
  ExpectOldFiles();
}

// A child saves two different contents in turn while it is killed at random
// moments. Each file on disk is always one content or the other, whole, and
// a killed save leaves at most its own temporary file, which the next save
// removes.
TEST_F(FileFault, KillDuringASaveLeavesTheOldOrTheNewFile) {
  const AppSettings settings[2] = {kOldSettings, kNewSettings};
  const std::string texts[2] = {SettingsText(kOldSettings), SettingsText(kNewSettings)};
  const WaypointTable tables[2] = {Decoded(kOldTable), Decoded(kNewTable)};
  const std::string bytes[2] = {kOldTable, kNewTable};
  // The kills fall within a few save times of the child's start, however
  // slowly this disk syncs, so that some saves end between kills and others
  // do not.
  long longestSave = 0;
  for (int i = 0; i < 3; ++i) {
    const auto start = steady_clock::now();
    ASSERT_TRUE(SaveSettings(temp.Path(), kOldSettings));
    ASSERT_TRUE(SaveWaypoints(temp.Path(), Decoded(kOldTable)));
    const auto took =
        std::chrono::duration_cast<std::chrono::microseconds>(steady_clock::now() - start);
    longestSave = std::max(longestSave, static_cast<long>(took.count()));
  }
  std::mt19937 random(20261207);
  std::uniform_int_distribution<long> delayMicroseconds(0, std::max(20000L, 3 * longestSave));
  // Enough kills and changes end the test after four seconds; a slow disk
  // may take longer to get there, up to a limit.
  const auto enough = steady_clock::now() + std::chrono::seconds(4);
  const auto limit = steady_clock::now() + std::chrono::seconds(40);
  int onDisk = 0;
  int changes = 0;
  int kills = 0;
  for (; kills < 200 && steady_clock::now() < limit; ++kills) {
    if (steady_clock::now() > enough && kills >= 50 && changes >= 5) break;
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // Starts with the content that is not on disk; gives up after two
      // seconds should the kill never come.
      const auto end = steady_clock::now() + std::chrono::seconds(2);
      for (int i = 1 - onDisk; steady_clock::now() < end; i = 1 - i) {
        SaveSettings(temp.Path(), settings[i]);
        SaveWaypoints(temp.Path(), tables[i]);
      }
      _exit(0);
    }
    usleep(static_cast<useconds_t>(delayMicroseconds(random)));
    kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    const std::string text = ReadAll(temp.File("conf.txt"));
    const std::string table = ReadAll(temp.File("wp.dat"));
    ASSERT_TRUE(text == texts[0] || text == texts[1]) << "kill " << kills << ": \"" << text << '"';
    ASSERT_TRUE(table == bytes[0] || table == bytes[1])
        << "kill " << kills << ": " << table.size() << " bytes";
    ASSERT_LE(Temporaries(temp, "conf.txt"), 1) << "kill " << kills;
    ASSERT_LE(Temporaries(temp, "wp.dat"), 1) << "kill " << kills;
    ASSERT_LE(temp.Entries().size(), 4u) << "kill " << kills;
    const int now = text == texts[1] ? 1 : 0;
    changes += now != onDisk;
    onDisk = now;
  }
  EXPECT_GE(kills, 50);
  EXPECT_GE(changes, 5) << "the saves hardly ever ended between kills";
  ASSERT_TRUE(SaveSettings(temp.Path(), kOldSettings));
  ASSERT_TRUE(SaveWaypoints(temp.Path(), Decoded(kOldTable)));
  ExpectOldFiles();
}

// A real full disk: a file system of four pages of its own, mounted in a
// mount namespace of the child's so that nobody else ever sees it.
TEST_F(FileFault, FullDiskKeepsTheOldFilesWhole) {
  const std::string disk = temp.File("disk");
  ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
  const char* folder = disk.c_str();
  const int status = RunInChild([&] {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("trelvan-full", folder, "tmpfs", MS_NOSUID | MS_NODEV, "size=16k,mode=0755") != 0) {
      return kSkipped;
    }
    Checks check;
    check(SaveSettings(folder, kOldSettings));
    check(SaveWaypoints(folder, Decoded(kOldTable)));
    // Fills what is left, a page at a time.
    const std::string filler = disk + "/filler";
    const auto fill = [&filler] {
      FILE* file = std::fopen(filler.c_str(), "ab");
      if (file == nullptr) return false;
      const std::string page(4096, 'f');
      for (int i = 0; i < 16; ++i) {
        if (std::fwrite(page.data(), 1, page.size(), file) != page.size() ||
            std::fflush(file) != 0) {
          break;
        }
      }
      std::fclose(file);
      return true;
    };
    check(fill());
    check(!SaveSettings(folder, kNewSettings));
    check(!SaveWaypoints(folder, Decoded(kNewTable)));
    check(ReadAll(disk + "/conf.txt") == SettingsText(kOldSettings));
    check(ReadAll(disk + "/wp.dat") == kOldTable);
    check(EntryCount(disk) == 3);
    // A missing file cannot be made either, and no empty one is left.
    check(unlink((disk + "/wp.dat").c_str()) == 0);
    check(fill());
    WaypointTable table;
    check(LoadWaypoints(folder, table) == LoadResult::kCannotCreate);
    check(EntryCount(disk) == 2);
    // Once there is room again, the saves go through.
    check(unlink(filler.c_str()) == 0);
    check(SaveSettings(folder, kNewSettings));
    check(SaveWaypoints(folder, Decoded(kNewTable)));
    check(ReadAll(disk + "/conf.txt") == SettingsText(kNewSettings));
    check(ReadAll(disk + "/wp.dat") == kNewTable);
    return check.Result();
  });
  if (status == kSkipped) GTEST_SKIP() << "no small file system can be mounted here";
  EXPECT_EQ(status, 0) << "check " << status << " failed in the child";
}

// Links the user made in place of the files: reading and saving go through
// them to the files they name, and the links stay links.
class FileLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(data.c_str(), 0755), 0);
    ASSERT_EQ(mkdir(elsewhere.c_str(), 0755), 0);
  }
  void Link(const std::string& target, const char* name) {
    ASSERT_EQ(symlink(target.c_str(), (data + "/" + name).c_str()), 0);
  }
  // The link `name` in the data folder is still a link to `target`.
  void ExpectLink(const char* name, const std::string& target) {
    EXPECT_TRUE(IsLink(data + "/" + name)) << name;
    EXPECT_EQ(LinkTarget(data + "/" + name), target) << name;
  }

  TempFolder temp;
  const std::string data = temp.File("data");
  const std::string elsewhere = temp.File("elsewhere");
};

TEST_F(FileLinks, LinksToFilesElsewhereAreReadAndSavedThrough) {
  WriteAll(elsewhere + "/settings", SettingsText(kOldSettings));
  WriteAll(elsewhere + "/survey", kOldTable);
  ASSERT_EQ(chmod((elsewhere + "/survey").c_str(), 0600), 0);
  // One link names its file by a relative path, the other through a second link.
  Link("../elsewhere/settings", "conf.txt");
  ASSERT_EQ(symlink("survey", (elsewhere + "/survey-link").c_str()), 0);
  Link(elsewhere + "/survey-link", "wp.dat");

  AppSettings settings{};
  EXPECT_EQ(LoadSettings(data.c_str(), settings), LoadResult::kRead);
  EXPECT_EQ(SettingsText(settings), SettingsText(kOldSettings));
  WaypointTable table{};
  EXPECT_EQ(LoadWaypoints(data.c_str(), table), LoadResult::kRead);
  EXPECT_TRUE(TableBytes(table) == kOldTable);

  ASSERT_TRUE(SaveSettings(data.c_str(), kNewSettings));
  ASSERT_TRUE(SaveWaypoints(data.c_str(), Decoded(kNewTable)));
  ExpectLink("conf.txt", "../elsewhere/settings");
  ExpectLink("wp.dat", elsewhere + "/survey-link");
  EXPECT_TRUE(IsLink(elsewhere + "/survey-link"));
  EXPECT_EQ(ReadAll(elsewhere + "/settings"), SettingsText(kNewSettings));
  EXPECT_TRUE(ReadAll(elsewhere + "/survey") == kNewTable);
  struct stat st;
  ASSERT_EQ(stat((elsewhere + "/survey").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  // Nothing was left beside the links or beside the files.
  EXPECT_EQ(EntryCount(data), 2);
  EXPECT_EQ(EntryCount(elsewhere), 3);
}

TEST_F(FileLinks, DanglingLinksAreMissingFilesMadeWhereTheyPoint) {
  Link(elsewhere + "/settings", "conf.txt");
  Link("../elsewhere/survey", "wp.dat");
  AppSettings settings{9, 9, 9, 9, 9, 9};
  EXPECT_EQ(LoadSettings(data.c_str(), settings), LoadResult::kCreated);
  WaypointTable table{};
  EXPECT_EQ(LoadWaypoints(data.c_str(), table), LoadResult::kCreated);
  WaypointTable defaults;
  MakeDefaultTable(defaults);
  ExpectLink("conf.txt", elsewhere + "/settings");
  ExpectLink("wp.dat", "../elsewhere/survey");
  EXPECT_EQ(ReadAll(elsewhere + "/settings"), SettingsText(AppSettings{}));
  EXPECT_TRUE(ReadAll(elsewhere + "/survey") == TableBytes(defaults));
}

// A pipe or a device where a file should be is never replaced by a save,
// nor written into: the save fails and says why, and the node stays. Only
// WriteIntoFile writes into one, and never into a regular file.
TEST(FileNodes, NodesInAFilesPlaceAreNeverReplaced) {
  TempFolder temp;
  const std::string fifo = temp.File("wp.dat");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(SaveWaypoints(temp.Path(), Decoded(PatternBytes(2))));
  EXPECT_EQ(errno, EEXIST);
  struct stat st;
  ASSERT_EQ(stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_FALSE(WriteIntoFile(fifo.c_str(), "x", 1));  // nobody reads it
  EXPECT_EQ(errno, ENXIO);

  WriteAll(temp.File("plain"), "old");
  EXPECT_FALSE(WriteIntoFile(temp.File("plain").c_str(), "new", 3));
  EXPECT_EQ(ReadAll(temp.File("plain")), "old");

  if (!files::PermissionsBind()) {
    const std::string device = temp.File("conf.txt");
    ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)), 0);  // a copy of /dev/null
    EXPECT_FALSE(SaveSettings(temp.Path(), AppSettings{}));
    ASSERT_EQ(stat(device.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_TRUE(WriteIntoFile(device.c_str(), "x", 1));
  }
}

TEST_F(FileLinks, LinksIntoAMissingFolderOrInALoopAreNeverReplaced) {
  Link(elsewhere + "/gone/settings", "conf.txt");
  Link("wp.dat", "wp.dat");
  AppSettings settings{};
  EXPECT_EQ(LoadSettings(data.c_str(), settings), LoadResult::kCannotCreate);
  EXPECT_FALSE(SaveSettings(data.c_str(), kNewSettings));
  WaypointTable table{};
  EXPECT_EQ(LoadWaypoints(data.c_str(), table), LoadResult::kCannotCreate);
  EXPECT_FALSE(SaveWaypoints(data.c_str(), Decoded(kNewTable)));
  ExpectLink("conf.txt", elsewhere + "/gone/settings");
  ExpectLink("wp.dat", "wp.dat");
  EXPECT_EQ(access((elsewhere + "/gone").c_str(), F_OK), -1);
}

}  // namespace
}  // namespace trelvan
