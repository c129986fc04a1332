// Keyword and category searches through the sample marketplace's mock of the
// marketplace's API, over loopback: the requests the client builds, the pages it follows
// and the report it writes.

#include "sample-marketplace/api_search.h"

#include <algorithm>
#include <regex>

#include "e2e/e2e_fixture.h"
#include "sample-marketplace/api_item.h"

namespace lotwise::e2e {
namespace {

class ApiSearchTest : public EndToEndTest {
 protected:
  void SetUp() override {
    EndToEndTest::SetUp();
    SearchThroughApi();
  }

  // The items the API finds for `search`, most bids first, in the report's order.
  std::vector<std::int64_t> ExpectedReport(const sample::ApiSearch& search) const {
    std::vector<sample::Item> found;
    for (const sample::Item& item : market.items()) {
      if (sample::Matches(item, search)) found.push_back(item);
    }
    std::stable_sort(found.begin(), found.end(), [](const sample::Item& a, const sample::Item& b) {
      return sample::BidCount(a) > sample::BidCount(b);
    });
    return Numbers(found);
  }
  // The items of the report's rows, by their pictures.
  std::vector<std::int64_t> ReportPictures() {
    static const std::regex picture("/pict/([0-9]+)\\.jpg");
    const std::string report = ReadFile(window().ReportPath());
    std::vector<std::int64_t> numbers;
    for (std::sregex_iterator it(report.begin(), report.end(), picture), end; it != end; ++it) {
      numbers.push_back(std::stoll((*it)[1].str()));
    }
    return numbers;
  }
  static sample::ApiSearch Auctions() {
    sample::ApiSearch search;
    search.buyingOptionsGiven = true;
    search.auctions = true;
    search.minBids = kMinimumBids;
    return search;
  }
  std::size_t Count(const std::string& prefix) const {
    const std::vector<std::string> requests = served.Requests();
    return static_cast<std::size_t>(
        std::count_if(requests.begin(), requests.end(),
                      [&](const std::string& request) { return request.rfind(prefix, 0) == 0; }));
  }
};

TEST_F(ApiSearchTest, KeywordAndCategorySearchesReportTheAuctionsWithEnoughBidsMostBidsFirst) {
  sample::ApiSearch keyword = Auctions();
  keyword.words = {{"vintage", "lamp"}};
  const std::vector<std::int64_t> keywordRows = ExpectedReport(keyword);
  ASSERT_GT(keywordRows.size(), 200u) << "the search should need more than one page";
  RunSearch(Case("Keyword"));
  ExpectFinished();
  EXPECT_EQ(ReportPictures(), keywordRows);
  EXPECT_EQ(window().summary().reportRows, static_cast<long long>(keywordRows.size()));

  window().click(window().Command1);  // Begin New Search
  opened.clear();
  sample::ApiSearch category = Auctions();
  category.filter.category = 353;
  RunSearch(Case("Category"));
  ExpectFinished();
  EXPECT_EQ(ReportPictures(), ExpectedReport(category));
  EXPECT_FALSE(ReportPictures().empty());

  // One token served both searches; every page was asked for once, 200 items at a time.
  EXPECT_EQ(Count("POST /identity/v1/oauth2/token"), 1u);
  EXPECT_EQ(Count("/buy/browse/v1/item_summary/search"), (keywordRows.size() + 199) / 200 + 1);
  EXPECT_EQ(Count("/pool1") + Count("/aw/") + Count("/search/"), 0u);
}

}  // namespace
}  // namespace lotwise::e2e
