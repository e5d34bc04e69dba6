#pragma once

// A fresh folder under the system's temporary folder for one test, removed
// with all its content when the test ends.

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

namespace trelvan::test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trelvan-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  // Permissions a test took away are given back first, so that everything
  // can be removed; no shell is involved, whatever the folder's name holds.
  ~TempFolder() {
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
      if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
      }
    }
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const char* Path() const { return path_.c_str(); }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  // Names of everything in the folder, for spotting left-over files.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::string path_;
};

}  // namespace trelvan::test
