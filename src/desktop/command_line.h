#pragma once

#include <string>

namespace lotwise {

// What the program's command line asks for. Qt takes its own options (-platform NAME,
// -style NAME, ...) out of the arguments when the application is made; the program itself
// knows only --help and --version.
enum class CommandLineRequest { kRun, kShowHelp, kShowVersion, kUnknownOption };

struct CommandLine {
  CommandLineRequest request = CommandLineRequest::kRun;
  std::string unknown;  // the first argument not understood (kUnknownOption)
};

// Reads argv[1] to argv[argc - 1]. --help (-h) and --version (-v) win wherever they stand,
// so that both are answered before the application, and with it a display, is needed.
CommandLine ReadCommandLine(int argc, const char* const* argv);

// The texts the command line is answered with.
std::string VersionText();
std::string HelpText();
std::string UnknownOptionText(const std::string& argument);

}  // namespace lotwise
