// The walk-through that scripts/run.sh shows without a display, against the sample
// marketplace served in-process.

#include "walkthrough/walkthrough.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"

namespace lotwise::e2e {
namespace {

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

WalkthroughPlan Plan() {
  WalkthroughPlan plan;
  plan.minimumBids = std::to_string(kMinimumBids);
  plan.category = "353";
  plan.completedWords = "clock";
  plan.keywordWords = "vintage lamp";
  plan.keywordMode = 1;
  return plan;
}

TEST_F(EndToEndTest, WalkthroughKeepsTheReportOfEachOfTheFourSearches) {
  const WalkthroughPlan plan = Plan();
  std::ostringstream out;
  Walkthrough walkthrough(HostsAt(port), folder.path(), out, plan, fetchOptions);

  const std::vector<std::filesystem::path> reports = walkthrough.Run();

  const std::vector<std::string> names{"featured", "category", "completed", "keyword"};
  const std::vector<std::string> cases{"Featured", "Category", "Completed", "Keyword"};
  ASSERT_EQ(reports.size(), names.size()) << out.str();
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(reports[i], folder.path() / ("report-" + names[i] + ".htm"));
    const std::string report = ReadFile(reports[i]);
    const std::vector<std::int64_t> expected = ExpectedRows(Collected(Case(cases[i])));
    EXPECT_EQ(RowNumbers(report), expected) << names[i];
    EXPECT_EQ(CountItemRows(report), expected.size()) << names[i];
    // The CSV kept beside it: a header line and a line a row.
    const std::string csv = ReadFile(folder.path() / ("report-" + names[i] + ".csv"));
    EXPECT_EQ(Occurrences(csv, "\r\n"), expected.size() + 1) << names[i];
  }
  const std::size_t expectedKeywordRows = ExpectedRows(Collected(Case("Keyword"))).size();
  // The window stays as the last search left it, for its picture.
  EXPECT_EQ(walkthrough.window().Label1.caption, "Finished!!!");
  EXPECT_EQ(walkthrough.window().SSTab1.tab, 3);

  const std::string printed = out.str();
  EXPECT_EQ(Occurrences(printed, "\n  Finished!!!\n"), 4u) << printed;
  EXPECT_EQ(Occurrences(printed, "\n  Ready for another search\n"), 3u) << printed;
  EXPECT_EQ(Occurrences(printed, "[handed to the desktop] "), 4u) << printed;
  EXPECT_NE(printed.find("\n  Finding # of featured auctions.......\n"), std::string::npos);
  EXPECT_NE(printed.find(" pages searched.\n"), std::string::npos);
  EXPECT_NE(printed.find(" auctions found\n"), std::string::npos);
  EXPECT_NE(printed.find(" listings found\n"), std::string::npos);
  // After each search, what it did.
  EXPECT_EQ(Occurrences(printed, " bids in Finalsearch.htm and Finalsearch.csv \xC2\xB7 "), 4u)
      << printed;
  EXPECT_NE(printed.find("\n  " + std::to_string(expectedKeywordRows) + " items with at least " +
                         plan.minimumBids + " bids in Finalsearch.htm and Finalsearch.csv"),
            std::string::npos)
      << printed;
}

TEST_F(EndToEndTest, WalkthroughThroughTheApiKeepsTheKeywordAndCategoryReports) {
  WalkthroughPlan plan = Plan();
  plan.api = MockApi();
  std::ostringstream out;
  Walkthrough walkthrough(HostsAt(port), folder.path(), out, plan, fetchOptions);

  const std::vector<std::filesystem::path> reports = walkthrough.Run();

  const std::string printed = out.str();
  ASSERT_EQ(reports.size(), 2u) << printed;
  EXPECT_EQ(reports[0], folder.path() / "report-category.htm");
  EXPECT_EQ(reports[1], folder.path() / "report-keyword.htm");
  EXPECT_GT(CountItemRows(ReadFile(reports[1])), 0u);
  EXPECT_EQ(Occurrences(printed, "\n  Finished!!!\n"), 2u) << printed;
  EXPECT_EQ(Occurrences(printed, "[message box] The marketplace's API offers no search for "), 2u)
      << printed;
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "report-featured.htm"));
  for (const std::string& request : served.Requests()) {
    EXPECT_EQ(request.find("/search/"), std::string::npos) << request;
  }
}

TEST_F(EndToEndTest, WalkthroughThroughTheSiteKeepsEveryReportButTheFeatured) {
  WalkthroughPlan plan = Plan();
  plan.site = ApiSettings{};
  plan.site->siteBaseUrl = "http://127.0.0.1:" + std::to_string(port);
  // Narrow searches: the site is asked at most one page a second.
  plan.keywordWords = "brass clock";
  plan.keywordMode = 0;
  plan.completedWords = "brass";
  std::ostringstream out;
  Walkthrough walkthrough(HostsAt(port), folder.path(), out, plan, fetchOptions);

  const std::vector<std::filesystem::path> reports = walkthrough.Run();

  const std::string printed = out.str();
  ASSERT_EQ(reports.size(), 3u) << printed;
  EXPECT_EQ(reports[0], folder.path() / "report-category.htm");
  EXPECT_EQ(reports[2], folder.path() / "report-keyword.htm");
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "report-completed.csv"));
  EXPECT_EQ(Occurrences(printed, "\n  Finished!!!\n"), 3u) << printed;
  for (const std::string& request : served.Requests()) {
    EXPECT_EQ(request.rfind("/sch/i.html?", 0), 0u) << request;
  }
}

}  // namespace
}  // namespace lotwise::e2e
