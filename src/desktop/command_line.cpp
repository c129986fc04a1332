#include "desktop/command_line.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "app/config.h"

namespace lotwise {
namespace {

// The options of Qt that take the next argument as their value, without their leading "-"
// (Qt takes "--name" as well): the application's, the X11 platform's and the widgets'.
constexpr std::string_view kGuiOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",       "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "qmljsdebugger"};
constexpr std::string_view kX11Options[] = {"display", "geometry", "title",
                                            "icon",    "name",     "visual"};
constexpr std::string_view kWidgetOptions[] = {"style", "stylesheet"};
// Qt's options without a value.
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "sync",
                                         "nograb",  "dograb",      "testability"};
// These also take their value after "=" in the same argument.
constexpr std::string_view kQtOptionsWithJoinedValue[] = {"style", "stylesheet", "qmljsdebugger"};

template <std::size_t N>
bool Among(const std::string_view (&names)[N], std::string_view name) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// The option's name without its "-" or "--"; empty for an argument that is no option.
std::string_view OptionName(std::string_view argument) {
  if (argument.size() < 2 || argument[0] != '-') return {};
  argument.remove_prefix(argument[1] == '-' ? 2 : 1);
  return argument;
}

CommandLine Asking(CommandLineRequest request) {
  CommandLine line;
  line.request = request;
  return line;
}

bool IsJoinedQtOption(std::string_view name) {
  const std::size_t equals = name.find('=');
  return equals != std::string_view::npos &&
         Among(kQtOptionsWithJoinedValue, name.substr(0, equals));
}

}  // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") return Asking(CommandLineRequest::kShowHelp);
    if (argument == "--version" || argument == "-v") {
      return Asking(CommandLineRequest::kShowVersion);
    }
    const std::string_view name = OptionName(argument);
    if (Among(kGuiOptions, name) || Among(kX11Options, name) || Among(kWidgetOptions, name)) {
      if (name == "platform" && i + 1 < argc) line.platformChosen = true;
      ++i;
      continue;
    }
    if (Among(kQtFlags, name) || IsJoinedQtOption(name)) continue;
    if (line.request == CommandLineRequest::kRun) {
      line.request = CommandLineRequest::kUnknownOption;
      line.unknown = std::string(argument);
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
  return "lotwise: unknown option '" + argument +
         "'\nUsage: lotwise [OPTION]...\nTry 'lotwise --help' for the options.\n";
}

}  // namespace lotwise
