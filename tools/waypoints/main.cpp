// trelvan-waypoints: the waypoint table of TRELVAN's data folder at the
// command line.
#include <QDateTime>
#include <cstdio>
#include <string>
#include <vector>

#include "store/DataFolder.h"
#include "tools/waypoints/Tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  trelvan::waypoints::ToolOutput io;
  int status = trelvan::waypoints::RunTool(args, trelvan::DataFolderPath(),
                                           QDateTime::currentDateTime(), io);
  std::fwrite(io.err.data(), 1, io.err.size(), stderr);
  const bool written = std::fwrite(io.out.data(), 1, io.out.size(), stdout) == io.out.size() &&
                       std::fflush(stdout) == 0;
  if (!written && status == trelvan::waypoints::kStatusDone) {
    status = trelvan::waypoints::kStatusIncomplete;
  }
  return status;
}
