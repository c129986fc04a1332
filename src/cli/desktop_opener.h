#pragma once

#include <string>

namespace lotwise {

// Hands a file to the desktop's opener (xdg-open; open on macOS), without a window of its
// own or a display of the program's; gives what went wrong, nothing when it was handed over.
std::string OpenOnDesktop(const std::string& file);

}  // namespace lotwise
