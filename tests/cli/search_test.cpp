// lotwise-search's runs through the window model and libcurl against the sample
// marketplace served in-process: what it prints, where, the report and its exit status.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "api/api_source.h"
#include "api/clock.h"
#include "cli/command_line_search.h"
#include "cli/run_outcome.h"
#include "cli/search_options.h"
#include "cli/status_lines.h"
#include "e2e/search_cases.h"
#include "e2e/served_marketplace.h"
#include "sample-marketplace/catalog.h"
#include "sample-marketplace/marketplace.h"
#include "search/summary.h"
#include "support/files.h"
#include "walkthrough/sample_hosts.h"

namespace lotwise {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CommandLineSearchTest : public ::testing::Test {
 protected:
  // Runs lotwise-search with these arguments (and --folder) against the served sample.
  int Run(std::vector<std::string> arguments, int hostsPort = 0) {
    arguments.insert(arguments.end(), {"--folder", folder.path().string()});
    const SearchCommandLine line = ReadSearchCommandLine(arguments);
    EXPECT_EQ(line.ask, CommandLineAsk::kSearch) << line.error;
    StatusLines lines(out, err, StyleFor(line.options.quiet, false));
    CommandLineSearch search(
        HostsAt(hostsPort != 0 ? hostsPort : port), line.options, lines, interrupts,
        [this](const std::string& file) {
          opened.push_back(file);
          return std::string();
        },
        fetchOptions);
    if (api) {
      source.emplace(*api, search.http(), clock);
      search.window().UseListingSource(&*source);
    }
    const int status = search.Run();
    summary = search.window().summary();
    return status;
  }

  ApiSettings MockApi() const { return MockApiAt(port); }

  bool Exists(const char* name) const { return std::filesystem::exists(folder.path() / name); }

  sample::Marketplace market{sample::GenerateItems(11, 4000)};
  e2e::ServedMarketplace served{market};
  int port = served.Start();
  testing::TempFolder folder;
  std::ostringstream out;
  std::ostringstream err;
  std::atomic<int> interrupts{0};
  std::vector<std::string> opened;
  CurlFetcher::Options fetchOptions;
  std::optional<ApiSettings> api;
  SteadyClock clock;
  std::optional<ApiSource> source;
  SearchSummary summary;
};

TEST_F(CommandLineSearchTest, KeywordSearchPrintsEachStatusThenTheSummaryAndWritesTheReport) {
  const e2e::SearchCase& keyword = e2e::Case("Keyword");  // "vintage lamp", any of the words

  EXPECT_EQ(Run({"--keywords", "vintage lamp", "--match", "any", "--min-bids", "10", "--open"}),
            kExitReportWritten);

  const std::vector<std::int64_t> rows = e2e::Numbers(
      sample::ReportOrder(market.CollectedItems(keyword.first, keyword.nextPrefix), 10));
  EXPECT_EQ(e2e::RowNumbers(testing::ReadFile(folder.path() / "Finalsearch.htm")), rows);
  EXPECT_FALSE(Exists("Listinglist.txt"));
  EXPECT_EQ(opened, std::vector<std::string>{(folder.path() / "Finalsearch.htm").string()});
  // The statuses the window repaints with (the report is written between two repaints),
  // then the summary.
  const std::vector<std::string> printed = Lines(out.str());
  ASSERT_GE(printed.size(), 4u);
  EXPECT_EQ(printed.front(), "Deleting Temporary Files.......");
  EXPECT_NE(printed[printed.size() - 3].find(" searched."), std::string::npos);
  EXPECT_EQ(printed[printed.size() - 2], "Finished!!!");
  EXPECT_EQ(printed.back(), SummaryText(summary));
  EXPECT_EQ(printed.back().rfind(
                std::to_string(rows.size()) + " items with at least 10 bids in Finalsearch.htm", 0),
            0u);
  EXPECT_EQ(err.str(), "");
}

TEST_F(CommandLineSearchTest, QuietPrintsTheSummaryAloneAndNoOpenLeavesTheReportWhereItIs) {
  EXPECT_EQ(Run({"--category", "353", "--min-bids", "10", "--quiet"}), kExitReportWritten);

  EXPECT_EQ(Lines(out.str()), std::vector<std::string>{SummaryText(summary)});
  EXPECT_TRUE(Exists("Finalsearch.htm"));
  EXPECT_TRUE(opened.empty());
}

TEST_F(CommandLineSearchTest, FeaturedThroughTheApiEndsWithItsReasonAndNoReport) {
  api = MockApi();

  EXPECT_EQ(Run({"--featured", "--min-bids", "10"}), kExitNoReport);

  EXPECT_EQ(summary.end, SearchEnd::kMessage);
  EXPECT_EQ(err.str(), summary.message + "\n");
  EXPECT_NE(summary.message.find("no search for featured auctions"), std::string::npos);
  EXPECT_EQ(Lines(out.str()).back(), "No report: " + summary.message);
  EXPECT_FALSE(Exists("Finalsearch.htm"));
}

TEST_F(CommandLineSearchTest, UnreachableMarketplaceEndsWithTheReasonOnStandardError) {
  fetchOptions.timeout = std::chrono::seconds(5);

  EXPECT_EQ(Run({"--featured"}, e2e::ClosedPort()), kExitNoReport);

  EXPECT_EQ(summary.end, SearchEnd::kFailure);
  EXPECT_EQ(err.str(), "lotwise-search: " + summary.message + "\n");
  EXPECT_NE(summary.message.find("could not be reached"), std::string::npos);
  EXPECT_EQ(Lines(out.str()).back(), SummaryText(summary));
}

// Ctrl+C comes once the first page's tables are in the page file, while the next page is
// on its way slowly: the collection stops there and what it had collected goes.
TEST_F(CommandLineSearchTest, InterruptionStopsTheSearchAndLeavesNoFilesBehind) {
  sample::ServerSettings slow;
  slow.delay = std::chrono::milliseconds(300);
  served.Restart(slow);
  const std::filesystem::path pageFile = folder.path() / "Listinglist.txt";
  std::jthread interrupter([&](std::stop_token stop) {
    while (!stop.stop_requested() && !std::filesystem::exists(pageFile)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    interrupts.fetch_add(1);
  });

  EXPECT_EQ(Run({"--keywords", "vintage lamp", "--match", "any"}), kExitNoReport);
  interrupter.request_stop();

  EXPECT_EQ(summary.end, SearchEnd::kStopped);
  EXPECT_LT(served.Requests().size(), e2e::ExpectedRequests(market, e2e::Case("Keyword")).size());
  EXPECT_FALSE(Exists("Listinglist.txt"));
  EXPECT_FALSE(Exists("Finalsearch.htm.part"));
  EXPECT_FALSE(Exists("Finalsearch.htm"));
  EXPECT_EQ(Lines(out.str()).back(), SummaryText(summary));
  EXPECT_EQ(err.str(), "lotwise-search: stopped (Ctrl+C): no report written\n");
}

TEST(StatusLinesTest, OnATerminalTheStatusesShareOneLineThatEndsBeforeAnythingElse) {
  std::ostringstream out;
  std::ostringstream err;
  StatusLines lines(out, err, StatusStyle::kInPlace, 12);
  lines.Status("1 of 7 pages searched.");
  lines.Status("2 of 7");
  lines.Message("a message");
  lines.Status("Finished!!!");
  lines.Summary("the summary");
  EXPECT_EQ(out.str(),
            "\r1 of 7 page\x1b[K\r2 of 7\x1b[K\n"
            "\rFinished!!!\x1b[K\nthe summary\n");
  EXPECT_EQ(err.str(), "a message\n");
}

}  // namespace
}  // namespace lotwise
