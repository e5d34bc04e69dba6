#pragma once

#include <string>

namespace trelvan {

// The folder that holds "conf.txt" and "wp.dat": "trelvan" in the user's data
// folder, $XDG_DATA_HOME when that is an absolute path, else
// $HOME/.local/share (the home folder of the user database when HOME is
// unset). `xdgDataHome` and `home` are the two variables, nullptr when unset.
std::string DataFolderPath(const char* xdgDataHome, const char* home);

// DataFolderPath of the process's environment.
std::string DataFolderPath();

}  // namespace trelvan
