#pragma once

#include <string>
#include <string_view>

#include "tools/calc/Options.h"

// One line of the batch calculator from input text to output text. A pure
// function of the options and the line: no I/O, no clock, no state.

namespace trelvan::calc {

enum class LineStatus {
  kSkipped,  // empty or blank line: nothing written
  kResult,   // a computed result, or a comment copied through
  kError,    // "ERROR: " and the reason
};

// Processes one input line given without its newline (a carriage return at
// its end is ignored) and appends the output line, without a newline, to
// `out`. A line beginning with '#' is copied as it stands.
LineStatus ProcessLine(const Options& options, std::string_view line, std::string& out);

}  // namespace trelvan::calc
