#pragma once

#include "magnetic/Calendar.h"

// The whole batch calculator behind main().

namespace trelvan::calc {

// Today's date on the local clock.
CalendarDate LocalToday();

// Runs the calculator on the command line `argv` with `today` as the
// default date: --help or --version to standard output (status 0), a
// command-line error with the usage to standard error (status 2), else
// standard input to standard output through RunBatch (status 0 or 1).
int RunCommandLine(int argc, const char* const argv[], const CalendarDate& today);

}  // namespace trelvan::calc
