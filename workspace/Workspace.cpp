#include "workspace/Workspace.h"

#include <unistd.h>

#include <cstring>
#include <string_view>
#include <system_error>
#include <utility>

#include "store/SafeFile.h"
#include "store/WaypointFile.h"

namespace trelvan {

namespace {

bool SameBytes(const AppSettings& a, const AppSettings& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameBytes(const WaypointTable& a, const WaypointTable& b) {
  return std::memcmp(a.data(), b.data(), sizeof a) == 0;
}

}  // namespace

Workspace::Workspace(std::string dataFolder, QObject* parent)
    : QObject(parent), dataFolder_(std::move(dataFolder)) {}

FolderLock::Outcome Workspace::Lock() {
  EnsureFolder(dataFolder_.c_str());
  return lock_.Take(dataFolder_.c_str(), LockHolder::kProgram);
}

Workspace::LoadedFiles Workspace::LoadFiles(const std::string& dataFolder) {
  LoadedFiles files;
  files.settingsResult = LoadSettings(dataFolder.c_str(), files.settings);
  if (files.settingsResult != LoadResult::kCannotCreate) {
    files.waypointsResult = LoadWaypoints(dataFolder.c_str(), files.waypoints);
  }
  return files;
}

void Workspace::StartLoading() {
  // Reading the two small files takes no time; making one waits for the
  // disk, and only then is a thread worth what it costs to start.
  const auto present = [this](const char* name) {
    return access((dataFolder_ + '/' + name).c_str(), F_OK) == 0;
  };
  if (present(kSettingsFileName) && present(kWaypointFileName)) return;
  try {
    loading_ = std::async(std::launch::async, &Workspace::LoadFiles, dataFolder_);
  } catch (const std::system_error&) {
    // No thread to be had: Load() does the work itself.
  }
}

bool Workspace::Load() {
  const LoadedFiles files = loading_.valid() ? loading_.get() : LoadFiles(dataFolder_);
  settings_ = files.settings;
  if (files.settingsResult == LoadResult::kCannotCreate) return false;
  settingsLoaded_ = true;
  savedSettings_ = settings_;
  waypoints_ = files.waypoints;
  if (files.waypointsResult == LoadResult::kCannotCreate) return false;
  waypointsLoaded_ = true;
  savedWaypoints_ = waypoints_;
  if (files.waypointsResult == LoadResult::kCreated) {
    settings_.editWaypoint = 0;
    settings_.baseWaypoint = 0;
  }
  settings_.editWaypoint = RecordIndex(settings_.editWaypoint);
  settings_.baseWaypoint = RecordIndex(settings_.baseWaypoint);
  emit Changed(kSettings | kTable);
  return true;
}

void Workspace::SetUnits(std::int32_t angleUnit, std::int32_t distanceUnit,
                         std::int32_t datumIndex) {
  settings_.angleUnit = angleUnit;
  settings_.distanceUnit = distanceUnit;
  settings_.datumIndex = datumIndex;
  Commit(kUnits);
}

void Workspace::SetBase(std::int32_t record) {
  settings_.baseWaypoint = RecordIndex(record);
  Commit(kBase);
}

void Workspace::SetEditWaypoint(std::int32_t record) {
  settings_.editWaypoint = RecordIndex(record);
  Commit(kEditWaypoint);
}

void Workspace::SetInputMode(std::int32_t mode) {
  settings_.inputMode = mode;
  Commit(kInputMode);
}

void Workspace::StoreWaypoint(int index, const Waypoint& record) {
  if (index < 0 || index >= kWaypointCapacity) return;
  waypoints_[static_cast<std::size_t>(index)] = record;
  Commit(kTable);
}

bool Workspace::StoreResult(const GeoPoint& p) {
  const int slot = FirstFree(waypoints_);
  if (slot < 0) return false;
  Waypoint& record = waypoints_[static_cast<std::size_t>(slot)];
  record.used = 1;
  record.point = p;
  settings_.editWaypoint = slot;
  // The record is flagged before its name is chosen and still holds its old
  // name, so an old "WP #" name left in the free record is not reused.
  char name[kNameField];
  MakeFreeName(waypoints_, slot, name);
  SetName(record, name);
  Commit(kTable | kEditWaypoint);
  return true;
}

RenameOutcome Workspace::RenameWaypoint(int index, const QString& name) {
  if (index < 0 || index >= CountInUse(waypoints_)) return {RenameOutcome::kNoWaypoint};
  if (name.isEmpty()) return {RenameOutcome::kEmptyName};
  char bytes[kNameField];
  if (const exchange::NameFault fault = exchange::NameProblem(name, bytes);
      fault != exchange::NameFault::kNone) {
    return {RenameOutcome::kBadName, fault};
  }
  const int bearer = FindByName(waypoints_, std::string_view(bytes));
  if (bearer >= 0 && bearer != index) return {RenameOutcome::kNameTaken};
  SetName(waypoints_[static_cast<std::size_t>(index)], std::string_view(bytes));
  Commit(kTable);
  return {RenameOutcome::kRenamed};
}

void Workspace::DeleteWaypoints(const RecordSet& doomed) {
  const int count = CountInUse(waypoints_);
  Parts parts = kTable;
  // An index whose record goes names record 0 then; one that only moves
  // follows it.
  const auto follow = [&](std::int32_t& index, Part part) {
    const int after = IndexAfterDeletion(index, doomed, count);
    if (after == index) return;
    index = after < 0 ? 0 : after;
    parts |= part;
  };
  follow(settings_.baseWaypoint, kBase);
  follow(settings_.editWaypoint, kEditWaypoint);
  trelvan::DeleteWaypoints(waypoints_, doomed);
  Commit(parts);
}

void Workspace::DeleteWaypoint(int index) {
  trelvan::DeleteWaypoint(waypoints_, index);
  Commit(kTable);
}

void Workspace::DeleteAllWaypoints() {
  DeleteAll(waypoints_);
  Commit(kTable);
}

void Workspace::ReplaceWaypoints(const WaypointTable& table) {
  waypoints_ = table;
  Commit(kTable);
}

void Workspace::SetLastResult(const TaskResult& result) {
  lastResult_ = result;
  emit Changed(kLastResult);
}

void Workspace::Commit(Parts parts) {
  SaveChanges();
  emit Changed(parts);
}

bool Workspace::SaveChanges() {
  if (WriteFiles(true) == 0) return true;
  emit SaveFailed();
  return false;
}

void Workspace::SaveAtClose() {
  const int failed = WriteFiles(false);
  closedSaved_ = failed == 0;
  for (int i = 0; i < failed; ++i) emit SaveFailed();
}

int Workspace::WriteFiles(bool changedOnly) {
  const char* folder = dataFolder_.c_str();
  int failed = 0;
  if (settingsLoaded_ && !(changedOnly && SameBytes(settings_, savedSettings_))) {
    if (SaveSettings(folder, settings_)) {
      savedSettings_ = settings_;
    } else {
      ++failed;
    }
  }
  if (waypointsLoaded_ && !(changedOnly && SameBytes(waypoints_, savedWaypoints_))) {
    if (SaveWaypoints(folder, waypoints_)) {
      savedWaypoints_ = waypoints_;
    } else {
      ++failed;
    }
  }
  return failed;
}

}  // namespace trelvan
