#include "app/CommandLine.h"

#include <string_view>

#include "app/programs/Program.h"

namespace trelvan {

namespace {

// Kept in the layout help2man reads: the usage, the options indented under
// it, then sections whose headings end with a colon.
constexpr std::string_view kHelp =
    "Usage: trelvan [OPTION]...\n"
    "TRELVAN, a field-survey calculator for the desktop. It keeps a small store of\n"
    "named positions (waypoints) and works out where a measured target lies\n"
    "(Forward 3D), what range, azimuth and elevation separate two waypoints\n"
    "(Inverse 3D), and where you stand from a known target (Back Polar Plot) or\n"
    "from two known waypoints (Resection 3D), on any of 125 map datums. The batch\n"
    "calculator trelvan-calc does the same for many points at once.\n"
    "\n"
    "  -h, --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Qt's own options, such as -platform NAME or -style NAME, are taken as well.\n"
    "\n"
    "Environment:\n"
    "  XDG_DATA_HOME    the user's data folder, when it is an absolute path\n"
    "  HOME             the home folder, for ~/.local/share otherwise\n"
    "  QT_QPA_PLATFORM  the kind of display (xcb, wayland), read by Qt\n"
    "  DISPLAY          the X display, read by Qt\n"
    "  WAYLAND_DISPLAY  the Wayland display, read by Qt\n"
    "\n"
    "Files:\n"
    "The settings are kept in conf.txt and the waypoints in wp.dat, both in the\n"
    "data folder $XDG_DATA_HOME/trelvan, by default ~/.local/share/trelvan. The\n"
    "folder is made when it is missing. SIGTERM, SIGINT and SIGHUP end the\n"
    "program as closing its window does, saving both files.\n"
    "\n"
    "Exit status:\n"
    "0 when the program was closed and both files saved; 1 when a save at the\n"
    "close failed, or the data folder is held by another TRELVAN or an import of\n"
    "trelvan-waypoints, or cannot be locked.\n";

constexpr std::string_view kName = "trelvan";

}  // namespace

int AnswerHelpOrVersion(int argc, const char* const argv[]) {
  switch (program::HelpOrVersion(argc, argv)) {
    case program::Request::kHelp:
      return program::Print(kHelp, kName, "help");
    case program::Request::kVersion:
      return program::Print(program::VersionLine(kName), kName, "version");
    case program::Request::kRun:
      break;
  }
  return -1;
}

}  // namespace trelvan
