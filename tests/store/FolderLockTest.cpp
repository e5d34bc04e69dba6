#include "store/FolderLock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "FileBytes.h"

namespace trelvan::files {
namespace {

using Outcome = FolderLock::Outcome;

// A child process that takes the lock as `holder`, tells the parent through
// a pipe and then waits to be killed.
pid_t HoldInChild(const char* folder, LockHolder holder) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    FolderLock lock;
    const char taken = lock.Take(folder, holder) == Outcome::kTaken ? 1 : 0;
    (void)!write(ready[1], &taken, 1);
    for (;;) pause();
  }
  char taken = 0;
  (void)!read(ready[0], &taken, 1);
  close(ready[0]);
  close(ready[1]);
  return taken ? child : -1;
}

TEST(FolderLock, OneHolderAtATimeAndWhoeverIsKeptOutLearnsWhoHoldsIt) {
  TempFolder temp;
  FolderLock program, tool, other;
  EXPECT_EQ(program.Take(temp.Path(), LockHolder::kProgram), Outcome::kTaken);
  EXPECT_EQ(tool.Take(temp.Path(), LockHolder::kTool), Outcome::kHeldByProgram);
  // A second try is no different: the first one left no mark of its own.
  EXPECT_EQ(tool.Take(temp.Path(), LockHolder::kTool), Outcome::kHeldByProgram);
  EXPECT_EQ(other.Take(temp.Path(), LockHolder::kProgram), Outcome::kHeldByProgram);
  EXPECT_FALSE(tool.Holds());
  program.Release();
  EXPECT_EQ(tool.Take(temp.Path(), LockHolder::kTool), Outcome::kTaken);
  EXPECT_EQ(program.Take(temp.Path(), LockHolder::kProgram), Outcome::kHeldByTool);
  EXPECT_EQ(other.Take(temp.Path(), LockHolder::kTool), Outcome::kHeldByTool);
  tool.Release();

  // A lock on the folder that is none of ours names no holder.
  const int fd = open(temp.Path(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  EXPECT_EQ(program.Take(temp.Path(), LockHolder::kProgram), Outcome::kHeldByOther);
  close(fd);
  EXPECT_EQ(program.Take(temp.Path(), LockHolder::kProgram), Outcome::kTaken);
}

TEST(FolderLock, NoFileInTheFolderCanBeRemovedOrPutThereToLoseIt) {
  TempFolder temp;
  FolderLock holder;
  ASSERT_EQ(holder.Take(temp.Path(), LockHolder::kProgram), Outcome::kTaken);
  // Taking creates nothing, and what stands in the folder does not matter.
  EXPECT_TRUE(temp.Entries().empty());
  ASSERT_EQ(mkdir(temp.File("trelvan.lock").c_str(), 0700), 0);
  WriteAll(temp.File("wp.dat"), "x");
  FolderLock second;
  EXPECT_EQ(second.Take(temp.Path(), LockHolder::kTool), Outcome::kHeldByProgram);
  ASSERT_EQ(rmdir(temp.File("trelvan.lock").c_str()), 0);
  ASSERT_EQ(unlink(temp.File("wp.dat").c_str()), 0);
  EXPECT_EQ(second.Take(temp.Path(), LockHolder::kTool), Outcome::kHeldByProgram);
}

TEST(FolderLock, AProgramKilledWhileHoldingLeavesNoLockBehind) {
  TempFolder temp;
  const pid_t child = HoldInChild(temp.Path(), LockHolder::kTool);
  ASSERT_GT(child, 0);
  FolderLock lock;
  EXPECT_EQ(lock.Take(temp.Path(), LockHolder::kProgram), Outcome::kHeldByTool);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(lock.Take(temp.Path(), LockHolder::kProgram), Outcome::kTaken);
}

TEST(FolderLock, AFolderThatIsMissingOrNoFolderFailsWithTheReason) {
  TempFolder temp;
  FolderLock lock;
  EXPECT_EQ(lock.Take(temp.File("missing").c_str(), LockHolder::kProgram), Outcome::kFailed);
  EXPECT_EQ(lock.Error(), ENOENT);
  WriteAll(temp.File("file"), "not a folder");
  EXPECT_EQ(lock.Take(temp.File("file").c_str(), LockHolder::kProgram), Outcome::kFailed);
  EXPECT_EQ(lock.Error(), ENOTDIR);
  EXPECT_FALSE(lock.Holds());
}

}  // namespace
}  // namespace trelvan::files
