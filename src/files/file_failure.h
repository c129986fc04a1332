#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace lotwise {

// The text of every file failure: what failed, the file's name and the system's reason,
// as in "Could not write Finalsearch.htm: No space left on device".
std::string FileFailure(std::string_view what, const std::filesystem::path& file,
                        std::error_code error);

// The same with a reason of the program's own ("the file no longer exists").
std::string FileFailure(std::string_view what, const std::filesystem::path& file,
                        std::string_view reason);

}  // namespace lotwise
