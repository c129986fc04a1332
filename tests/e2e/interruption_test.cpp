// "Stop Search" and "See Incomplete Results" clicked while a collection runs over HTTP.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"

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

INSTANTIATE_TEST_SUITE_P(Searches, InterruptionTest, ::testing::ValuesIn(SearchCases()),
                         [](const auto& p) { return p.param.name; });

}  // namespace
}  // namespace lotwise::e2e
