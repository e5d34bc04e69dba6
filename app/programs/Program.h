#pragma once

#include <span>
#include <string>
#include <string_view>

// What the three programs (trelvan, trelvan-calc and trelvan-waypoints)
// share at their command line and on standard output.

namespace trelvan::program {

// What a command line asks for before anything else is read.
enum class Request {
  kRun,      // neither --help nor --version: the program runs
  kHelp,     // --help or -h: the help on standard output, exit 0
  kVersion,  // --version: the version line on standard output, exit 0
};

// The request of `args`, the arguments after the program's name. --help (or
// -h) anywhere wins, then --version; only the whole word counts, and what
// else the line holds, right or wrong, is not read.
Request HelpOrVersion(std::span<const std::string_view> args);
// The same for the command line of main(), its name in argv[0].
Request HelpOrVersion(int argc, const char* const argv[]);

// The line of --version, "NAME VERSION" and a newline.
std::string VersionLine(std::string_view name);

// Writes `text` to standard output and flushes it. Returns `status` when
// all of it was written. Otherwise says why on standard error, as "NAME:
// cannot write the WHAT: reason", and returns 1, or `status` when that
// already says that something failed.
int Print(std::string_view text, std::string_view name, std::string_view what, int status = 0);

}  // namespace trelvan::program
