#include "measures/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>

namespace trelvan {
namespace {

constexpr std::size_t kPathCapacity = 4096;

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
    if (mkdir(path, 0755) != 0 && !IsFolder(path)) return false;
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
  char target[kPathCapacity];
  char temporary[kPathCapacity];
  if (!JoinPath(target, sizeof target, folder, name)) return false;
  // A hidden name beside the target, so that the rename stays inside one
  // file system and a left-over temporary file is easy to recognise.
  char temporaryName[kPathCapacity];
  const int n = std::snprintf(temporaryName, sizeof temporaryName, ".%s.XXXXXX", name);
  if (n < 0 || static_cast<std::size_t>(n) >= sizeof temporaryName) return false;
  if (!JoinPath(temporary, sizeof temporary, folder, temporaryName)) return false;

  mode_t mode = 0644;
  struct stat st;
  if (stat(target, &st) == 0) {
    // A file the user has made read-only is not replaced behind their back.
    if (S_ISREG(st.st_mode) && access(target, W_OK) != 0) return false;
    if (S_ISREG(st.st_mode)) mode = st.st_mode & 07777;
  }

  const int fd = mkstemp(temporary);  // O_EXCL: never an existing file
  if (fd < 0) return false;
  bool ok = WriteAll(fd, static_cast<const unsigned char*>(data), size);
  ok = ok && fchmod(fd, mode) == 0;
  ok = ok && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && rename(temporary, target) == 0;
  if (!ok) {
    unlink(temporary);
    return false;
  }
  SyncFolder(folder);
  return true;
}

void SetWriteLimitForTesting(long bytes) { gWriteLimit = bytes; }

}  // namespace trelvan
