#pragma once

#include <QString>

#include "store/WaypointTable.h"

namespace trelvan::exchange {

// A stored name as text: its Windows-1252 bytes decoded.
QString NameText(const Waypoint& waypoint);

// Why a name cannot be stored in the table as the Waypoints form stores it
// (at most 22 characters, each one of Windows-1252, no zero character), or
// nullptr; on success `out` holds the name bytes and zero bytes after them.
const char* NameProblem(const QString& name, char (&out)[kNameField]);

}  // namespace trelvan::exchange
