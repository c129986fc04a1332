// lotwise-search's command line: what each option gives the window, and the one-line
// reason of every input it refuses before anything is fetched.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "api/api_settings.h"
#include "cli/history_list.h"
#include "cli/search_options.h"
#include "cli/source_names.h"
#include "search/categories.h"

namespace lotwise {
namespace {

using Arguments = std::vector<std::string>;

SearchOptions Read(const Arguments& arguments) {
  const SearchCommandLine line = ReadSearchCommandLine(arguments);
  EXPECT_EQ(line.ask, CommandLineAsk::kSearch) << line.error;
  return line.options;
}

TEST(SearchOptionsTest, EachSearchTakesItsInputsInEitherForm) {
  const SearchOptions keywords =
      Read({"--keywords", "vintage lamp", "--match=exact", "--min-bids", "10", "--exclude=brass",
            "--price-min", "5", "--price-max=12.50", "--in-category", "353",
            "--title-and-description", "--source", "api", "--folder=out", "--open", "--quiet"});
  EXPECT_EQ(keywords.search, SearchChoice::kKeywords);
  EXPECT_EQ(keywords.words, "vintage lamp");
  EXPECT_EQ(keywords.match, 2);
  EXPECT_EQ(keywords.minimumBids, "10");
  EXPECT_EQ(keywords.excluded, "brass");
  EXPECT_EQ(keywords.lowestPrice, "5");
  EXPECT_EQ(keywords.highestPrice, "12.50");
  EXPECT_EQ(keywords.categoryPosition, 1);  // "Antiques & Art", right below "All Categories"
  EXPECT_TRUE(keywords.titleAndDescription);
  EXPECT_EQ(keywords.source, "api");
  EXPECT_EQ(keywords.folder, "out");
  EXPECT_TRUE(keywords.open);
  EXPECT_TRUE(keywords.quiet);

  const SearchOptions category = Read({"--category", "353"});
  EXPECT_EQ(category.search, SearchChoice::kCategory);
  EXPECT_EQ(category.category, "353");
  EXPECT_EQ(category.minimumBids, "0");
  EXPECT_EQ(category.source, std::nullopt);
  EXPECT_EQ(category.folder, ".");
  EXPECT_EQ(Read({"--completed", "clock"}).words, "clock");
  EXPECT_EQ(Read({"--min-bids=32767", "--featured"}).search, SearchChoice::kFeatured);
}

TEST(SearchOptionsTest, HelpAndVersionWinWhereverTheyStand) {
  EXPECT_EQ(ReadSearchCommandLine({"--bogus", "--help"}).ask, CommandLineAsk::kHelp);
  EXPECT_EQ(ReadSearchCommandLine({"--featured", "--keywords", "x", "-v"}).ask,
            CommandLineAsk::kVersion);
}

TEST(SearchOptionsTest, EveryBadInputGetsItsReasonInOneLine) {
  const std::map<std::string, Arguments> refused{
      {"--min-bids takes a whole number from 0 to 32767, not 'x'",
       {"--featured", "--min-bids", "x"}},
      {"--min-bids takes a whole number from 0 to 32767, not '32768'",
       {"--featured", "--min-bids", "32768"}},
      {"--category takes a category number, not 'abc'", {"--category", "abc"}},
      {"--price-min 5 is above --price-max 2",
       {"--keywords", "lamp", "--price-min", "5", "--price-max", "2"}},
      {"--price-max takes an amount such as 5 or 12.50, not '1.005'",
       {"--keywords", "lamp", "--price-max", "1.005"}},
      {"--in-category takes the number of a top-level category (see lotwise-search --help), "
       "not '12'",
       {"--keywords", "lamp", "--in-category", "12"}},
      {"--match takes all, any or exact, not 'some'", {"--keywords", "lamp", "--match", "some"}},
      {"--source takes classic, api or site, not 'sites'", {"--featured", "--source", "sites"}},
      {"choose one search, not both --featured and --keywords",
       {"--featured", "--keywords", "lamp"}},
      {"choose a search: --featured, --category, --completed, --keywords or --again",
       {"--min-bids", "3"}},
      {"--match is for --keywords searches only", {"--category", "353", "--match", "any"}},
      {"--keywords needs a value", {"--keywords", "--min-bids", "3"}},
      {"--completed needs words to search for", {"--completed", " "}},
      {"--min-bids is given twice", {"--featured", "--min-bids", "1", "--min-bids=2"}},
      {"--featured takes no value", {"--featured=yes"}},
      {"unexpected argument 'lamp'", {"--featured", "lamp"}},
      {"unknown option '--bids'", {"--featured", "--bids", "3"}},
  };
  for (const auto& [reason, arguments] : refused) {
    const SearchCommandLine line = ReadSearchCommandLine(arguments);
    EXPECT_EQ(line.ask, CommandLineAsk::kUsageError) << reason;
    EXPECT_EQ(line.error, reason);
  }
  EXPECT_EQ(ReadSearchCommandLine({}).ask, CommandLineAsk::kUsageError);
}

TEST(SearchOptionsTest, TheHistoryIsListedAndASearchOfItRunsAgainAsItRan) {
  const SearchCommandLine list = ReadSearchCommandLine({"--history-list", "--history=h.sqlite"});
  EXPECT_EQ(list.ask, CommandLineAsk::kHistoryList);
  EXPECT_EQ(list.options.history, "h.sqlite");
  EXPECT_EQ(Read({"--featured", "--no-history"}).noHistory, true);
  const std::map<std::string, Arguments> refused{
      {"--history-list takes only --history FILE, not '--featured'",
       {"--history-list", "--featured"}},
      {"--again takes the number of a search that --history-list shows (1 to 20), not '0'",
       {"--again", "0"}},
      {"choose one search, not both --again and --keywords", {"--again", "2", "--keywords", "x"}},
      {"--match is for --keywords searches only: --again runs a search as it ran",
       {"--again", "2", "--match", "any"}},
      {"--min-bids is not for --again, which runs a search as it ran",
       {"--again", "2", "--min-bids", "4"}},
      {"--no-history leaves the history alone: not with --again", {"--again", "2", "--no-history"}},
  };
  for (const auto& [reason, arguments] : refused) {
    EXPECT_EQ(ReadSearchCommandLine(arguments).error, reason);
  }

  RecentSearch recent;
  recent.runs = 3;
  recent.last.minimumBids = 10;
  recent.last.itemsKept = 1;
  recent.last.end = HistoryEnd::kCutShort;
  HistorySearch& search = recent.last.search;
  search.source = "Marketplace API";
  search.marketplace = "EBAY_GB";
  search.kind = 1;
  search.words = "vintage lamp";
  search.combine = 2;
  search.excluded = "brass";
  search.highestPrice = "20";
  search.category = "353";
  search.inDescription = true;
  EXPECT_NE(HistoryListText({recent}).find(
                "1. Keywords \xE2\x80\x9Cvintage lamp\xE2\x80\x9D (the exact phrase, not "
                "\xE2\x80\x9C"
                "brass\xE2\x80\x9D, up to 20, Antiques & Art, title and "
                "description) \xC2\xB7 at least 10 bids \xC2\xB7 Marketplace API (EBAY_GB) "
                "\xC2\xB7 last run "),
            std::string::npos);
  EXPECT_NE(HistoryListText({recent}).find(" (cut short) \xC2\xB7 1 item kept \xC2\xB7 3 runs\n"),
            std::string::npos);

  const SearchOptions again = AgainOptions(recent, Read({"--again", "1", "--folder", "out"}));
  EXPECT_EQ(again.search, SearchChoice::kKeywords);
  EXPECT_EQ(again.words, "vintage lamp");
  EXPECT_EQ(again.minimumBids, "10");
  EXPECT_EQ(again.match, 2);
  EXPECT_EQ(again.excluded, "brass");
  EXPECT_EQ(again.highestPrice, "20");
  EXPECT_EQ(again.categoryPosition, 1);
  EXPECT_TRUE(again.titleAndDescription);
  EXPECT_EQ(again.source, "api");
  EXPECT_EQ(again.folder, "out");
  EXPECT_EQ(AgainOptions(recent, Read({"--again", "1", "--source", "classic"})).source, "classic");
}

TEST(SearchOptionsTest, EveryCategoryTheHelpListsIsTakenByItsNumber) {
  const std::string help = HelpText();
  int listed = 0;
  for (const Category& category : CategoryTable()) {
    if (category.number.empty()) continue;
    const std::string number(category.number);
    EXPECT_NE(help.find("  " + number + " "), std::string::npos) << number;
    const SearchOptions options = Read({"--keywords", "lamp", "--in-category", number});
    EXPECT_EQ(CategoryTable()[static_cast<std::size_t>(options.categoryPosition)].number,
              category.number);
    ++listed;
  }
  EXPECT_EQ(listed, 23);
}

// --source is put over the settings through LOTWISE_SOURCE: every name of the table must be
// one the environment's rule reads as that source.
TEST(SourceNamesTest, SourceChosenIsTheEnvironmentsOverEverythingElseItSets) {
  const Environment environment = [](const char* name) -> std::optional<std::string> {
    if (std::string(name) == "LOTWISE_SOURCE") return "unknown";
    if (std::string(name) == "LOTWISE_API_CLIENT_ID") return "from-environment";
    return std::nullopt;
  };
  for (const SourceName& source : kSourceNames) {
    ApiSettings settings;
    settings.source = source.source == SearchSource::kClassicPages ? SearchSource::kMarketplaceApi
                                                                   : SearchSource::kClassicPages;
    const ApiSettings inForce =
        WithEnvironment(settings, WithSourceChosen(environment, std::string(source.name)));
    EXPECT_EQ(inForce.source, source.source) << source.name;
    EXPECT_EQ(inForce.clientId, "from-environment");
  }
  EXPECT_EQ(WithSourceChosen(environment, std::nullopt)("LOTWISE_SOURCE"), "unknown");
}

}  // namespace
}  // namespace lotwise
