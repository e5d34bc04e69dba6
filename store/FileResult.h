#pragma once

namespace trelvan {

// Outcome of loading one of the program's two files.
enum class LoadResult {
  kRead,          // the file existed and was read
  kCreated,       // the file was missing and has been created with defaults
  kCannotCreate,  // the file could not be read and could not be created
};

}  // namespace trelvan
