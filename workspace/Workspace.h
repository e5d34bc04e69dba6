#pragma once

#include <QObject>
#include <cstdint>
#include <future>
#include <string>
#include <string_view>

#include "exchange/WaypointName.h"
#include "geodesy/Datum.h"
#include "geometry/Polar.h"
#include "measures/AngleEntry.h"
#include "store/FileResult.h"
#include "store/FolderLock.h"
#include "store/Settings.h"
#include "store/WaypointTable.h"
#include "workspace/Declinations.h"

namespace trelvan {

// The task whose geometry a TaskResult holds.
enum class Task { kNone, kForward3D, kBackPolarPlot, kInverse3D, kResection3D };

// What the last task computed, kept for the views that draw it. Positions
// as the task used or found them (any datum), ranges in metres, angles in
// radians clockwise from true north.
struct TaskResult {
  Task task = Task::kNone;
  // Where the measurement was taken: the base of Forward 3D and Inverse 3D,
  // the station Back Polar Plot and Resection 3D found.
  GeoPoint station{};
  // What was measured: the target Forward 3D found, the known target of
  // Back Polar Plot, the target of Inverse 3D. Resection 3D has none.
  GeoPoint target{};
  // Forward 3D, Back Polar Plot and Inverse 3D: the vector from the station
  // to the target.
  PolarVector polar{};
  // Inverse 3D: the azimuth from the target to the station, measured in the
  // target's own frame.
  double backAzimuth = 0;
  // Forward 3D, Back Polar Plot and Inverse 3D: the north the user reads
  // the azimuths from (one of kReferenceCaptions) and the declinations that
  // refer them to it, as the task's form took them.
  std::string_view reference = kTrueNorth;
  Declinations declinations{};
  // Resection 3D: the two known waypoints and the horizontal distance from
  // the station to each (slant range times the cosine of the elevation).
  GeoPoint waypoints[2]{};
  double horizontalRanges[2]{};
};

// What RenameWaypoint made of a name.
struct RenameOutcome {
  enum Status {
    kRenamed,     // the record bears the name (perhaps it already did)
    kNoWaypoint,  // the index lies outside the run
    kEmptyName,
    kBadName,    // the name breaks the rule of names: `fault` says how
    kNameTaken,  // another waypoint of the run bears it
  };
  Status status;
  exchange::NameFault fault = exchange::NameFault::kNone;
};

// The program's state apart from any widget, over one data folder: the
// settings, the waypoint table and the last task's result, the folder's
// lock, the loading of "conf.txt" and "wp.dat" and their saving.
//
// Every change goes through a mutator, which changes the state, saves the
// files it changed at once (SaveChanges) and then tells every view what it
// changed (Changed). A save that fails keeps the data in memory, says so
// once (SaveFailed) and is tried again at the next change and at the close.
// The views, the main form among them, read the state through the getters.
class Workspace : public QObject {
  Q_OBJECT

 public:
  // What a change touched.
  enum Part : unsigned {
    kUnits = 1u << 0,         // angle unit, distance unit, map datum
    kBase = 1u << 1,          // the base waypoint
    kEditWaypoint = 1u << 2,  // the waypoint the Waypoints form opens on
    kInputMode = 1u << 3,     // the Waypoints form's input mode
    kTable = 1u << 4,         // the waypoint records
    kLastResult = 1u << 5,    // the last task's result, never saved
    kSettings = kUnits | kBase | kEditWaypoint | kInputMode,
  };
  Q_DECLARE_FLAGS(Parts, Part)

  // `dataFolder` holds "conf.txt" and "wp.dat"; it is used as the bytes it
  // is, whatever their encoding.
  explicit Workspace(std::string dataFolder, QObject* parent = nullptr);

  const std::string& DataFolder() const { return dataFolder_; }

  // Makes the data folder when it is missing and takes it for the program
  // (FolderLock) for as long as the workspace lives. Anything but kTaken
  // names who holds it, or (kFailed, LockError) why it cannot be locked.
  FolderLock::Outcome Lock();
  int LockError() const { return lock_.Error(); }

  // Reads both files, or creates those that are missing (and the folder).
  // A new waypoint file makes record 0 the base and the edit waypoint, and
  // indices outside the table become 0. False when a file can be neither
  // read nor created: the state is then not to be used, and that file is
  // never written. Nothing is saved; the views are told of everything.
  bool Load();
  // When a file is missing, begins Load's work on the files on a thread of
  // its own, so that the new file is flushed to disk while the caller builds
  // its windows; the next Load() waits for it and takes the outcome, exactly
  // as if it had done the work itself. Nothing in the workspace changes
  // before. With both files there Load() reads them itself.
  void StartLoading();

  const AppSettings& Settings() const { return settings_; }
  const WaypointTable& Waypoints() const { return waypoints_; }
  const TaskResult& LastResult() const { return lastResult_; }

  // The mutators. A record index for the settings is kept inside the table
  // (RecordIndex); the other codes are stored as given.
  void SetUnits(std::int32_t angleUnit, std::int32_t distanceUnit, std::int32_t datumIndex);
  void SetBase(std::int32_t record);
  void SetEditWaypoint(std::int32_t record);
  void SetInputMode(std::int32_t mode);
  // Record `index` (0..49; any other changes nothing) becomes `record`.
  void StoreWaypoint(int index, const Waypoint& record);
  // Stores p as a new waypoint in the first free record, named "WP #" with
  // the first number from the record's index that no waypoint of the run
  // bears (the name the free record held counts as borne), and makes it the
  // edit waypoint. False, with nothing changed or saved, when all 50
  // records are in use.
  bool StoreResult(const GeoPoint& p);
  // Gives record `index` of the run the name `name`, checked by the rule of
  // every door that names a waypoint (exchange::NameProblem), not empty, and
  // borne by no other waypoint of the run (exact bytes, as FindByName finds
  // names). Only the name field changes. A refusal changes and saves
  // nothing and tells no view.
  RenameOutcome RenameWaypoint(int index, const QString& name);
  // Deletes the records of `doomed` in the run at once (DeleteWaypoints,
  // store/WaypointTable.h). The base and the edit waypoint follow their
  // records to their new places (IndexAfterDeletion), or become record 0
  // when theirs is deleted.
  void DeleteWaypoints(const RecordSet& doomed);
  // DeleteWaypoint and DeleteAll of the table (store/WaypointTable.h); the
  // base and edit indices stay as they are.
  void DeleteWaypoint(int index);
  void DeleteAllWaypoints();
  // The whole table at once, as an import leaves it.
  void ReplaceWaypoints(const WaypointTable& table);
  // Not in any file: only the views are told.
  void SetLastResult(const TaskResult& result);

  // Writes each loaded file whose content in memory differs from what was
  // last written (or read) through the atomic save. One SaveFailed for the
  // call however many files failed; the differences stay, so the next call
  // tries again. False when a write failed.
  bool SaveChanges();
  // The save at the close: both loaded files, whatever they hold, and one
  // SaveFailed for each that could not be written.
  void SaveAtClose();
  // False once the save at the close failed for either file.
  bool ClosedSaved() const { return closedSaved_; }

 signals:
  // After every change, once its save was tried.
  void Changed(trelvan::Workspace::Parts parts);
  void SaveFailed();

 private:
  // What Load found in the files, or made of them.
  struct LoadedFiles {
    LoadResult settingsResult = LoadResult::kCannotCreate;
    AppSettings settings{};
    // Not read once the settings could not be: nothing more is made then.
    LoadResult waypointsResult = LoadResult::kCannotCreate;
    WaypointTable waypoints{};
  };
  static LoadedFiles LoadFiles(const std::string& dataFolder);

  // Saves the change and tells the views.
  void Commit(Parts parts);
  // Writes both files, or with `changedOnly` those that differ from what is
  // on disk; returns how many writes failed. A file that could not be read
  // at the start is not written either: what is on disk may still be the
  // user's data.
  int WriteFiles(bool changedOnly);

  std::string dataFolder_;
  FolderLock lock_;
  AppSettings settings_{};
  WaypointTable waypoints_{};
  TaskResult lastResult_{};
  bool settingsLoaded_ = false;
  bool waypointsLoaded_ = false;
  // What the files on disk hold as far as this program knows: what was read
  // or last written whole.
  AppSettings savedSettings_{};
  WaypointTable savedWaypoints_{};
  bool closedSaved_ = true;
  // The files' outcome while StartLoading's thread works on them.
  std::future<LoadedFiles> loading_;
};

}  // namespace trelvan

// Outside the namespace, where it does not hide the operators of Qt's own
// flags from the code inside it.
Q_DECLARE_OPERATORS_FOR_FLAGS(trelvan::Workspace::Parts)
