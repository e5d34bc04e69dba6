#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "store/WaypointFile.h"
#include "store/WaypointTable.h"

namespace trelvan::files {

// A fresh folder under the system's temporary folder, removed with all its
// content (permissions restored first) when the test ends.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trelvan-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const char* Path() const { return path_.c_str(); }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  // Names of everything in the folder, for spotting left-over files.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::string path_;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Permission bits do not stop the superuser, so tests of refused access
// only mean something for an ordinary user.
inline bool PermissionsBind() { return geteuid() != 0; }

// 2800 bytes that differ from record to record and fill every unused byte;
// the first `inUse` records are flagged, the others free. `seed` tells
// tables apart.
inline std::string PatternBytes(int inUse, int seed = 31) {
  std::string bytes(kWaypointFileSize, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * seed + 17);
  for (int r = 0; r < kWaypointCapacity; ++r) bytes[r * sizeof(Waypoint)] = r < inUse ? 1 : 0;
  return bytes;
}

// The bytes of a table as they lie in memory.
inline std::string TableBytes(const WaypointTable& table) {
  return std::string(reinterpret_cast<const char*>(table.data()), sizeof table);
}

// The table that `bytes` decode to.
inline WaypointTable Decoded(const std::string& bytes) {
  WaypointTable table;
  DecodeWaypoints(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), table);
  return table;
}

}  // namespace trelvan::files
