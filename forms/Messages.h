#pragma once

#include "store/StoreMessages.h"

// The texts of the program's messages, each exactly as users have always
// seen it. Those about the data folder and its files are the store's
// (store/StoreMessages.h).

namespace trelvan::messages {

inline constexpr const char* kRange0To359 = "ERROR!\nThe value must be in between 0 to 359";
inline constexpr const char* kRange0To6399 = "ERROR!\nThe value must be in between 0 to 6399";
inline constexpr const char* kRange0To89 = "ERROR!\nThe value must be in between 0 to 89";
inline constexpr const char* kRange0To1599 = "ERROR!\nThe value must be in between 0 to 1599";
inline constexpr const char* kRange0To179 = "ERROR!\nThe value must be in between 0 to 179";
inline constexpr const char* kRange0To59 = "ERROR!\nThe value must be in between 0 to 59";
inline constexpr const char* kRange1To60 = "ERROR!\nThe value must be in between 1 to 60";
inline constexpr const char* kLessThan999999 = "ERROR!\nThe value must be less than 999999";

inline constexpr const char* kTwoDifferentWaypoints = "Error!\nTwo different waypoints must be chosen";
inline constexpr const char* kAngleCannotBeZero = "Error!\nAngle between waypoints cannot be 0";
inline constexpr const char* kCheckInputValues = "Error!\nCheck the input values...";

// Where the program refuses what would lose or corrupt data.
inline constexpr const char* kTableFull =
    "ERROR!\nAll 50 waypoints are in use.\nDelete a waypoint first.";
inline constexpr const char* kNoWaypoint = "ERROR!\nNo waypoint is chosen.";
inline constexpr const char* kChooseWaypoint1 = "ERROR!\nChoose waypoint 1.";
inline constexpr const char* kChooseWaypoint2 = "ERROR!\nChoose waypoint 2.";
inline constexpr const char* kNameOutsideCodePage =
    "ERROR!\nThe name holds a character that cannot be stored.";
inline constexpr const char* kNameControlCharacter = "ERROR!\nThe name holds a control character.";
inline constexpr const char* kNameTooLong = "ERROR!\nThe name is longer than 22 characters.";
inline constexpr const char* kNameEmpty = "ERROR!\nA waypoint needs a name.";
inline constexpr const char* kNameTaken = "ERROR!\nAnother waypoint is already named \"%1\".";

// The magnetic model's years, said once at start when the clock lies outside.
inline constexpr const char* kOutsideMagneticModel =
    "WARNING!\nThe magnetic model covers 1900 to 2030.\nMagnetic azimuths may be wrong by degrees.";

// Where the UTM grid ends: a typed grid position it cannot read back, and
// grid north at a point beyond its latitudes.
inline constexpr const char* kGridPositionOutsideZone =
    "ERROR!\nThe grid position lies outside its zone.";
inline constexpr const char* kGridNorthUndefined =
    "ERROR!\nGrid north is not defined beyond 84 N and 80 S.";

// Where a result would be reported that the input cannot have.
inline constexpr const char* kNoPositionFits = "Error!\nNo position fits these ranges.";

// Where nothing a user enters may be lost: the questions before a stored
// position is replaced or waypoints go (%1 its name, or the number of
// them), and a stored record whose position is damaged.
inline constexpr const char* kReplaceWaypoint = "Replace the position of waypoint \"%1\"?";
inline constexpr const char* kDeleteWaypoint = "Delete waypoint \"%1\"?";
inline constexpr const char* kDeleteAllWaypoints = "Delete all %1 waypoints?";
inline constexpr const char* kDeleteWaypoints = "Delete %1 waypoints?";
inline constexpr const char* kNoValidPosition = "ERROR!\nThe waypoint holds no valid position.";

// Waypoints in and out as GPX and CSV: the start of each summary; the
// counts, the file's own problem and the skipped rows follow.
inline constexpr const char* kImportTitle = "Import Waypoints";
inline constexpr const char* kExportTitle = "Export Waypoints";
inline constexpr const char* kImportSummary = "Waypoints imported from the file:";
inline constexpr const char* kImportFailed = "ERROR!\nThe file cannot be imported.";
inline constexpr const char* kExportSummary = "Waypoints exported:";
inline constexpr const char* kMoreSkipped = "... and %1 more skipped.";

// The plan's picture: the title of its file dialog.
inline constexpr const char* kExportPictureTitle = "Export Picture";

}  // namespace trelvan::messages
