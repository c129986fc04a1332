// Searches through the sample marketplace's pages of today's site, over loopback and
// through the window: the report and the CSV hold exactly the auctions with enough bids,
// most bids first.

#include "sample-marketplace/site_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "report/csv.h"

namespace lotwise::e2e {
namespace {

class SiteSearchTest : public EndToEndTest {
 protected:
  void SetUp() override {
    EndToEndTest::SetUp();
    SearchThroughSite();
  }

  // What the site lists for the search the window asked for (its first request), with
  // at least `minimum` bids, most bids first.
  std::vector<std::string> Expected(int minimum) const {
    const std::vector<std::string> requests = served.Requests();
    EXPECT_FALSE(requests.empty());
    if (requests.empty()) return {};
    const sample::SiteCollection listed = sample::CollectedSiteItems(market.items(), requests[0]);
    EXPECT_EQ(static_cast<long long>(requests.size()), listed.pages);
    std::vector<sample::Item> kept;
    for (const sample::Item& item : listed.items) {
      if (sample::BidCount(item) >= minimum) kept.push_back(item);
    }
    std::stable_sort(kept.begin(), kept.end(), [](const sample::Item& a, const sample::Item& b) {
      return sample::BidCount(a) > sample::BidCount(b);
    });
    std::vector<std::string> numbers;
    for (const sample::Item& item : kept) numbers.push_back(std::to_string(item.number));
    return numbers;
  }
  // The item numbers of the CSV's lines, in order.
  std::vector<std::string> CsvItems() const {
    const std::string csv = ReadFile(folder.path() / kCsvFileName);
    std::vector<std::string> numbers;
    for (std::size_t at = csv.find("\r\n"); at != std::string::npos && at + 2 < csv.size();
         at = csv.find("\r\n", at + 2)) {
      numbers.push_back(csv.substr(at + 2, csv.find(',', at + 2) - at - 2));
    }
    return numbers;
  }
};

TEST_F(SiteSearchTest, AKeywordAndACompletedItemsSearchReportTheAuctionsWithEnoughBids) {
  window().txtBids.text = "3";
  window().txtTitle.text = "brass clock";
  window().txtBeginPrice.text = "5";
  ASSERT_TRUE(window().click(window().cmdSearch));
  ExpectFinished();
  const std::vector<std::string> keyword = Expected(3);
  ASSERT_GE(keyword.size(), 3u);
  EXPECT_EQ(CsvItems(), keyword);
  const std::vector<std::string> requests = served.Requests();
  EXPECT_NE(requests[0].find("_nkw=brass%20clock"), std::string::npos) << requests[0];
  EXPECT_NE(requests[0].find("_udlo=5"), std::string::npos) << requests[0];

  ASSERT_TRUE(window().click(window().Command1));
  served.Restart();
  opened.clear();
  window().Text2.text = "brass";
  ASSERT_TRUE(window().click(window().Command5));
  ExpectFinished();
  EXPECT_NE(served.Requests().at(0).find("LH_Complete=1"), std::string::npos);
  EXPECT_EQ(CsvItems(), Expected(3));
}

TEST_F(SiteSearchTest, TheSiteHasNoFeaturedAuctionsAndSaysSoWithoutAsking) {
  ASSERT_TRUE(window().click(window().Command4));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("featured"), std::string::npos) << messages[0];
  EXPECT_TRUE(served.Requests().empty());
  ExpectReady();
}

}  // namespace
}  // namespace lotwise::e2e
