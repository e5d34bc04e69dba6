#include "store/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace trelvan {

namespace {

// The byte of the directory whose shared lock says who holds the folder.
off_t MarkByte(LockHolder holder) { return holder == LockHolder::kProgram ? 1 : 2; }

struct flock ByteRange(short type, LockHolder holder) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = MarkByte(holder);
  range.l_len = 1;
  return range;
}

// Whether another open description of the folder marks it as `holder`'s.
// A lock of this description's own is never reported by the query.
bool MarkedBy(int fd, LockHolder holder) {
  struct flock range = ByteRange(F_WRLCK, holder);
  return fcntl(fd, F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
}

}  // namespace

FolderLock::~FolderLock() { Release(); }

FolderLock::Outcome FolderLock::Take(const char* folder, LockHolder holder) {
  Release();
  const int fd = open(folder[0] == '\0' ? "." : folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    error_ = errno;
    return Outcome::kFailed;
  }
  // The mark comes first, so that whoever finds the folder held also finds
  // who holds it. It only names the holder: where the file system has no
  // such locks the folder is still taken, and its holder is "another".
  struct flock mark = ByteRange(F_RDLCK, holder);
  fcntl(fd, F_OFD_SETLK, &mark);
  int result;
  do {
    result = flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    const int error = errno;
    Outcome outcome = Outcome::kFailed;
    if (error != EWOULDBLOCK) {
      error_ = error;
    } else if (MarkedBy(fd, LockHolder::kProgram)) {
      outcome = Outcome::kHeldByProgram;
    } else if (MarkedBy(fd, LockHolder::kTool)) {
      outcome = Outcome::kHeldByTool;
    } else {
      outcome = Outcome::kHeldByOther;
    }
    close(fd);  // drops this description's mark with it
    return outcome;
  }
  fd_ = fd;
  return Outcome::kTaken;
}

void FolderLock::Release() {
  if (fd_ < 0) return;
  close(fd_);  // closing the only descriptor drops the lock and the mark
  fd_ = -1;
}

}  // namespace trelvan
