#include "store/WaypointFile.h"

#include <bit>
#include <cstring>
#include <limits>

#include "store/SafeFile.h"

namespace trelvan {

// The file is the table's memory image: little-endian numbers and IEEE 754
// doubles, as on the machines that wrote the first files.
static_assert(std::endian::native == std::endian::little,
              "the waypoint file is read and written as a little-endian memory image");
static_assert(std::numeric_limits<double>::is_iec559);
static_assert(sizeof(WaypointTable) == kWaypointFileSize);

void DecodeWaypoints(const unsigned char* bytes, std::size_t size, WaypointTable& table) {
  // What the input does not reach stays free and zero; every byte it does
  // reach is kept, so that a save writes it back unchanged.
  table.fill(Waypoint{});
  const std::size_t used = size < kWaypointFileSize ? size : kWaypointFileSize;
  if (used > 0) std::memcpy(static_cast<void*>(table.data()), bytes, used);
}

LoadResult LoadWaypoints(const char* folder, WaypointTable& table) {
  unsigned char bytes[kWaypointFileSize];
  std::size_t size = 0;
  switch (ReadFileStart(folder, kWaypointFileName, bytes, sizeof bytes, size)) {
    case ReadOutcome::kRead:
      DecodeWaypoints(bytes, size, table);
      return LoadResult::kRead;
    case ReadOutcome::kMissing:
      MakeDefaultTable(table);
      if (SaveWaypoints(folder, table)) return LoadResult::kCreated;
      return LoadResult::kCannotCreate;
    case ReadOutcome::kUnreadable:
      break;
  }
  MakeDefaultTable(table);
  return LoadResult::kCannotCreate;
}

bool SaveWaypoints(const char* folder, const WaypointTable& table) {
  return EnsureFolder(folder) &&
         ReplaceFile(folder, kWaypointFileName, table.data(), sizeof table);
}

}  // namespace trelvan
