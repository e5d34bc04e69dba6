#pragma once

#include <QString>

#include "store/WaypointTable.h"

namespace trelvan::exchange {

// A stored name as text: its Windows-1252 bytes decoded.
QString NameText(const Waypoint& waypoint);

// Why a text cannot be stored as a waypoint's name.
enum class NameFault {
  kNone,
  kTooLong,           // more than 22 characters
  kOutsideCodePage,   // a character Windows-1252 does not have
  kControlCharacter,  // U+0000..U+001F or U+007F..U+009F
};

// The reason a report gives for `fault` ("the name holds a control
// character"); nullptr for kNone.
const char* NameFaultText(NameFault fault);

// The bytes of `name` as the table holds them, without judging what the
// characters are beyond the code page: at most 22 characters, each one of
// Windows-1252, no zero character. On kNone `out` holds the name bytes and
// zero bytes after them. For finding a stored name, whatever it holds.
NameFault EncodeName(const QString& name, char (&out)[kNameField]);

// Whether `name` may be stored as a new name, the one rule of every door
// that names a waypoint (the Waypoints form, GPX and CSV imports): as
// EncodeName, and no control character, so that a name is text that
// prints as itself and never a command to a terminal or a line break in a
// file.
NameFault NameProblem(const QString& name, char (&out)[kNameField]);

// `text` with each control character written as \xHH, so that a name read
// from a file can be shown in a terminal or a report line as it is.
QString PrintableName(const QString& text);

}  // namespace trelvan::exchange
