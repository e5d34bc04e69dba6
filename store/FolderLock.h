#pragma once

namespace trelvan {

// Who takes a data folder: the desktop program or trelvan-waypoints.
enum class LockHolder { kProgram, kTool };

// One program or tool writes a data folder at a time. The holder keeps an
// exclusive advisory lock (flock) on the folder itself, through a
// descriptor of the directory: no file in the folder can be removed or
// replaced to lose it, and nothing is created to take it. The kernel drops
// it when the holder ends in any way, a SIGKILL or a crash included, so a
// lock is never left behind by a dead program.
//
// Beside it the holder keeps a shared lock on one byte of the same
// directory (an open file description lock) that stands for its kind, so
// that whoever is kept out can say who holds the folder. The path is used
// as the bytes it is, whatever its encoding.
class FolderLock {
 public:
  enum class Outcome {
    kTaken,          // this object holds the folder now
    kHeldByProgram,  // a running TRELVAN holds it
    kHeldByTool,     // a running trelvan-waypoints holds it
    kHeldByOther,    // something else holds a lock on the folder
    kFailed,         // the folder cannot be opened or locked; Error() says why
  };

  FolderLock() = default;
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Tries once, without waiting, to take the folder `folder` (which must
  // exist) as `holder`. Taking it again while this object holds a lock
  // releases the old one first.
  Outcome Take(const char* folder, LockHolder holder);
  // Gives the lock up; nothing when none is held.
  void Release();
  bool Holds() const { return fd_ >= 0; }
  // The errno of the last kFailed.
  int Error() const { return error_; }

 private:
  int fd_ = -1;
  int error_ = 0;
};

}  // namespace trelvan
