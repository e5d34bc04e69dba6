#pragma once

#include <cstddef>

#include "store/FileResult.h"
#include "store/WaypointTable.h"

namespace trelvan {

inline constexpr const char* kWaypointFileName = "wp.dat";
inline constexpr std::size_t kWaypointFileSize = 2800;

// Fills `table` from the first 2800 bytes of `bytes`; records a short input
// does not reach are free and all zero.
void DecodeWaypoints(const unsigned char* bytes, std::size_t size, WaypointTable& table);

// Reads at most 2800 bytes of "wp.dat" in `folder` (see DecodeWaypoints), or
// creates it (and the folder, when missing) with the default table and
// leaves that table in `table` when it does not exist. A file that exists
// but cannot be read is never overwritten: kCannotCreate, the default table
// in `table`, and the caller must not save over it.
LoadResult LoadWaypoints(const char* folder, WaypointTable& table);

// Replaces "wp.dat" in `folder` (made again when missing) with the 2800
// bytes of `table`. The old file
// stays whole unless the new one was written completely. False on failure.
bool SaveWaypoints(const char* folder, const WaypointTable& table);

}  // namespace trelvan
