#include "store/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "store/SafeFile.h"

namespace trelvan {

namespace {
constexpr unsigned kPathCapacity = 4096;
}  // namespace

FolderLock::~FolderLock() { Release(); }

FolderLock::Outcome FolderLock::Take(const char* folder) {
  Release();
  char path[kPathCapacity];
  if (!JoinPath(path, sizeof path, folder, kFolderLockName)) return Outcome::kFailed;
  // O_NONBLOCK: a fifo put in the lock's place must not hang the start.
  const int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
  if (fd < 0) return Outcome::kFailed;
  int result;
  do {
    result = flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    const bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? Outcome::kHeld : Outcome::kFailed;
  }
  fd_ = fd;
  return Outcome::kTaken;
}

void FolderLock::Release() {
  if (fd_ < 0) return;
  close(fd_);  // closing the only descriptor drops the lock
  fd_ = -1;
}

}  // namespace trelvan
