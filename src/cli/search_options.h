#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lotwise {

// The four searches of the window, one a run.
enum class SearchChoice { kNone, kFeatured, kCategory, kCompleted, kKeywords };

// What lotwise-search is asked to do, every value already checked. Texts are as the
// window's inputs take them.
struct SearchOptions {
  SearchChoice search = SearchChoice::kNone;
  std::string words;     // --completed, --keywords
  std::string category;  // --category: digits only
  std::string minimumBids = "0";
  // The keyword search's own inputs.
  int match = 0;  // position in the word-combining list: all, any, exact
  std::string excluded;
  std::string lowestPrice;
  std::string highestPrice;
  int categoryPosition = 0;  // row of the category table; 0 is "All Categories"
  bool titleAndDescription = false;
  // A name of kSourceNames; nothing: the source the settings and environment choose.
  std::optional<std::string> source;
  std::filesystem::path folder = ".";
  bool open = false;
  bool quiet = false;
  // The history: another file than the per-user data folder's, or none for this run.
  std::optional<std::filesystem::path> history;
  bool noHistory = false;
  // --again: the search of the history with that number (from 1, as --history-list shows
  // them) instead of a search given.
  std::optional<int> again;
};

enum class CommandLineAsk { kSearch, kHelp, kVersion, kHistoryList, kUsageError };

struct SearchCommandLine {
  CommandLineAsk ask = CommandLineAsk::kSearch;
  SearchOptions options;
  std::string error;  // kUsageError: what is wrong, one line
};

// Reads the arguments after the program's name: "--name value" or "--name=value".
// --help and --version win wherever they stand; --history-list asks for the searches of
// the history (with --history alone). Anything else not understood, a bad value, an option
// given twice, no search or two (--again counts as one), a keyword option with another
// search or with --again, or --no-history with --history or --again is a usage error.
SearchCommandLine ReadSearchCommandLine(const std::vector<std::string>& arguments);

// The synopsis and the options, as a usage error ends with it.
std::string UsageText();
// The usage with what the program does, its exit statuses and the category numbers.
std::string HelpText();
std::string VersionText();

}  // namespace lotwise
