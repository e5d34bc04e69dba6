#pragma once

// Bytes of files and tables for the file tests.

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "store/WaypointFile.h"
#include "store/WaypointTable.h"
#include "tests/support/TempFolder.h"

namespace trelvan::files {

using test::TempFolder;

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
