#include "store/WaypointTable.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "geodesy/Angles.h"

namespace trelvan {

int CountInUse(const WaypointTable& table) {
  int n = 0;
  while (n < kWaypointCapacity && table[n].used != 0) ++n;
  return n;
}

std::string_view WaypointName(const Waypoint& w) {
  // A name read from a file may lack its zero byte: it never reaches past
  // the 22 characters a name can have.
  return std::string_view(w.name, strnlen(w.name, kMaxNameLength));
}

int FindByName(const WaypointTable& table, std::string_view name) {
  const int n = CountInUse(table);
  for (int i = 0; i < n; ++i) {
    if (WaypointName(table[i]) == name) return i;
  }
  return -1;
}

void SetName(Waypoint& w, std::string_view name) {
  const std::size_t length = name.size() < kMaxNameLength ? name.size() : kMaxNameLength;
  std::memset(w.name, 0, sizeof w.name);
  std::memcpy(w.name, name.data(), length);
}

void MakeFreeName(const WaypointTable& table, int start, char (&out)[kNameField]) {
  // At most 50 names are taken, so one of the first 51 numbers is free; the
  // number is formed in 64 bits so that no start value can overflow it.
  for (int k = 0; k <= kWaypointCapacity; ++k) {
    std::snprintf(out, sizeof out, "WP #%lld", static_cast<long long>(start) + k);
    if (FindByName(table, out) < 0) return;
  }
}

int RecordIndex(std::int32_t index) {
  return index >= 0 && index < kWaypointCapacity ? index : 0;
}

int FirstFree(const WaypointTable& table) {
  const int n = CountInUse(table);
  return n < kWaypointCapacity ? n : -1;
}

void DeleteWaypoint(WaypointTable& table, int index) {
  const int n = CountInUse(table);
  if (index < 0 || index >= n) return;
  // Whole records move down one place; the last record of the run keeps its
  // bytes and only loses its used flag.
  std::memmove(static_cast<void*>(&table[index]), &table[index + 1],
               sizeof(Waypoint) * static_cast<std::size_t>(n - 1 - index));
  table[n - 1].used = 0;
}

void DeleteWaypoints(WaypointTable& table, const RecordSet& doomed) {
  for (int i = CountInUse(table) - 1; i >= 0; --i) {
    if (doomed.test(static_cast<std::size_t>(i))) DeleteWaypoint(table, i);
  }
}

int IndexAfterDeletion(int index, const RecordSet& doomed, int count) {
  if (index < 0 || index >= count) return index;
  if (doomed.test(static_cast<std::size_t>(index))) return -1;
  int before = 0;
  for (int i = 0; i < index; ++i) before += doomed.test(static_cast<std::size_t>(i)) ? 1 : 0;
  return index - before;
}

bool HoldsPosition(const GeoPoint& p) {
  // Both limits lie a few units in the last place above the exact angle,
  // so that 90 and 540 degrees pass however they were computed.
  constexpr double kLongitudeLimit = 540 * kDegToRad;
  return std::isfinite(p.lat) && std::isfinite(p.lon) && std::isfinite(p.height) &&
         std::fabs(p.lat) <= kQuarterTurn && std::fabs(p.lon) <= kLongitudeLimit;
}

void DeleteAll(WaypointTable& table) {
  for (Waypoint& w : table) w.used = 0;
}

void MakeDefaultTable(WaypointTable& table) {
  table.fill(Waypoint{});
  table[0].used = 1;
  SetName(table[0], "DEFAULT WP");
}

}  // namespace trelvan
