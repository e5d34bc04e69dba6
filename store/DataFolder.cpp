#include "store/DataFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace trelvan {

namespace {

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

}  // namespace

std::string DataFolderPath(const char* xdgDataHome, const char* home) {
  // A relative XDG_DATA_HOME is invalid and ignored, as the base directory
  // rules ask: it would put the files wherever the program was started.
  if (IsAbsolute(xdgDataHome)) return std::string(xdgDataHome) + "/trelvan";
  std::string base;
  if (home && home[0] != '\0') {
    base = home;
  } else if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) {
    base = user->pw_dir;
  }
  return base + "/.local/share/trelvan";
}

std::string DataFolderPath() {
  return DataFolderPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

}  // namespace trelvan
