// Searches that meet a server that cannot be reached or that misbehaves part way: the
// page file keeps what was collected (or the report is written from it), and the window
// is ready for the next search, which works once the server answers again.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "sample-marketplace/faults.h"

namespace lotwise::sample {

inline std::string FaultName(Fault fault) {
  switch (fault) {
    case Fault::kStall:
      return "Stall";
    case Fault::kReset:
      return "Reset";
    case Fault::kServerError:
      return "ServerError";
    case Fault::kGarbage:
      return "Garbage";
    case Fault::kRobotCheck:
      return "RobotCheck";
    case Fault::kNone:
      break;
  }
  return "None";
}

// Test names show the fault's name.
inline void PrintTo(Fault fault, std::ostream* out) { *out << FaultName(fault); }

}  // namespace lotwise::sample

namespace lotwise::e2e {
namespace {

using sample::Fault;

class RefusedTest : public EndToEndTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(RefusedTest, FirstFetchRefusedEndsTheSearchQuietly) {
  const SearchCase& search = GetParam();
  served.Stop();
  const int closed = ClosedPort();
  OpenWindow(closed);

  RunSearch(search);

  ExpectReady();
  // The status line says it in short; the network library's words are in the detail.
  EXPECT_EQ(window().Label1.caption,
            "Search ended: the marketplace could not be reached (127.0.0.1:" +
                std::to_string(closed) + ")");
  EXPECT_NE(window().statusDetail.find("http://127.0.0.1:" + std::to_string(closed) + "/"),
            std::string::npos)
      << window().statusDetail;
  EXPECT_EQ(window().summary().end, SearchEnd::kFailure);
  EXPECT_FALSE(std::filesystem::exists(window().PageFilePath()));
  EXPECT_FALSE(std::filesystem::exists(window().ReportPath()));
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(opened.empty());

  served.Start({}, closed);
  ExpectWholeSearchWorks(search);
}

INSTANTIATE_TEST_SUITE_P(Searches, RefusedTest, ::testing::ValuesIn(SearchCases()),
                         [](const auto& p) { return p.param.name; });

TEST_F(EndToEndTest, AnUnknownCategoryAndACompletedSearchThatFindsNothingSaySo) {
  window().Text1.text = "abc";  // the sample marketplace answers 404
  window().click(window().Command3);
  EXPECT_EQ(messages, std::vector<std::string>{"The marketplace refused the request (HTTP 404)."});
  EXPECT_EQ(window().Label1.caption, "Ready for another search");
  EXPECT_EQ(SearchCommands(), "11111");

  messages.clear();
  window().Text2.text = "qqqzzz";  // no item holds the word
  window().click(window().Command5);
  EXPECT_EQ(messages, std::vector<std::string>{"The marketplace found no items for this search."});
  EXPECT_EQ(window().Label1.caption, "Ready for another search");
  EXPECT_EQ(window().summary().end, SearchEnd::kMessage);
}

// Requests answered well before the fault: the page count or total, then two pages of
// tables. Every later request meets the fault.
constexpr std::uint64_t kAnsweredWell = 3;

// A reset connection or a stall past the fetch time-out fails the fetch; a 500 answer or
// garbage is a page without result tables.
bool FailsTheFetch(Fault fault) { return fault == Fault::kReset || fault == Fault::kStall; }

class FaultTest : public EndToEndTest,
                  public ::testing::WithParamInterface<std::tuple<std::string, Fault>> {};

TEST_P(FaultTest, KeepsWhatWasCollectedAndStaysUsable) {
  const SearchCase& search = Case(std::get<0>(GetParam()));
  const Fault fault = std::get<1>(GetParam());
  const std::vector<std::string> all = ExpectedRequests(market, search);
  ASSERT_GT(all.size(), kAnsweredWell + 1);
  sample::ServerSettings faulty;
  faulty.fault = fault;
  faulty.faultAfter = kAnsweredWell;
  served.Restart(faulty);

  RunSearch(search);

  const std::vector<sample::Item> collected = ItemsOn({all[1], all[2]});
  std::vector<std::string> requested = all;
  if (FailsTheFetch(fault)) {
    requested.resize(kAnsweredWell + 1);
    // A browse runs its page loop once more from the index page after a failure.
    if (search.browse) requested.push_back(search.first);
  }
  EXPECT_EQ(served.Requests(), requested);
  if (FailsTheFetch(fault) && search.browse) {
    // The second run failed too: the search ends without a report.
    ExpectReady();
    EXPECT_EQ(PageFileRows(), Numbers(collected));
    EXPECT_FALSE(std::filesystem::exists(window().ReportPath()));
    EXPECT_TRUE(opened.empty());
  } else {
    // The collection ends, or reads pages without tables to the end: the report is
    // written from the pages collected before the fault.
    EXPECT_EQ(ReportRows(), ExpectedRows(collected));
    ExpectFinished();
  }
  EXPECT_TRUE(messages.empty());

  served.Restart();
  ExpectWholeSearchWorks(search);
}

INSTANTIATE_TEST_SUITE_P(
    Searches, FaultTest,
    ::testing::Combine(::testing::Values("Featured", "Category", "Completed", "Keyword"),
                       ::testing::Values(Fault::kStall, Fault::kReset, Fault::kServerError,
                                         Fault::kGarbage)),
    [](const auto& p) { return std::get<0>(p.param) + sample::FaultName(std::get<1>(p.param)); });

}  // namespace
}  // namespace lotwise::e2e
