#include "cli/search_options.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "app/config.h"
#include "cli/history_list.h"
#include "cli/source_names.h"
#include "search/categories.h"

namespace lotwise {
namespace {

constexpr std::string_view kProgram = "lotwise-search";
constexpr long long kMostBids = 32767;  // the window reads larger counts as this
constexpr long long kRecentSearches = kHistoryListLength;

// The positions of the window's word-combining list.
constexpr std::array<std::string_view, 3> kMatchModes{"all", "any", "exact"};

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number of at most `most`; nothing for any other text.
std::optional<long long> WholeNumber(std::string_view text, long long most) {
  if (!AllDigits(text) || text.size() > 18) return std::nullopt;
  long long value = 0;
  for (const char c : text) value = value * 10 + (c - '0');
  if (value > most) return std::nullopt;
  return value;
}

// An amount such as "5" or "12.50", in hundredths; nothing for any other text.
std::optional<long long> Hundredths(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view part = point == std::string_view::npos ? "" : text.substr(point + 1);
  if (!AllDigits(whole) || whole.size() > 12) return std::nullopt;
  if (point != std::string_view::npos && (!AllDigits(part) || part.size() > 2)) {
    return std::nullopt;
  }
  long long value = *WholeNumber(whole, 999'999'999'999) * 100;
  if (!part.empty()) value += (part[0] - '0') * 10 + (part.size() == 2 ? part[1] - '0' : 0);
  return value;
}

bool Blank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

template <std::size_t N>
std::string Choices(const std::array<std::string_view, N>& names) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) text += i + 1 == N ? " or " : ", ";
    text += names[i];
  }
  return text;
}

std::array<std::string_view, std::size(kSourceNames)> SourceNames() {
  std::array<std::string_view, std::size(kSourceNames)> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = kSourceNames[i].name;
  return names;
}

template <std::size_t N>
std::string Alternatives(const std::array<std::string_view, N>& names) {
  std::string text;
  for (const std::string_view name : names) text += (text.empty() ? "" : "|") + std::string(name);
  return text;
}

// One line of the option list: the option, then what it does from the 31st column on.
std::string Line(const std::string& option, std::string_view does) {
  std::string line = "  " + option;
  line.resize(std::max<std::size_t>(line.size() + 1, 30), ' ');
  return line + std::string(does) + "\n";
}

// Applies an option's value; gives what is wrong with it, or nothing.
using Apply = std::string (*)(SearchOptions& options, const std::string& value);

struct Option {
  std::string_view name;
  bool takesValue;
  bool searchKind;   // one of the four searches
  bool keywordOnly;  // an input of the keyword search alone
  Apply apply;
};

std::string Words(SearchOptions& options, SearchChoice search, const std::string& value,
                  std::string_view name) {
  if (Blank(value)) return "--" + std::string(name) + " needs words to search for";
  options.search = search;
  options.words = value;
  return {};
}

std::string Price(std::string& input, const std::string& value, std::string_view name) {
  if (!Hundredths(value)) {
    return "--" + std::string(name) + " takes an amount such as 5 or 12.50, not " + Quoted(value);
  }
  input = value;
  return {};
}

constexpr Option kOptions[] = {
    {"featured", false, true, false,
     [](SearchOptions& o, const std::string&) {
       o.search = SearchChoice::kFeatured;
       return std::string();
     }},
    {"category", true, true, false,
     [](SearchOptions& o, const std::string& v) {
       if (!WholeNumber(v, 999'999'999))
         return "--category takes a category number, not " + Quoted(v);
       o.search = SearchChoice::kCategory;
       o.category = v;
       return std::string();
     }},
    {"completed", true, true, false,
     [](SearchOptions& o, const std::string& v) {
       return Words(o, SearchChoice::kCompleted, v, "completed");
     }},
    {"keywords", true, true, false,
     [](SearchOptions& o, const std::string& v) {
       return Words(o, SearchChoice::kKeywords, v, "keywords");
     }},
    {"min-bids", true, false, false,
     [](SearchOptions& o, const std::string& v) {
       if (!WholeNumber(v, kMostBids)) {
         return "--min-bids takes a whole number from 0 to " + std::to_string(kMostBids) +
                ", not " + Quoted(v);
       }
       o.minimumBids = v;
       return std::string();
     }},
    {"match", true, false, true,
     [](SearchOptions& o, const std::string& v) {
       const auto mode = std::find(kMatchModes.begin(), kMatchModes.end(), v);
       if (mode == kMatchModes.end()) {
         return "--match takes " + Choices(kMatchModes) + ", not " + Quoted(v);
       }
       o.match = static_cast<int>(mode - kMatchModes.begin());
       return std::string();
     }},
    {"exclude", true, false, true,
     [](SearchOptions& o, const std::string& v) {
       o.excluded = v;
       return std::string();
     }},
    {"price-min", true, false, true,
     [](SearchOptions& o, const std::string& v) { return Price(o.lowestPrice, v, "price-min"); }},
    {"price-max", true, false, true,
     [](SearchOptions& o, const std::string& v) { return Price(o.highestPrice, v, "price-max"); }},
    {"in-category", true, false, true,
     [](SearchOptions& o, const std::string& v) {
       const auto table = CategoryTable();
       const auto row = std::find_if(table.begin(), table.end(), [&v](const Category& category) {
         return !category.number.empty() && category.number == v;
       });
       if (row == table.end()) {
         return "--in-category takes the number of a top-level category (see " +
                std::string(kProgram) + " --help), not " + Quoted(v);
       }
       o.categoryPosition = static_cast<int>(row - table.begin());
       return std::string();
     }},
    {"title-and-description", false, false, true,
     [](SearchOptions& o, const std::string&) {
       o.titleAndDescription = true;
       return std::string();
     }},
    {"source", true, false, false,
     [](SearchOptions& o, const std::string& v) {
       const auto names = SourceNames();
       if (std::find(names.begin(), names.end(), v) == names.end()) {
         return "--source takes " + Choices(names) + ", not " + Quoted(v);
       }
       o.source = v;
       return std::string();
     }},
    {"folder", true, false, false,
     [](SearchOptions& o, const std::string& v) {
       if (v.empty()) return std::string("--folder needs a folder");
       o.folder = v;
       return std::string();
     }},
    {"open", false, false, false,
     [](SearchOptions& o, const std::string&) {
       o.open = true;
       return std::string();
     }},
    {"quiet", false, false, false,
     [](SearchOptions& o, const std::string&) {
       o.quiet = true;
       return std::string();
     }},
    {"history", true, false, false,
     [](SearchOptions& o, const std::string& v) {
       if (v.empty()) return std::string("--history needs a file");
       o.history = v;
       return std::string();
     }},
    {"no-history", false, false, false,
     [](SearchOptions& o, const std::string&) {
       o.noHistory = true;
       return std::string();
     }},
    {"again", true, true, false,
     [](SearchOptions& o, const std::string& v) {
       const std::optional<long long> number = WholeNumber(v, kRecentSearches);
       if (!number || *number == 0) {
         return "--again takes the number of a search that --history-list shows (1 to " +
                std::to_string(kRecentSearches) + "), not " + Quoted(v);
       }
       o.again = static_cast<int>(*number);
       return std::string();
     }},
};

const Option* Find(std::string_view name) {
  for (const Option& option : kOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

SearchCommandLine Wrong(std::string error) {
  SearchCommandLine line;
  line.ask = CommandLineAsk::kUsageError;
  line.error = std::move(error);
  return line;
}

// Everything but --help and --version.
SearchCommandLine ReadOptions(const std::vector<std::string>& arguments) {
  SearchCommandLine line;
  SearchOptions& options = line.options;
  std::vector<std::string_view> given;
  std::string_view searchGiven;
  std::string_view keywordOptionGiven;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    if (argument.substr(0, 2) != "--" || argument.size() == 2) {
      return Wrong("unexpected argument " + Quoted(argument));
    }
    argument.remove_prefix(2);
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const Option* option = Find(name);
    if (option == nullptr) return Wrong("unknown option " + Quoted("--" + std::string(name)));
    if (std::find(given.begin(), given.end(), name) != given.end()) {
      return Wrong("--" + std::string(name) + " is given twice");
    }
    given.push_back(option->name);

    std::string value;
    if (equals != std::string_view::npos) {
      if (!option->takesValue) return Wrong("--" + std::string(name) + " takes no value");
      value = std::string(argument.substr(equals + 1));
    } else if (option->takesValue) {
      // An option after it means that its value was left out.
      if (i + 1 == arguments.size() || arguments[i + 1].rfind("--", 0) == 0) {
        return Wrong("--" + std::string(name) + " needs a value");
      }
      value = arguments[++i];
    }
    if (option->searchKind && !searchGiven.empty()) {
      return Wrong("choose one search, not both --" + std::string(searchGiven) + " and --" +
                   std::string(name));
    }
    if (std::string error = option->apply(options, value); !error.empty()) {
      return Wrong(std::move(error));
    }
    if (option->searchKind) searchGiven = option->name;
    if (option->keywordOnly && keywordOptionGiven.empty()) keywordOptionGiven = option->name;
  }

  if (options.noHistory && (options.history || options.again)) {
    return Wrong(std::string("--no-history leaves the history alone: not with --") +
                 (options.history ? "history" : "again"));
  }
  if (options.again) {
    if (!keywordOptionGiven.empty()) {
      return Wrong("--" + std::string(keywordOptionGiven) +
                   " is for --keywords searches only: --again runs a search as it ran");
    }
    if (std::find(given.begin(), given.end(), "min-bids") != given.end()) {
      return Wrong("--min-bids is not for --again, which runs a search as it ran");
    }
    return line;
  }
  if (options.search == SearchChoice::kNone) {
    return Wrong("choose a search: --featured, --category, --completed, --keywords or --again");
  }
  if (!keywordOptionGiven.empty() && options.search != SearchChoice::kKeywords) {
    return Wrong("--" + std::string(keywordOptionGiven) + " is for --keywords searches only");
  }
  if (!options.lowestPrice.empty() && !options.highestPrice.empty() &&
      *Hundredths(options.lowestPrice) > *Hundredths(options.highestPrice)) {
    return Wrong("--price-min " + options.lowestPrice + " is above --price-max " +
                 options.highestPrice);
  }
  return line;
}

}  // namespace

SearchCommandLine ReadSearchCommandLine(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") return {CommandLineAsk::kHelp, {}, {}};
    if (argument == "--version" || argument == "-v") return {CommandLineAsk::kVersion, {}, {}};
  }
  std::vector<std::string> others;
  for (const std::string& argument : arguments) {
    if (argument != "--history-list") others.push_back(argument);
  }
  if (others.size() == arguments.size()) return ReadOptions(arguments);
  // The list takes the history's file, and nothing else.
  SearchCommandLine line;
  line.ask = CommandLineAsk::kHistoryList;
  for (std::size_t i = 0; i < others.size(); ++i) {
    std::string_view argument = others[i];
    if (argument.rfind("--history=", 0) == 0 && !line.options.history) {
      line.options.history = std::string(argument.substr(10));
    } else if (argument == "--history" && i + 1 < others.size() && !line.options.history) {
      line.options.history = others[++i];
    } else {
      return Wrong("--history-list takes only --history FILE, not " + Quoted(argument));
    }
  }
  if (line.options.history && line.options.history->empty()) {
    return Wrong("--history needs a file");
  }
  return line;
}

std::string UsageText() {
  return "Usage: lotwise-search [OPTION]... (--featured | --category NUMBER |\n"
         "                                  --completed WORDS | --keywords WORDS | --again N)\n"
         "       lotwise-search --history-list [--history FILE]\n" +
         Line("--featured", "the marketplace's featured auctions") +
         Line("--category NUMBER", "the auctions of one category, by its number") +
         Line("--completed WORDS", "completed items, by keywords") +
         Line("--keywords WORDS", "current items, by keywords") +
         Line("--min-bids N", "the minimum number of bids (default 0)") +
         "Only with --keywords:\n" +
         Line("--match " + Alternatives(kMatchModes), "how the keywords combine (default all)") +
         Line("--exclude WORDS", "words to exclude") + Line("--price-min X", "the lowest price") +
         Line("--price-max Y", "the highest price") +
         Line("--in-category NUMBER", "one of the top-level categories below, by number") +
         Line("--title-and-description", "search the descriptions too") + "Where and how:\n" +
         Line("--source " + Alternatives(SourceNames()),
              "the source (default: the one the settings choose, the") +
         Line("", "environment's LOTWISE_SOURCE over them)") +
         Line("--folder DIR", "where the report is written (default: the current") +
         Line("", "folder)") + Line("--open", "hand the report to the desktop when it is written") +
         Line("--quiet", "print only messages and the summary line") +
         "The history of searches:\n" +
         Line("--history-list", "list the searches run last, with a number each") +
         Line("--again N", "run search N of that list again, as it last ran") +
         Line("--history FILE", "keep the history in FILE (default: history.sqlite in") +
         Line("", "the per-user data folder, which the window uses too)") +
         Line("--no-history", "leave the history alone for this run") +
         Line("-h, --help", "show this help and quit") +
         Line("-v, --version", "show the version and quit");
}

std::string HelpText() {
  std::string text =
      "Runs one of Lotwise's searches without a window: collects the marketplace's pages\n"
      "(or asks its API), keeps the items with at least the minimum number of bids and\n"
      "writes the report Finalsearch.htm and the same rows to Finalsearch.csv, the items\n"
      "with the most bids first.\n"
      "\n" +
      UsageText() +
      "\n"
      "Prints each status the window would show, one a line (on a terminal, one line\n"
      "rewritten in place), then a summary line; messages go to standard error. Ctrl+C\n"
      "stops the search and removes what it had collected; a second Ctrl+C ends at once.\n"
      "\n"
      "Every search that writes its report records it in the history, with its rows:\n"
      "the next run of the same search (the same source, marketplace, kind, words and\n"
      "options) says in Finalsearch.csv when each item was first seen and its bids in the\n"
      "last run, and in its summary line how many items are new and how many ended.\n"
      "\n"
      "Exit status: 0 when the report was written, 1 when the search ended without one\n"
      "(the reason on standard error), 2 for a usage error.\n"
      "\n"
      "Top-level categories (--in-category):\n";
  for (const Category& category : CategoryTable()) {
    if (category.number.empty()) continue;
    std::string number(category.number);
    number.resize(std::max<std::size_t>(number.size(), 7), ' ');
    text += "  " + number + std::string(category.name) + "\n";
  }
  return text;
}

std::string VersionText() { return std::string(kProgram) + " " + VersionNumber() + "\n"; }

}  // namespace lotwise
