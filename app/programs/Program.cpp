#include "app/programs/Program.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "trelvan/Version.h"

namespace trelvan::program {

Request HelpOrVersion(std::span<const std::string_view> args) {
  bool version = false;
  for (const std::string_view arg : args) {
    if (arg == "--help" || arg == "-h") return Request::kHelp;
    version = version || arg == "--version";
  }
  return version ? Request::kVersion : Request::kRun;
}

Request HelpOrVersion(int argc, const char* const argv[]) {
  const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + argc);
  return HelpOrVersion(args);
}

std::string VersionLine(std::string_view name) { return std::string(name) + " " + kVersion + "\n"; }

int Print(std::string_view text, std::string_view name, std::string_view what, int status) {
  const bool written =
      std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
  if (written) return status;
  const int error = errno;
  std::fprintf(stderr, "%.*s: cannot write the %.*s: %s\n", static_cast<int>(name.size()),
               name.data(), static_cast<int>(what.size()), what.data(), std::strerror(error));
  return status == 0 ? 1 : status;
}

}  // namespace trelvan::program
