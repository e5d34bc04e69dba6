#pragma once

namespace trelvan {

// Answers --help (or -h) and --version on standard output before anything of
// Qt starts, so that both work in a terminal without a display. Returns the
// exit status (0, or 1 when standard output could not be written), or -1
// when the command line asks for neither and the program should start.
// --help wins over --version, as in the other programs
// (app/programs/Program.h).
int AnswerHelpOrVersion(int argc, const char* const argv[]);

}  // namespace trelvan
