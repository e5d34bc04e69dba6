#pragma once

#include "tools/calc/Options.h"

// The input and output loop of the batch calculator.

namespace trelvan::calc {

// Longest input line in bytes, without its newline. A longer line gives the
// line "ERROR: line longer than 65536 bytes" and is skipped whole.
inline constexpr std::size_t kMaxLineBytes = 65536;

// Reads lines from file descriptor `input` until its end and writes one
// output line per non-empty input line to `output`, through ProcessLine.
// Input is read in large blocks and output gathered and written in large
// chunks; the output is also written out whenever a read returns less than
// a full block, so a person typing at a terminal sees each answer at once.
// A last line without a newline is processed like any other, a UTF-8
// byte-order mark at the start of the input is skipped, and the carriage
// return of a CR LF ending does not count towards kMaxLineBytes.
// Returns the exit status: 0 when every line gave a result, 1 when any line
// gave an error or reading or writing failed (reported on standard error).
int RunBatch(const Options& options, int input, int output);

}  // namespace trelvan::calc
