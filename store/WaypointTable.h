#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "geodesy/Datum.h"

namespace trelvan {

inline constexpr int kWaypointCapacity = 50;
inline constexpr int kNameField = 23;      // bytes of the name field
inline constexpr int kMaxNameLength = 22;  // characters before the zero byte

// One stored position, 56 bytes, exactly as it lies in the waypoint file.
// Names are bytes in Windows-1252.
struct Waypoint {
  std::uint8_t used;  // 0 = free, any other value = in use
  char name[kNameField];
  GeoPoint point;
};
static_assert(sizeof(Waypoint) == 56);
static_assert(offsetof(Waypoint, name) == 1);
static_assert(offsetof(Waypoint, point) == 24);

// The 50 records; those in use form an unbroken run from record 0 and every
// reader stops at the first free record.
using WaypointTable = std::array<Waypoint, kWaypointCapacity>;
static_assert(sizeof(WaypointTable) == 2800);

// Number of records in the run in use from record 0 (0..50).
int CountInUse(const WaypointTable& table);

// The stored name bytes, at most 22 even when the zero byte is missing.
std::string_view WaypointName(const Waypoint& w);

// Index of the first record of the run whose name equals `name` exactly
// (case-sensitive), or -1.
int FindByName(const WaypointTable& table, std::string_view name);

// Stores `name` (at most 22 bytes are kept) followed by a zero byte.
void SetName(Waypoint& w, std::string_view name);

// The first name "WP #" followed by a number n >= start that no record of
// the run bears, written with its zero byte into `out`.
void MakeFreeName(const WaypointTable& table, int start, char (&out)[kNameField]);

// A record index taken from the settings, kept inside the table: one outside
// 0..49 becomes 0.
int RecordIndex(std::int32_t index);

// Index of the first free record, or -1 when all 50 are in use.
int FirstFree(const WaypointTable& table);

// Deletes record `index` of the run: the records after it move down one
// place and the last record of the run is marked free (its other bytes stay).
// An index outside the run changes nothing.
void DeleteWaypoint(WaypointTable& table, int index);

// A set of records by index, as a list's selection names them.
using RecordSet = std::bitset<kWaypointCapacity>;

// Deletes the records of `doomed` that lie in the run, each as DeleteWaypoint
// deletes it, from the last to the first: the run stays unbroken from record
// 0, and the table's bytes are those one deletion after another leaves.
void DeleteWaypoints(WaypointTable& table, const RecordSet& doomed);

// Where record `index` of a run of `count` records lies once the records of
// `doomed` are deleted: its index less the deleted records before it, or -1
// when it is deleted itself. An index beyond the run names no waypoint and
// keeps its value.
int IndexAfterDeletion(int index, const RecordSet& doomed, int count);

// Whether p can be a place: latitude, longitude and height finite, the
// latitude within 90 degrees and the longitude within a turn beyond 180
// degrees either way. A record that fails this holds damaged bytes; they are
// kept but never shown or computed with as a position.
bool HoldsPosition(const GeoPoint& p);

// Marks every record free; all other bytes stay.
void DeleteAll(WaypointTable& table);

// The table of a first start: all bytes zero, record 0 in use as
// "DEFAULT WP" at latitude 0, longitude 0, height 0 on datum 0.
void MakeDefaultTable(WaypointTable& table);

}  // namespace trelvan
