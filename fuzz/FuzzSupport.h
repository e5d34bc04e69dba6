#pragma once

// Helpers shared by the fuzzers: a property check that stops the run, and a
// scratch folder for the file round trips.

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace trelvan::fuzz {

// Ends the run with a crash report when a property does not hold, so that
// libFuzzer saves the input that broke it.
inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property failed: %s\n", what);
  std::abort();
}

// A folder of its own for one fuzzer process, preferably in memory (the
// saves sync every file), removed with its files when the process ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    struct stat st;
    const char* base = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : nullptr;
    if (base == nullptr) base = std::getenv("TMPDIR");
    if (base == nullptr || base[0] == '\0') base = "/tmp";
    path_ = std::string(base) + "/trelvan-fuzz-XXXXXX";
    Check(mkdtemp(path_.data()) != nullptr, "cannot make a scratch folder");
  }
  ~ScratchFolder() {
    for (const char* name : {"wp.dat", "conf.txt"}) unlink(File(name).c_str());
    rmdir(path_.c_str());
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const char* Path() const { return path_.c_str(); }
  std::string File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The whole content of a file, or an empty string when it cannot be read.
inline std::string ReadWhole(const std::string& path) {
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char block[4096];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0) bytes.append(block, n);
    std::fclose(f);
  }
  return bytes;
}

}  // namespace trelvan::fuzz
