#pragma once

// What the program and trelvan-waypoints say when the data folder or a file
// in it cannot be had, for every outcome of store/FolderLock.h and of the
// safe saves: the one home of these words. The program shows its messages
// in a message box (and a refusal at start on standard error as well);
// trelvan-waypoints writes its own, each a line on standard error.

namespace trelvan::messages {

// The program's: a file of the data folder that cannot be made or written.
inline constexpr const char* kCannotCreateFile = "ERROR!\nCannot create file!..";
inline constexpr const char* kCannotWriteFile = "ERROR!\nCannot write to file!..";

// The program's, when the data folder is held by another TRELVAN, by an
// import of trelvan-waypoints or by something else, or cannot be locked
// (%1 the folder, %2 why).
inline constexpr const char* kAlreadyRunning = "TRELVAN is already running with this data folder.";
inline constexpr const char* kToolRunning =
    "trelvan-waypoints is importing into this data folder.\nTry again when it has finished.";
inline constexpr const char* kFolderHeld =
    "Another program holds a lock on this data folder.\nTry again when it has finished.";
inline constexpr const char* kCannotLockFolder = "ERROR!\nThe data folder %1 cannot be locked:\n%2";

// trelvan-waypoints', when the data folder is held by TRELVAN, by another
// import or by something else.
inline constexpr const char* kToolHeldByProgram =
    "TRELVAN is running with this data folder; close it first.";
inline constexpr const char* kToolHeldByTool =
    "Another trelvan-waypoints is importing into this data folder; try again when it has "
    "finished.";
inline constexpr const char* kToolHeldByOther =
    "Another program holds a lock on this data folder; try again when it has finished.";

// trelvan-waypoints', when the data folder cannot be locked or made: the
// folder, a colon and the reason follow.
inline constexpr const char* kToolCannotLockFolder = "cannot lock the data folder ";
inline constexpr const char* kToolCannotMakeFolder = "cannot make the data folder ";

}  // namespace trelvan::messages
