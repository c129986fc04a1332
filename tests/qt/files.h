#pragma once

#include <filesystem>
#include <string>

namespace lotwise::testing {

// Reads a whole file as bytes; empty when it does not exist.
std::string ReadFile(const std::filesystem::path& file);
// Writes bytes to a file, replacing it.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace lotwise::testing
