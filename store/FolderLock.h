#pragma once

namespace trelvan {

// The name of the lock file in a data folder.
inline constexpr char kFolderLockName[] = "trelvan.lock";

// One program or tool writes a data folder at a time. The holder keeps an
// exclusive advisory lock (flock) on the file "trelvan.lock" in the folder;
// the kernel drops it when the holder ends in any way, a SIGKILL or a crash
// included, so a lock is never left behind by a dead program. The path is
// used as the bytes it is, whatever its encoding.
class FolderLock {
 public:
  enum class Outcome {
    kTaken,  // this object holds the folder now
    kHeld,   // another program holds it
    kFailed, // the lock file cannot be made or opened (a read-only folder)
  };

  FolderLock() = default;
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Tries once, without waiting, to take the lock of `folder`. Taking it again
  // while this object holds a lock releases the old one first.
  Outcome Take(const char* folder);
  // Gives the lock up; nothing when none is held.
  void Release();
  bool Holds() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace trelvan
