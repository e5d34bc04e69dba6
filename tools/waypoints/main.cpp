// trelvan-waypoints: the waypoint table of TRELVAN's data folder at the
// command line.
#include <QDateTime>
#include <cstdio>
#include <string>
#include <vector>

#include "app/programs/Program.h"
#include "store/DataFolder.h"
#include "tools/waypoints/Tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  trelvan::waypoints::ToolOutput io;
  const int status = trelvan::waypoints::RunTool(args, trelvan::DataFolderPath(),
                                                 QDateTime::currentDateTime(), io);
  std::fwrite(io.err.data(), 1, io.err.size(), stderr);
  return trelvan::program::Print(io.out, trelvan::waypoints::kToolName, "output", status);
}
