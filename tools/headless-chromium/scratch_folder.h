#pragma once

#include <filesystem>
#include <string>

namespace lotwise {

// A new folder under the system's temporary folder, removed with all it holds when this
// ends.
class ScratchFolder {
 public:
  // The folder's name begins with `prefix`. Throws std::system_error when it cannot be
  // made.
  explicit ScratchFolder(const std::string& prefix);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace lotwise
