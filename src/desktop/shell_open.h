#pragma once

#include <functional>
#include <string>

#include "desktop/shell.h"

namespace lotwise {

// Hands `target` to the desktop with the operation "Open":
// - "mailto:" addresses and addresses with a scheme ("http://...") open with their handler;
// - a file that does not exist is left alone, without a message;
// - a program (a file named *.exe, or an executable file without a suffix) starts on
//   its own in `directory` (or in its own folder when `directory` is not the absolute
//   path of a folder, such as the placeholder "0"), with
//   `parameters` as its command line;
// - any other file opens with its default handler.
// Gives what could not be opened, as a message for the user (a missing file, no e-mail
// program, no handler); nothing when the target was handed over. A handler that fails
// after it was handed the target is told to `tellLater` with the same message.
std::string OpenWithShell(Shell& shell, const std::string& target, const std::string& parameters,
                          const std::string& directory,
                          std::function<void(const std::string& message)> tellLater = {});

}  // namespace lotwise
