#include "store/WaypointTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace trelvan {
namespace {

// A table of `count` records in use named by `names`, every other byte of
// every record (free ones included) filled with a recognisable pattern.
WaypointTable MakeTable(std::initializer_list<const char*> names) {
  WaypointTable table;
  auto* bytes = reinterpret_cast<unsigned char*>(table.data());
  for (std::size_t i = 0; i < sizeof table; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);
  int index = 0;
  for (Waypoint& w : table) w.used = 0;
  for (const char* name : names) {
    table[index].used = 1;
    SetName(table[index], name);
    ++index;
  }
  return table;
}

// The 55 bytes of a record after its used flag.
const unsigned char* AfterFlag(const Waypoint& w) {
  return reinterpret_cast<const unsigned char*>(&w) + 1;
}

std::string FreeName(const WaypointTable& table, int start) {
  char name[kNameField];
  MakeFreeName(table, start, name);
  return name;
}

TEST(WaypointTable, RunInUseStopsAtTheFirstFreeRecord) {
  WaypointTable table = MakeTable({"A", "B", "C", "D", "E"});
  EXPECT_EQ(CountInUse(table), 5);
  table[3].used = 0;
  EXPECT_EQ(CountInUse(table), 3);
  EXPECT_EQ(FirstFree(table), 3);
  EXPECT_EQ(FindByName(table, "E"), -1);  // beyond the run
  for (Waypoint& w : table) w.used = 2;  // any non-zero flag is in use
  EXPECT_EQ(CountInUse(table), kWaypointCapacity);
  EXPECT_EQ(FirstFree(table), -1);
}

TEST(WaypointTable, NamesAreMatchedExactlyAndCaseSensitively) {
  const WaypointTable table = MakeTable({"Alpha", "alpha", "Alpha "});
  EXPECT_EQ(FindByName(table, "Alpha"), 0);
  EXPECT_EQ(FindByName(table, "alpha"), 1);
  EXPECT_EQ(FindByName(table, "Alpha "), 2);
  EXPECT_EQ(FindByName(table, "ALPHA"), -1);
  EXPECT_EQ(FindByName(table, ""), -1);
}

TEST(WaypointTable, NameWithoutZeroByteStopsAtItsField) {
  Waypoint w{};
  std::memset(w.name, 'x', sizeof w.name);
  w.point.lat = 1.0;
  EXPECT_EQ(WaypointName(w), std::string(kMaxNameLength, 'x'));
}

TEST(WaypointTable, SetNameKeeps22BytesAndClearsTheRestOfTheField) {
  Waypoint w{};
  std::memset(w.name, 'x', sizeof w.name);
  SetName(w, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(WaypointName(w), "ABCDEFGHIJKLMNOPQRSTUV");
  EXPECT_EQ(w.name[22], '\0');
  SetName(w, "ab");
  EXPECT_EQ(WaypointName(w), "ab");
  for (int i = 2; i < kNameField; ++i) EXPECT_EQ(w.name[i], '\0') << i;
}

TEST(WaypointTable, FreeNamesSkipTakenNumbers) {
  // The first free record is 2: its name is "WP #2".
  WaypointTable table = MakeTable({"DEFAULT WP", "WP #1"});
  table[2].used = 1;
  EXPECT_EQ(FreeName(table, 2), "WP #2");
  // ... and "WP #3" when "WP #2" is taken.
  table = MakeTable({"DEFAULT WP", "WP #2"});
  table[2].used = 1;
  EXPECT_EQ(FreeName(table, 2), "WP #3");
  // Record 3 is first free but "WP #3" is taken: "WP #4", or higher.
  table = MakeTable({"DEFAULT WP", "WP #3", "WP #4"});
  table[3].used = 1;
  EXPECT_EQ(FreeName(table, 3), "WP #5");
  // Names differ by case only: no clash.
  table = MakeTable({"wp #3", "DEFAULT WP"});
  EXPECT_EQ(FreeName(table, 3), "WP #3");
}

TEST(WaypointTable, FreeNameComparesTheOldNameOfTheNewRecord) {
  WaypointTable table = MakeTable({"DEFAULT WP", "A", "B"});
  SetName(table[3], "WP #3");  // left behind by a deletion
  table[3].used = 1;
  EXPECT_EQ(FreeName(table, 3), "WP #4");
}

TEST(WaypointTable, FreeNameIgnoresRecordsPastTheRun) {
  WaypointTable table = MakeTable({"DEFAULT WP"});
  SetName(table[5], "WP #1");
  EXPECT_EQ(FreeName(table, 1), "WP #1");
}

TEST(WaypointTable, DeletingMovesWholeRecordsDown) {
  WaypointTable table = MakeTable({"A", "B", "C"});
  table[1].point.lat = 0.25;
  table[2].point.lat = 0.5;
  const WaypointTable before = table;
  DeleteWaypoint(table, 0);
  EXPECT_EQ(CountInUse(table), 2);
  EXPECT_EQ(std::memcmp(&table[0], &before[1], sizeof(Waypoint)), 0);
  EXPECT_EQ(std::memcmp(&table[1], &before[2], sizeof(Waypoint)), 0);
  // The old last record keeps every byte but its flag.
  EXPECT_EQ(table[2].used, 0);
  EXPECT_EQ(std::memcmp(AfterFlag(table[2]), AfterFlag(before[2]), 55), 0);
  EXPECT_EQ(std::memcmp(&table[3], &before[3], sizeof(Waypoint) * 47), 0);
}

TEST(WaypointTable, DeletingOutsideTheRunChangesNothing) {
  WaypointTable table = MakeTable({"A", "B"});
  const WaypointTable before = table;
  for (int index : {-1, 2, 49, 50, 1000}) {
    DeleteWaypoint(table, index);
    EXPECT_EQ(std::memcmp(&table, &before, sizeof table), 0) << index;
  }
  DeleteWaypoint(table, 1);
  DeleteWaypoint(table, 0);
  EXPECT_EQ(CountInUse(table), 0);
}

// Any set of records deleted at once: the kept ones close up in their order,
// each where IndexAfterDeletion says, and records past the run are ignored.
TEST(WaypointTable, DeletingASetKeepsTheRestInOrderWhereTheIndexSays) {
  std::mt19937 random(25);
  for (int trial = 0; trial < 200; ++trial) {
    const int count = static_cast<int>(random() % (kWaypointCapacity + 1));
    WaypointTable table = MakeTable({});
    for (int i = 0; i < count; ++i) {
      table[i].used = 1;
      SetName(table[i], "R" + std::to_string(i));
    }
    RecordSet doomed;
    for (int i = 0; i < kWaypointCapacity; ++i) doomed[i] = random() % 3 == 0;
    const WaypointTable before = table;
    DeleteWaypoints(table, doomed);
    std::vector<std::string> kept;
    for (int i = 0; i < count; ++i) {
      const int after = IndexAfterDeletion(i, doomed, count);
      ASSERT_EQ(after < 0, doomed[i]);
      if (after >= 0) {
        EXPECT_EQ(after, static_cast<int>(kept.size()));
        EXPECT_EQ(std::memcmp(&table[after], &before[i], sizeof(Waypoint)), 0);
        kept.emplace_back(WaypointName(before[i]));
      }
    }
    EXPECT_EQ(CountInUse(table), static_cast<int>(kept.size()));
    EXPECT_EQ(IndexAfterDeletion(count, doomed, count), count);
  }
}

TEST(WaypointTable, DeleteAllClearsOnlyTheFlags) {
  WaypointTable table = MakeTable({"A", "B", "C"});
  const WaypointTable before = table;
  DeleteAll(table);
  EXPECT_EQ(CountInUse(table), 0);
  for (int i = 0; i < kWaypointCapacity; ++i) {
    EXPECT_EQ(table[i].used, 0);
    EXPECT_EQ(std::memcmp(AfterFlag(table[i]), AfterFlag(before[i]), 55), 0) << i;
  }
}

TEST(WaypointTable, DefaultTableHoldsOneZeroWaypoint) {
  WaypointTable table = MakeTable({"A", "B"});
  MakeDefaultTable(table);
  EXPECT_EQ(CountInUse(table), 1);
  EXPECT_EQ(table[0].used, 1);
  EXPECT_EQ(WaypointName(table[0]), "DEFAULT WP");
  Waypoint expected0{};
  expected0.used = 1;
  std::memcpy(expected0.name, "DEFAULT WP", 10);
  EXPECT_EQ(std::memcmp(&table[0], &expected0, sizeof(Waypoint)), 0);
  const Waypoint zero{};
  for (int i = 1; i < kWaypointCapacity; ++i) {
    EXPECT_EQ(std::memcmp(&table[i], &zero, sizeof(Waypoint)), 0) << i;
  }
}

}  // namespace
}  // namespace trelvan
