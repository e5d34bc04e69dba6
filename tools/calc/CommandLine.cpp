#include "tools/calc/CommandLine.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "tools/calc/Batch.h"
#include "tools/calc/Help.h"
#include "tools/calc/Options.h"
#include "trelvan/Version.h"

namespace trelvan::calc {

namespace {

constexpr int kStatusUsage = 2;

// Writes `text` to standard output; status 0, or 1 with a word on standard
// error when it could not be written (a full disk, a closed pipe).
int Print(const std::string& text, const char* what) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
                       std::fflush(stdout) == 0;
  if (written) return 0;
  std::fprintf(stderr, "trelvan-calc: cannot write the %s: %s\n", what, std::strerror(errno));
  return 1;
}

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
      return Print(HelpText(), "help");
    case Command::kVersion:
      return Print(std::string("trelvan-calc ") + kVersion + "\n", "version");
    case Command::kUsage:
      std::fprintf(stderr, "trelvan-calc: %s\n%s", problem.c_str(), UsageText().c_str());
      return kStatusUsage;
    case Command::kRun:
      break;
  }
  return RunBatch(options, STDIN_FILENO, STDOUT_FILENO);
}

}  // namespace trelvan::calc
