#pragma once

#include <cstddef>

namespace trelvan {

// Joins folder and name with a '/' into `out`; false when it does not fit.
bool JoinPath(char* out, std::size_t capacity, const char* folder, const char* name);

// Replaces the file `name` in `folder` with `size` bytes of `data`: they go
// to a temporary file in the same folder, which is flushed, synced and then
// renamed over the old file. On any failure the temporary file is removed,
// the old file is left as it was and false is returned.
bool ReplaceFile(const char* folder, const char* name, const void* data, std::size_t size);

}  // namespace trelvan
