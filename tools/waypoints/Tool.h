#pragma once

#include <QDateTime>
#include <string>
#include <vector>

// trelvan-waypoints behind main(): the waypoint table of a data folder
// listed, exported and imported.

namespace trelvan::waypoints {

// What the tool writes to standard output and standard error.
struct ToolOutput {
  std::string out;
  std::string err;
};

// The tool's name, in its version line and before what it says on
// standard error.
inline constexpr char kToolName[] = "trelvan-waypoints";

inline constexpr int kStatusDone = 0;
inline constexpr int kStatusIncomplete = 1;  // something was skipped or failed
inline constexpr int kStatusUsage = 2;       // a wrong command line
inline constexpr int kStatusHeld = 3;        // TRELVAN or another import holds the data folder

// Runs the tool with `args` (the arguments after the program name) over the
// data folder `folder` (bytes); `now` is the export time. Returns the exit
// status. Writing the table honours the program's lock on the folder.
int RunTool(const std::vector<std::string>& args, const std::string& folder, const QDateTime& now,
            ToolOutput& io);

}  // namespace trelvan::waypoints
