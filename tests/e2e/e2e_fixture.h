#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/api_source.h"
#include "api/clock.h"
#include "app/search_window.h"
#include "e2e/search_cases.h"
#include "e2e/served_marketplace.h"
#include "http/headless_platform.h"
#include "sample-marketplace/catalog.h"
#include "sample-marketplace/marketplace.h"
#include "site/site_clock.h"
#include "site/site_source.h"
#include "support/files.h"
#include "support/search_commands.h"
#include "walkthrough/clocked_platform.h"
#include "walkthrough/sample_hosts.h"

namespace lotwise::e2e {

using testing::ReadFile;
using testing::TempFolder;

CurlFetcher::Options ShortTimeOut();

// What a conforming HTML5 parser (html5lib) said of a document: its exit code (0 no
// error, 77 when it cannot run here) and its words.
struct ParserVerdict {
  int exitCode = -1;
  std::string said;
};
ParserVerdict ReadByConformingParser(const std::filesystem::path& document);

// 2026-01-10 12:00 UTC: the sample marketplace's auctions end in the weeks around it.
inline std::chrono::system_clock::time_point SampleAuctionsRunning() {
  return std::chrono::sys_days{std::chrono::year{2026} / 1 / 10} + std::chrono::hours{12};
}

// The sample marketplace of every test, and the minimum bid count of every search.
inline constexpr std::uint32_t kSeed = 11;
inline constexpr std::size_t kItems = 4000;
inline constexpr int kMinimumBids = 5;

// A window whose hosts all name the sample marketplace, served in-process on a free
// loopback port, fetching through libcurl into a fresh application folder.
class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Replaces the window by one whose hosts name `port`.
  void OpenWindow(int port);
  // The settings of the sample's mock of the marketplace's API.
  ApiSettings MockApi() const;
  // Keyword and category searches go through that mock.
  void SearchThroughApi();
  // All searches go through the sample marketplace's pages of today's site.
  void SearchThroughSite();
  SearchWindow& window() { return *window_; }
  std::size_t FetchesEnded() const { return platform_->fetchesEnded(); }

  // Fills in the search's inputs and the minimum bid count and clicks its command.
  void RunSearch(const SearchCase& search);

  // The items a whole collection of the search lists, and the report rows they give.
  std::vector<sample::Item> Collected(const SearchCase& search) const;
  std::vector<std::int64_t> ExpectedRows(const std::vector<sample::Item>& collected) const;
  // The items on the pages at these targets, in order.
  std::vector<sample::Item> ItemsOn(const std::vector<std::string>& targets) const;

  std::vector<std::int64_t> ReportRows() { return RowNumbers(ReadFile(window().ReportPath())); }
  std::vector<std::int64_t> PageFileRows() { return RowNumbers(ReadFile(window().PageFilePath())); }

  // The five search commands' enabled states: cmdSearch, Command2..Command5.
  std::string SearchCommands() const { return testing::SearchCommandStates(*window_); }
  void ExpectReady();
  // "Finished!!!", the report handed to the desktop, the page file gone.
  void ExpectFinished();
  // Runs the whole search again from wherever the last one left the window and expects
  // every page requested and the complete report.
  void ExpectWholeSearchWorks(const SearchCase& search);

  sample::Marketplace market{sample::GenerateItems(kSeed, kItems)};
  ServedMarketplace served{market};
  int port = 0;
  TempFolder folder;
  // Short enough for a stalled server to fail a fetch soon.
  CurlFetcher::Options fetchOptions = ShortTimeOut();
  // Runs at every DoEvents of the platform, as a person clicks while the window waits.
  std::function<void()> onDoEvents;
  std::vector<std::string> messages;
  std::vector<std::string> opened;
  // The platform's clock, set when a window opens: while the sample marketplace's auctions
  // run.
  std::chrono::system_clock::time_point now = SampleAuctionsRunning();

 private:
  std::unique_ptr<ClockedPlatform> platform_;
  std::unique_ptr<SearchWindow> window_;
  SteadyClock clock_;
  std::optional<ApiSource> api_;
  SystemSiteClock siteClock_;
  std::optional<SiteSource> site_;
};

}  // namespace lotwise::e2e
