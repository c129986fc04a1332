#pragma once

#include <filesystem>
#include <string>

namespace lotwise::testing {

// A fresh folder under the system's temporary folder for one test, removed with
// everything in it afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Reads a whole file as bytes; empty when it does not exist.
std::string ReadFile(const std::filesystem::path& file);
// Writes bytes to a file, replacing it.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace lotwise::testing
