#pragma once

#include <cstddef>

namespace trelvan {

// Joins folder and name with a '/' into `out`; an empty folder gives the
// bare name (the current folder). False when the result does not fit.
bool JoinPath(char* out, std::size_t capacity, const char* folder, const char* name);

// Creates `folder` and any missing parents, private to the user (0700): they
// hold the user's own data. True when the folder exists afterwards; an empty
// folder is the current one. The one place where a data folder is made.
bool EnsureFolder(const char* folder);

// What became of reading the start of a file.
enum class ReadOutcome {
  kRead,        // a regular file was read
  kMissing,     // there is no such file (or no such folder)
  kUnreadable,  // it exists but is no regular file, may not be read, or a read failed
};

// Reads at most `capacity` bytes from the start of the regular file `name`
// in `folder` into `data` and sets `size` to the number of bytes read.
ReadOutcome ReadFileStart(const char* folder, const char* name, void* data,
                          std::size_t capacity, std::size_t& size);

// Replaces the file `name` in `folder` with `size` bytes of `data`: they go
// to a temporary file in the same folder, which is flushed, synced and then
// renamed over the old file. On any failure the temporary file is removed,
// the old file is left as it was, false is returned and errno says why.
// Only a regular file is ever replaced: a device, a pipe or a folder in its
// place is left alone (false), and so is a file that may not be written;
// otherwise the new file keeps the old one's permissions, and a new file
// gets 0644. Where a symbolic link stands in the file's place, the file it
// leads to is replaced in its own folder (made there when missing) and the
// link stays; a loop of links, or one into a missing folder, fails.
// Temporary files of `name` that a killed save left behind are removed
// first.
bool ReplaceFile(const char* folder, const char* name, const void* data, std::size_t size);

// Writes `size` bytes of `data` into the existing file at `path` that is no
// regular file (a character device, a pipe), as it stands: the node is
// never replaced. A pipe without a reader fails at once. False with errno
// set when the file cannot be opened or a write (or the close) fails.
bool WriteIntoFile(const char* path, const void* data, std::size_t size);

// For fault tests: from now on every ReplaceFile writes at most `bytes`
// bytes of its temporary file and then fails as a full disk would. A
// negative value (the default) removes the limit.
void SetWriteLimitForTesting(long bytes);

}  // namespace trelvan
