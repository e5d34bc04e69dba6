#include "store/WaypointFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "FileBytes.h"
#include "store/SafeFile.h"

namespace trelvan {
namespace {

using files::Decoded;
using files::PatternBytes;
using files::ReadAll;
using files::TableBytes;
using files::TempFolder;
using files::WriteAll;

// Writes with a limit and clears it again, whatever happens in between.
class WriteLimit {
 public:
  explicit WriteLimit(long bytes) { SetWriteLimitForTesting(bytes); }
  ~WriteLimit() { SetWriteLimitForTesting(-1); }
};

TEST(WaypointFile, TableIsWrittenAndReadBackByteForByte) {
  TempFolder temp;
  const std::string bytes = PatternBytes(7);
  const WaypointTable table = Decoded(bytes);
  EXPECT_EQ(TableBytes(table), bytes);
  ASSERT_TRUE(SaveWaypoints(temp.Path(), table));
  EXPECT_EQ(ReadAll(temp.File("wp.dat")), bytes);
  WaypointTable back{};
  EXPECT_EQ(LoadWaypoints(temp.Path(), back), LoadResult::kRead);
  EXPECT_EQ(TableBytes(back), bytes);
  EXPECT_EQ(temp.Entries().size(), 1u);
}

TEST(WaypointFile, ShortFileLeavesTheRestFreeAndZero) {
  TempFolder temp;
  const std::size_t kept = sizeof(Waypoint) + 30;  // a record and a half
  WriteAll(temp.File("wp.dat"), PatternBytes(3).substr(0, kept));
  WaypointTable table;
  EXPECT_EQ(LoadWaypoints(temp.Path(), table), LoadResult::kRead);
  const std::string bytes = TableBytes(table);
  EXPECT_EQ(bytes.substr(0, kept), PatternBytes(3).substr(0, kept));
  EXPECT_EQ(bytes.substr(kept), std::string(kWaypointFileSize - kept, '\0'));
  EXPECT_EQ(CountInUse(table), 2);

  WriteAll(temp.File("wp.dat"), "");
  EXPECT_EQ(LoadWaypoints(temp.Path(), table), LoadResult::kRead);
  EXPECT_EQ(TableBytes(table), std::string(kWaypointFileSize, '\0'));
}

TEST(WaypointFile, LongerFileIsReadToItsFirst2800Bytes) {
  TempFolder temp;
  WriteAll(temp.File("wp.dat"), PatternBytes(2) + "tail");
  WaypointTable table;
  EXPECT_EQ(LoadWaypoints(temp.Path(), table), LoadResult::kRead);
  EXPECT_EQ(TableBytes(table), PatternBytes(2));
}

TEST(WaypointFile, NameThatNeverEndsIsReadWithinItsField) {
  TempFolder temp;
  std::string bytes = PatternBytes(1);
  std::memset(bytes.data() + 1, 'N', kNameField);
  WriteAll(temp.File("wp.dat"), bytes);
  WaypointTable table;
  ASSERT_EQ(LoadWaypoints(temp.Path(), table), LoadResult::kRead);
  EXPECT_EQ(WaypointName(table[0]), std::string(kMaxNameLength, 'N'));
  ASSERT_TRUE(SaveWaypoints(temp.Path(), table));
  EXPECT_EQ(ReadAll(temp.File("wp.dat")), bytes);
}

TEST(WaypointFile, MissingFileAndFolderAreCreatedWithTheDefaultTable) {
  TempFolder temp;
  const std::string folder = temp.File("share/trelvan");
  WaypointTable table = Decoded(PatternBytes(5));
  EXPECT_EQ(LoadWaypoints(folder.c_str(), table), LoadResult::kCreated);
  WaypointTable expected;
  MakeDefaultTable(expected);
  EXPECT_EQ(TableBytes(table), TableBytes(expected));
  EXPECT_EQ(ReadAll(folder + "/wp.dat"), TableBytes(expected));
  struct stat st;
  ASSERT_EQ(stat(folder.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST(WaypointFile, FolderNamedLikeTheFileIsNeitherReadNorReplaced) {
  TempFolder temp;
  ASSERT_EQ(mkdir(temp.File("wp.dat").c_str(), 0755), 0);
  WaypointTable table;
  EXPECT_EQ(LoadWaypoints(temp.Path(), table), LoadResult::kCannotCreate);
  EXPECT_FALSE(SaveWaypoints(temp.Path(), table));
  struct stat st;
  ASSERT_EQ(stat(temp.File("wp.dat").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(temp.Entries().size(), 1u);
}

TEST(WaypointFile, PipeInPlaceOfTheFileDoesNotHang) {
  TempFolder temp;
  ASSERT_EQ(mkfifo(temp.File("wp.dat").c_str(), 0644), 0);
  WaypointTable table;
  EXPECT_EQ(LoadWaypoints(temp.Path(), table), LoadResult::kCannotCreate);
}

TEST(WaypointFile, FileWhereTheFolderShouldBeFails) {
  TempFolder temp;
  WriteAll(temp.File("not-a-folder"), "x");
  const std::string folder = temp.File("not-a-folder");
  WaypointTable table;
  EXPECT_EQ(LoadWaypoints(folder.c_str(), table), LoadResult::kCannotCreate);
  EXPECT_FALSE(SaveWaypoints(folder.c_str(), table));
  EXPECT_FALSE(SaveWaypoints((folder + "/below").c_str(), table));
  EXPECT_EQ(ReadAll(folder), "x");
}

TEST(WaypointFile, UnwritableFolderKeepsTheOldFile) {
  if (!files::PermissionsBind()) GTEST_SKIP() << "permissions do not bind the superuser";
  TempFolder temp;
  const WaypointTable old = Decoded(PatternBytes(3));
  ASSERT_TRUE(SaveWaypoints(temp.Path(), old));
  ASSERT_EQ(chmod(temp.Path(), 0500), 0);
  EXPECT_FALSE(SaveWaypoints(temp.Path(), Decoded(PatternBytes(9))));
  ASSERT_EQ(chmod(temp.Path(), 0700), 0);
  EXPECT_EQ(ReadAll(temp.File("wp.dat")), TableBytes(old));
  EXPECT_EQ(temp.Entries().size(), 1u);
}

TEST(WaypointFile, ReadOnlyFileIsNotReplaced) {
  if (!files::PermissionsBind()) GTEST_SKIP() << "permissions do not bind the superuser";
  TempFolder temp;
  const WaypointTable old = Decoded(PatternBytes(3));
  ASSERT_TRUE(SaveWaypoints(temp.Path(), old));
  ASSERT_EQ(chmod(temp.File("wp.dat").c_str(), 0444), 0);
  EXPECT_FALSE(SaveWaypoints(temp.Path(), Decoded(PatternBytes(9))));
  EXPECT_EQ(ReadAll(temp.File("wp.dat")), TableBytes(old));
}

TEST(WaypointFile, ReplacedFileKeepsItsPermissions) {
  TempFolder temp;
  ASSERT_TRUE(SaveWaypoints(temp.Path(), Decoded(PatternBytes(3))));
  struct stat st;
  ASSERT_EQ(stat(temp.File("wp.dat").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  ASSERT_EQ(chmod(temp.File("wp.dat").c_str(), 0600), 0);
  ASSERT_TRUE(SaveWaypoints(temp.Path(), Decoded(PatternBytes(4))));
  ASSERT_EQ(stat(temp.File("wp.dat").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

// A disk that fills up part way: the old file stays whole and no temporary
// file is left behind, wherever the write stops.
TEST(WaypointFile, WriteFailingPartWayLeavesTheOldFileWhole) {
  TempFolder temp;
  const WaypointTable old = Decoded(PatternBytes(3));
  ASSERT_TRUE(SaveWaypoints(temp.Path(), old));
  for (long limit : {0L, 1L, 56L, 1400L, 2799L}) {
    WriteLimit fault(limit);
    EXPECT_FALSE(SaveWaypoints(temp.Path(), Decoded(PatternBytes(9)))) << limit;
    EXPECT_EQ(ReadAll(temp.File("wp.dat")), TableBytes(old)) << limit;
    EXPECT_EQ(temp.Entries().size(), 1u) << limit;
  }
  {
    WriteLimit roomy(2800);
    EXPECT_TRUE(SaveWaypoints(temp.Path(), Decoded(PatternBytes(9))));
  }
  EXPECT_EQ(ReadAll(temp.File("wp.dat")), PatternBytes(9));
}

TEST(JoinPath, JoinsWithOneSlashAndChecksTheRoom) {
  char out[16];
  ASSERT_TRUE(JoinPath(out, sizeof out, "/a/b", "wp.dat"));
  EXPECT_STREQ(out, "/a/b/wp.dat");
  ASSERT_TRUE(JoinPath(out, sizeof out, "/a/b/", "wp.dat"));
  EXPECT_STREQ(out, "/a/b/wp.dat");
  ASSERT_TRUE(JoinPath(out, sizeof out, "", "wp.dat"));
  EXPECT_STREQ(out, "wp.dat");
  EXPECT_TRUE(JoinPath(out, sizeof out, "/abcdefg", "wp.dat"));  // 15 characters
  EXPECT_FALSE(JoinPath(out, sizeof out, "/abcdefgh", "wp.dat"));
}

}  // namespace
}  // namespace trelvan
