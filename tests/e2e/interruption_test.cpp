// "Stop Search" and "See Incomplete Results" clicked while a collection runs over HTTP.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "search/summary.h"

namespace lotwise::e2e {
namespace {

// The click comes at the first chance the window gets after this many fetches: before
// the first record of the second page of tables is appended (the first fetch reads only
// the page count or total).
constexpr std::size_t kFetchesBeforeClick = 3;

class InterruptionTest : public EndToEndTest, public ::testing::WithParamInterface<SearchCase> {
 protected:
  // Clicks `command` once, at the first DoEvents after kFetchesBeforeClick fetches.
  void ClickAfterFetches(CommandButton& command) {
    onDoEvents = [this, &command, clicked = false]() mutable {
      if (clicked || FetchesEnded() < kFetchesBeforeClick) return;
      clicked = true;
      EXPECT_TRUE(window().click(command));
    };
  }

  // What the page file holds when the click comes: the tables of the first page, and
  // the first table of the second, appended as the window let the click through.
  std::vector<sample::Item> CollectedBeforeClick(const std::vector<std::string>& requests) {
    std::vector<sample::Item> items = ItemsOn({requests[1]});
    items.push_back(ItemsOn({requests[2]}).at(0));
    return items;
  }
};

TEST_P(InterruptionTest, StopSearchEndsTheCollectionAndKeepsThePageFile) {
  const SearchCase& search = GetParam();
  const std::vector<std::string> all = ExpectedRequests(market, search);
  ASSERT_GT(all.size(), kFetchesBeforeClick);
  ClickAfterFetches(window().Command1);

  RunSearch(search);

  const std::vector<std::string> requests = served.Requests();
  EXPECT_EQ(requests, std::vector<std::string>(all.begin(), all.begin() + kFetchesBeforeClick));
  EXPECT_EQ(PageFileRows(), Numbers(CollectedBeforeClick(all)));
  EXPECT_FALSE(std::filesystem::exists(window().ReportPath()));
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(messages.empty());
  ExpectReady();

  ExpectWholeSearchWorks(search);
}

TEST_P(InterruptionTest, SeeIncompleteResultsReportsWhatWasCollected) {
  const SearchCase& search = GetParam();
  const std::vector<std::string> all = ExpectedRequests(market, search);
  ASSERT_GT(all.size(), kFetchesBeforeClick);
  ClickAfterFetches(window().Command6);

  RunSearch(search);

  EXPECT_EQ(served.Requests(),
            std::vector<std::string>(all.begin(), all.begin() + kFetchesBeforeClick));
  EXPECT_EQ(ReportRows(), ExpectedRows(CollectedBeforeClick(all)));
  ExpectFinished();
  EXPECT_FALSE(window().Command6.enabled);

  ExpectWholeSearchWorks(search);
}

// Stopped while the fifth page waits on a slow marketplace: nothing moves on after the
// stop, and the status line, the run summary and the pages the marketplace served agree.
TEST_F(EndToEndTest, StopWhileAPageWaitsOnASlowMarketplaceLeavesCountsThatAgree) {
  sample::ServerSettings slow;
  slow.delay = std::chrono::milliseconds(100);
  served.Restart(slow);
  std::vector<std::string> statuses;
  onDoEvents = [&, clicked = false]() mutable {
    if (statuses.empty() || statuses.back() != window().Label1.caption) {
      statuses.push_back(window().Label1.caption);
    }
    // Page 5 is asked for once the status says so; its answer waits.
    if (clicked || window().Label1.caption.rfind("5 of ", 0) != 0) return;
    clicked = true;
    EXPECT_TRUE(window().click(window().Command1));
  };
  const SearchCase& category = Case("Category");
  ASSERT_TRUE(category.browse);
  RunSearch(category);

  ASSERT_GE(statuses.size(), 2u);
  EXPECT_EQ(statuses.back(), "5 of " + std::to_string(window().PageTotal) + " pages searched.");
  EXPECT_EQ(window().Label1.caption, "Ready for another search");
  EXPECT_EQ(window().PageStart, 6);  // page 6 was never asked for
  const SearchSummary& summary = window().summary();
  EXPECT_EQ(summary.end, SearchEnd::kStopped);
  EXPECT_EQ(summary.pagesCollected, 4);  // the index page and pages 2 to 4
  EXPECT_EQ(SummaryText(summary), "Stopped after 4 of 5 pages: no report written");
  // What the marketplace was asked: the index page twice, pages 2 to 4, and at most the
  // request for page 5 that the stop cut short (whether it reached the marketplace before
  // the stop is the network's affair); nothing after it.
  const std::vector<std::string> all = ExpectedRequests(market, category);
  std::vector<std::string> requests = served.Requests();
  ASSERT_GE(requests.size(), 5u);
  if (requests.size() == 6) {
    EXPECT_EQ(requests.back(), all.at(5));
  }
  requests.resize(std::min<std::size_t>(requests.size(), 6));
  EXPECT_EQ(requests, std::vector<std::string>(all.begin(), all.begin() + requests.size()));
  EXPECT_LE(served.Requests().size(), 6u);
  ExpectReady();
}

INSTANTIATE_TEST_SUITE_P(Searches, InterruptionTest, ::testing::ValuesIn(SearchCases()),
                         [](const auto& p) { return p.param.name; });

}  // namespace
}  // namespace lotwise::e2e
