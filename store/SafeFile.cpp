#include "store/SafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>

namespace trelvan {
namespace {

constexpr std::size_t kPathCapacity = 4096;

// Links followed before a chain of links is taken for a loop, as the
// system itself does.
constexpr int kMaxLinks = 40;

// The random part of a temporary file's name, as mkostemp makes it.
constexpr std::size_t kRandomLength = 6;

// Bytes a ReplaceFile may write before it fails like a full disk; negative
// means no limit. Set only by fault tests.
long gWriteLimit = -1;

bool IsFolder(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder to open or sync: the current one for an empty folder.
const char* FolderOrCurrent(const char* folder) { return folder[0] == '\0' ? "." : folder; }

// Writes all of `size` bytes, going on after short writes and interrupted
// calls. The test limit cuts the data and turns the write into a failure.
bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
  std::size_t budget = size;
  if (gWriteLimit >= 0 && static_cast<unsigned long>(gWriteLimit) < size) {
    budget = static_cast<std::size_t>(gWriteLimit);
  }
  std::size_t done = 0;
  while (done < budget) {
    const ssize_t n = write(fd, data + done, budget - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;  // no progress: give up rather than spin
    done += static_cast<std::size_t>(n);
  }
  if (budget < size) {
    errno = ENOSPC;
    return false;
  }
  return true;
}

// Syncs the folder so that the rename itself survives a power cut.
void SyncFolder(const char* folder) {
  const int fd = open(FolderOrCurrent(folder), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Some file systems cannot sync a folder; the new file is in place by now
  // either way, so its content is not reported lost.
  fsync(fd);
  close(fd);
}

// Follows `path` in place through symbolic links to the file that opening
// it would reach, so that a save replaces that file and leaves the user's
// links as they are. A path at which nothing exists yet is where a new file
// goes. False for a loop, a link that cannot be read or a path too long.
bool FollowLinks(char (&path)[kPathCapacity]) {
  for (int links = 0; links < kMaxLinks; ++links) {
    struct stat st;
    if (lstat(path, &st) != 0) return errno == ENOENT;
    if (!S_ISLNK(st.st_mode)) return true;
    char link[kPathCapacity];
    const ssize_t n = readlink(path, link, sizeof link);
    if (n < 0) return false;
    if (n == 0 || static_cast<std::size_t>(n) >= sizeof link) {
      errno = ENAMETOOLONG;
      return false;
    }
    // A relative link starts from the folder that holds it.
    const char* slash = std::strrchr(path, '/');
    const std::size_t kept =
        link[0] == '/' || slash == nullptr ? 0 : static_cast<std::size_t>(slash - path) + 1;
    if (kept + static_cast<std::size_t>(n) >= sizeof path) {
      errno = ENAMETOOLONG;
      return false;
    }
    std::memcpy(path + kept, link, static_cast<std::size_t>(n));
    path[kept + static_cast<std::size_t>(n)] = '\0';
  }
  errno = ELOOP;
  return false;
}

// True when `entry` is a temporary file name that ReplaceFile makes for
// `name`: a dot, the name, a dot and six letters or digits.
bool IsTemporaryOf(const char* entry, const char* name, std::size_t nameLength) {
  if (entry[0] != '.' || std::strncmp(entry + 1, name, nameLength) != 0 ||
      entry[nameLength + 1] != '.') {
    return false;
  }
  const char* random = entry + nameLength + 2;
  for (std::size_t i = 0; i < kRandomLength; ++i) {
    const char c = random[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return random[kRandomLength] == '\0';
}

// Removes the temporary files of `name` that a save killed before its
// rename left in `folder`. A save still running holds a lock on its own
// temporary file, so only files that no save holds any more are removed.
void RemoveStaleTemporaries(const char* folder, const char* name) {
  const int dir = open(FolderOrCurrent(folder), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  const std::size_t nameLength = std::strlen(name);
  alignas(dirent64) char entries[4096];
  ssize_t filled;
  while ((filled = getdents64(dir, entries, sizeof entries)) > 0) {
    for (ssize_t at = 0; at < filled;) {
      const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
      at += entry->d_reclen;
      if (!IsTemporaryOf(entry->d_name, name, nameLength)) continue;
      const int fd = openat(dir, entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
      if (fd < 0) continue;
      struct stat st;
      if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
        unlinkat(dir, entry->d_name, 0);
      }
      close(fd);
    }
  }
  close(dir);
}

}  // namespace

bool JoinPath(char* out, std::size_t capacity, const char* folder, const char* name) {
  const std::size_t folderLength = std::strlen(folder);
  const bool needSlash = folderLength > 0 && folder[folderLength - 1] != '/';
  const int n = std::snprintf(out, capacity, "%s%s%s", folder, needSlash ? "/" : "", name);
  return n >= 0 && static_cast<std::size_t>(n) < capacity;
}

bool EnsureFolder(const char* folder) {
  if (folder[0] == '\0') return true;
  char path[kPathCapacity];
  const std::size_t length = std::strlen(folder);
  if (length >= sizeof path) return false;
  std::memcpy(path, folder, length + 1);
  // Each prefix that ends at a '/' is made in turn, then the whole path; a
  // prefix that already exists is fine as long as it is a folder.
  for (std::size_t i = 1; i <= length; ++i) {
    if (i < length && path[i] != '/') continue;
    const char kept = path[i];
    path[i] = '\0';
    if (mkdir(path, 0700) != 0 && !IsFolder(path)) return false;
    path[i] = kept;
  }
  return true;
}

ReadOutcome ReadFileStart(const char* folder, const char* name, void* data,
                          std::size_t capacity, std::size_t& size) {
  size = 0;
  char path[kPathCapacity];
  if (!JoinPath(path, sizeof path, folder, name)) return ReadOutcome::kUnreadable;
  // Non-blocking so that a pipe put in the file's place cannot hang the start.
  const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kUnreadable;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return ReadOutcome::kUnreadable;
  }
  auto* bytes = static_cast<unsigned char*>(data);
  while (size < capacity) {
    const ssize_t n = read(fd, bytes + size, capacity - size);
    if (n < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return ReadOutcome::kUnreadable;
    }
    if (n == 0) break;
    size += static_cast<std::size_t>(n);
  }
  close(fd);
  return ReadOutcome::kRead;
}

bool ReplaceFile(const char* folder, const char* name, const void* data, std::size_t size) {
  // The file to replace is the one a link in its place names; from here on
  // `folder` and `name` are that file's.
  char target[kPathCapacity];
  if (!JoinPath(target, sizeof target, folder, name)) {
    errno = ENAMETOOLONG;
    return false;
  }
  if (!FollowLinks(target)) return false;
  char targetFolder[kPathCapacity];
  const char* slash = std::strrchr(target, '/');
  const std::size_t folderLength = slash == nullptr  ? 0
                                   : slash == target ? 1
                                                     : static_cast<std::size_t>(slash - target);
  std::memcpy(targetFolder, target, folderLength);
  targetFolder[folderLength] = '\0';
  folder = targetFolder;
  name = slash == nullptr ? target : slash + 1;
  if (name[0] == '\0') {
    errno = EISDIR;
    return false;
  }

  // A hidden name beside the target, so that the rename stays inside one
  // file system and a left-over temporary file is easy to recognise.
  char temporaryName[kPathCapacity];
  char temporary[kPathCapacity];
  const int n = std::snprintf(temporaryName, sizeof temporaryName, ".%s.XXXXXX", name);
  if (n < 0 || static_cast<std::size_t>(n) >= sizeof temporaryName ||
      !JoinPath(temporary, sizeof temporary, folder, temporaryName)) {
    errno = ENAMETOOLONG;
    return false;
  }

  mode_t mode = 0644;
  struct stat st;
  if (stat(target, &st) == 0) {
    // Only a regular file is replaced: a device, a pipe or a folder in its
    // place stays what it is.
    if (!S_ISREG(st.st_mode)) {
      errno = S_ISDIR(st.st_mode) ? EISDIR : EEXIST;
      return false;
    }
    // A file the user has made read-only is not replaced behind their back.
    if (access(target, W_OK) != 0) return false;
    mode = st.st_mode & 07777;
  }

  RemoveStaleTemporaries(folder, name);
  const int fd = mkostemp(temporary, O_CLOEXEC);  // O_EXCL: never an existing file
  if (fd < 0) return false;
  // The lock, held until the file has its final name, tells the cleaning of
  // a save running at the same time that this file is in use; where locks
  // are not supported the save goes on without.
  flock(fd, LOCK_EX | LOCK_NB);
  bool ok = WriteAll(fd, static_cast<const unsigned char*>(data), size);
  ok = ok && fchmod(fd, mode) == 0;
  ok = ok && fsync(fd) == 0;
  ok = ok && rename(temporary, target) == 0;
  const int error = errno;
  if (!ok) unlink(temporary);
  // The data is on disk once fsync succeeded; a failing close loses nothing.
  close(fd);
  if (!ok) {
    errno = error;
    return false;
  }
  SyncFolder(folder);
  return true;
}

bool WriteIntoFile(const char* path, const void* data, std::size_t size) {
  // Non-blocking only to open: a pipe that nobody reads fails at once
  // instead of hanging; the writes then wait for the reader as usual.
  const int fd = open(path, O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  // A regular file that took the node's place since the caller looked is
  // left for the atomic replace: writing into it would leave it half old.
  struct stat st;
  bool ok = fstat(fd, &st) == 0;
  if (ok && S_ISREG(st.st_mode)) {
    errno = EEXIST;
    ok = false;
  }
  const int flags = ok ? fcntl(fd, F_GETFL) : -1;
  ok = ok && flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
  ok = ok && WriteAll(fd, static_cast<const unsigned char*>(data), size);
  int error = ok ? 0 : errno;
  // A device may report a failed write only when it is closed.
  if (close(fd) != 0 && error == 0) error = errno;
  errno = error;
  return error == 0;
}

void SetWriteLimitForTesting(long bytes) { gWriteLimit = bytes; }

}  // namespace trelvan
