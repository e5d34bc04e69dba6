#include "store/FolderLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FileBytes.h"

namespace trelvan::files {
namespace {

using Outcome = FolderLock::Outcome;

// A child process that takes the lock, tells the parent through a pipe and
// then waits to be killed.
pid_t HoldInChild(const char* folder) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    FolderLock lock;
    const char taken = lock.Take(folder) == Outcome::kTaken ? 1 : 0;
    (void)!write(ready[1], &taken, 1);
    for (;;) pause();
  }
  char taken = 0;
  (void)!read(ready[0], &taken, 1);
  close(ready[0]);
  close(ready[1]);
  return taken ? child : -1;
}

TEST(FolderLock, OneHolderAtATimeAndFreeAgainOnRelease) {
  TempFolder temp;
  FolderLock first, second;
  EXPECT_EQ(first.Take(temp.Path()), Outcome::kTaken);
  EXPECT_EQ(second.Take(temp.Path()), Outcome::kHeld);
  EXPECT_FALSE(second.Holds());
  first.Release();
  EXPECT_EQ(second.Take(temp.Path()), Outcome::kTaken);
}

TEST(FolderLock, AProgramKilledWhileHoldingLeavesNoLockBehind) {
  TempFolder temp;
  const pid_t child = HoldInChild(temp.Path());
  ASSERT_GT(child, 0);
  FolderLock lock;
  EXPECT_EQ(lock.Take(temp.Path()), Outcome::kHeld);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(lock.Take(temp.Path()), Outcome::kTaken);
}

TEST(FolderLock, AFolderWithoutTheLockFileAndNoWayToMakeItFails) {
  TempFolder temp;
  FolderLock lock;
  EXPECT_EQ(lock.Take(temp.File("missing").c_str()), Outcome::kFailed);
  if (!PermissionsBind()) GTEST_SKIP() << "the superuser writes any folder";
  ASSERT_EQ(chmod(temp.Path(), 0500), 0);
  EXPECT_EQ(lock.Take(temp.Path()), Outcome::kFailed);
}

}  // namespace
}  // namespace trelvan::files
