// Whole searches over HTTP: every page requested in order, the report's rows and their
// order, and links that lead through the redirect to the item's own page.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "report/csv.h"

namespace lotwise::e2e {
namespace {

// The first affiliate link of the report, as the browser would follow it.
std::string FirstRedirectLink(const std::string& report, int port) {
  const std::string start = "http://127.0.0.1:" + std::to_string(port) + "/click-";
  const std::size_t at = report.find(start);
  if (at == std::string::npos) return {};
  return report.substr(at, report.find('"', at) - at);
}

// The fields of every line of a CSV after its header, read the plain way (the sample's
// titles hold no comma or quote).
std::vector<std::vector<std::string>> CsvFields(const std::filesystem::path& file) {
  std::vector<std::vector<std::string>> lines;
  const std::string text = ReadFile(file);
  std::size_t at = text.find("\r\n");
  while (at != std::string::npos && at + 2 < text.size()) {
    const std::size_t end = text.find("\r\n", at + 2);
    const std::string line = text.substr(at + 2, end - at - 2);
    std::vector<std::string> fields(1);
    for (const char c : line) {
      if (c == ',') {
        fields.emplace_back();
      } else {
        fields.back() += c;
      }
    }
    lines.push_back(fields);
    at = end;
  }
  return lines;
}

class WholeSearchTest : public EndToEndTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(WholeSearchTest, RequestsEveryPageAndReportsRowsWithMostBidsFirst) {
  const SearchCase& search = GetParam();
  const std::vector<std::string> expectedRequests = ExpectedRequests(market, search);
  const std::vector<std::int64_t> expectedRows = ExpectedRows(Collected(search));
  // The sample data gives every search several pages and a report worth checking.
  ASSERT_GE(expectedRequests.size(), 4u);
  ASSERT_GE(expectedRows.size(), 10u);

  RunSearch(search);

  EXPECT_EQ(served.Requests(), expectedRequests);
  const std::string report = ReadFile(window().ReportPath());
  EXPECT_EQ(RowNumbers(report), expectedRows);
  ExpectFinished();
  // The CSV beside it holds the same items in the same order, each with the link its
  // row opens.
  const std::vector<std::vector<std::string>> csv = CsvFields(folder.path() / kCsvFileName);
  ASSERT_EQ(csv.size(), expectedRows.size());
  for (std::size_t i = 0; i < csv.size(); ++i) {
    EXPECT_EQ(csv[i].at(0), std::to_string(expectedRows[i]));
    EXPECT_NE(report.find("href=\"" + csv[i].at(6) + "\""), std::string::npos) << csv[i].at(6);
  }

  // Item links go through the affiliate redirect and open in a new window.
  EXPECT_EQ(report.find("href=\"http://127.0.0.1:" + std::to_string(port) + "/ws/"),
            std::string::npos);
  EXPECT_EQ(report.find("HREF=\"http://127.0.0.1:" + std::to_string(port) + "/ws/"),
            std::string::npos);
  const std::string link = FirstRedirectLink(report, port);
  ASSERT_FALSE(link.empty());
  CurlFetcher browser(nullptr);
  const std::string itemPage = browser.OpenURL(link);
  EXPECT_NE(itemPage.find("<td>Item number</td><td>" + std::to_string(expectedRows.front())),
            std::string::npos)
      << link;
}

TEST_P(WholeSearchTest, RunsAgainAfterBeginNewSearchWithTheSameResult) {
  const SearchCase& search = GetParam();
  RunSearch(search);
  const std::string first = ReadFile(window().ReportPath());
  ASSERT_TRUE(window().click(window().Command1));
  EXPECT_EQ(window().Label1.caption, "Ready for another search");
  ExpectWholeSearchWorks(search);
  EXPECT_EQ(ReadFile(window().ReportPath()), first);
}

INSTANTIATE_TEST_SUITE_P(Searches, WholeSearchTest, ::testing::ValuesIn(SearchCases()),
                         [](const auto& p) { return p.param.name; });

}  // namespace
}  // namespace lotwise::e2e
