#include "tools/calc/CommandLine.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

#include "app/programs/Program.h"
#include "tools/calc/Batch.h"
#include "tools/calc/Help.h"
#include "tools/calc/Options.h"

namespace trelvan::calc {

namespace {

constexpr int kStatusUsage = 2;
constexpr std::string_view kName = "trelvan-calc";

}  // namespace

CalendarDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int RunCommandLine(int argc, const char* const argv[], const CalendarDate& today) {
  Options options;
  std::string problem;
  switch (ParseArguments(argc, argv, today, options, problem)) {
    case Command::kHelp:
      return program::Print(HelpText(), kName, "help");
    case Command::kVersion:
      return program::Print(program::VersionLine(kName), kName, "version");
    case Command::kUsage:
      std::fprintf(stderr, "trelvan-calc: %s\n%s", problem.c_str(), UsageText().c_str());
      return kStatusUsage;
    case Command::kRun:
      break;
  }
  return RunBatch(options, STDIN_FILENO, STDOUT_FILENO);
}

}  // namespace trelvan::calc
