#pragma once

#include <string>

// The texts of --help and of a command-line error.

namespace trelvan::calc {

// The full help: modes, options, formats, every operation with its fields
// and an example computed by the calculator itself, and the datum list.
std::string HelpText();

// The short usage printed after a command-line error.
std::string UsageText();

}  // namespace trelvan::calc
