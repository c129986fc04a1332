#include "desktop/command_line.h"

#include <string_view>

#include "app/config.h"

namespace lotwise {

CommandLine ReadCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") return {CommandLineRequest::kShowHelp, {}};
    if (argument == "--version" || argument == "-v") {
      return {CommandLineRequest::kShowVersion, {}};
    }
    if (line.request == CommandLineRequest::kRun) {
      line = {CommandLineRequest::kUnknownOption, std::string(argument)};
    }
  }
  return line;
}

std::string VersionText() { return "Lotwise " + VersionNumber() + "\n"; }

std::string HelpText() {
  return "Usage: lotwise [OPTION]...\n"
         "Finds the auctions on the marketplace that already draw bids and lists them in a\n"
         "report that opens in your web browser, the items with the most bids first.\n"
         "\n"
         "  -h, --help     show this help and quit\n"
         "  -v, --version  show the version and quit\n"
         "\n"
         "Qt's own options, such as -platform NAME or -style NAME, are passed on to Qt.\n";
}

std::string UnknownOptionText(const std::string& argument) {
  return "lotwise: unknown option '" + argument + "'\nTry 'lotwise --help' for the options.\n";
}

}  // namespace lotwise
