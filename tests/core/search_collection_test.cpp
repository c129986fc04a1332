#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "collect/search_results.h"
#include "collect/tables.h"
#include "core/window_fixture.h"

namespace lotwise {
namespace {

using Strings = std::vector<std::string>;

const std::string kFirst = "http://search.test/first";
const std::string kNext = "http://search.test/next?skip=";

std::string Total(const std::string& value) {
  return "<script>var searchResultTotal = \"" + value + "\";</script>";
}
std::string FirstTable(const std::string& body) {
  return std::string(kFirstKeywordTableStart) + ">" + body + "</table>";
}
std::string Table(const std::string& body) {
  return std::string(kOffsetTableStart) + "#fff>" + body + "</table>";
}
std::string CompletedTotal(const std::string& value) {
  return "<tr><td><font size=2 face=\"Arial, Helvetica, sans-serif\"><b>" + value + "</b>";
}

class KeywordCollectionTest : public testing::WindowTest {
 protected:
  void SetUp() override { window.SearchKind = 1; }
  void Collect() { GetTotalAuctions(window.context(), kFirst, kNext); }
};

TEST_F(KeywordCollectionTest, PagesByOffsetUpToTheFirstNotBelowTheTotal) {
  platform.pages[kFirst] = Total("120") + FirstTable("a") + FirstTable("b");
  for (int offset : {50, 100, 150}) {
    platform.pages[kNext + std::to_string(offset)] = Table(std::to_string(offset));
  }
  Strings statuses;
  window.Label1.caption = "";
  platform.duringFetch = [&](const std::string&) { statuses.push_back(window.Label1.caption); };
  Collect();
  EXPECT_EQ(platform.fetched,
            (Strings{kFirst, kFirst, kNext + "50", kNext + "100", kNext + "150"}));
  EXPECT_EQ(statuses, (Strings{"", "120 auctions found", "50 of 120 searched.",
                               "100 of 120 searched.", "150 of 120 searched."}));
  // Records of the first page stop before their "</table>"; all others keep it.
  EXPECT_EQ(PageFile(), std::string(kFirstKeywordTableStart) + ">a\r\n" +
                            std::string(kFirstKeywordTableStart) + ">b\r\n" + Table("50") + "\r\n" +
                            Table("100") + "\r\n" + Table("150") + "\r\n");
  EXPECT_EQ(window.TotalFound, 120);
  EXPECT_TRUE(window.Command6.enabled);
}

TEST_F(KeywordCollectionTest, ATotalOfZeroReadsOnlyTheFirstPage) {
  platform.pages[kFirst] = Total(" 0 ") + FirstTable("a");
  Collect();
  EXPECT_EQ(platform.fetched, (Strings{kFirst, kFirst}));
  EXPECT_EQ(window.Label1.caption, " 0  auctions found");
}

TEST_F(KeywordCollectionTest, AFailedPageEndsTheCollectionSilentlyKeepingWhatItHolds) {
  platform.pages[kFirst] = Total("1,234") + FirstTable("a");  // offset 50 cannot be fetched
  Collect();
  EXPECT_EQ(window.TotalFound, 1234);
  EXPECT_EQ(window.Label1.caption, "50 of 1234 searched.");
  EXPECT_EQ(platform.fetched.back(), kNext + "50");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(window.StopRequested, 0);
  EXPECT_EQ(PageFile(), std::string(kFirstKeywordTableStart) + ">a\r\n");
}

TEST_F(KeywordCollectionTest, ATotalThatIsNotANumberSaysTooManyListings) {
  const std::string tooBroad =
      "<html><body>Your search is far too broad.\";";  // no total start, an end later
  for (const std::string& page : {Total(""), Total("many"), tooBroad}) {
    SCOPED_TRACE(page);
    platform.messages.clear();
    window.StopRequested = 0;
    window.SeeIncomplete = 1;
    window.Command6.enabled = true;
    window.EnableSearchCommands(false);
    platform.pages[kFirst] = page;
    Collect();
    EXPECT_EQ(platform.messages,
              Strings{"eBay says your search returned too many listings. Please narrow it and "
                      "try again"});
    EXPECT_EQ(window.StopRequested, 1);
    EXPECT_EQ(window.Label1.caption, "Ready for another search");
    EXPECT_EQ(SearchCommands(), "11111");
    EXPECT_EQ(window.SeeIncomplete, 1);     // left as it was
    EXPECT_FALSE(window.Command6.enabled);  // the search has ended: nothing to cut short
  }
}

TEST_F(KeywordCollectionTest, OtherBadTotalsEndTheCollectionWithoutAMessage) {
  for (const std::string& page : {std::string("no markers at all"), Total("99999999999"),
                                  std::string("var searchResultTotal = \"12")}) {
    SCOPED_TRACE(page);
    platform.fetched.clear();
    platform.pages[kFirst] = page;
    Collect();
    EXPECT_EQ(platform.fetched.size(), 1u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(window.StopRequested, 0);
  }
}

TEST_F(KeywordCollectionTest, AFailedFirstFetchIsLeftToTheCaller) {
  EXPECT_THROW(Collect(), FetchError);
  EXPECT_FALSE(PageFileExists());
}

TEST_F(KeywordCollectionTest, AFirstPageWithoutATableIsAskedForFiveTimesThenGivenUp) {
  using std::chrono::seconds;
  platform.pages[kFirst] = Total("3");
  platform.duringFetch = [&](const std::string&) {
    if (platform.fetched.size() == 3) window.click(window.Command6);  // does not end it
  };
  Collect();
  // The fetch that read the total, then five of the retry loop, pausing longer each time.
  EXPECT_EQ(platform.fetched, Strings(6, kFirst));
  EXPECT_EQ(platform.pausedFor, (std::vector<std::chrono::milliseconds>{seconds(1), seconds(2),
                                                                        seconds(4), seconds(8)}));
  EXPECT_EQ(platform.messages,
            Strings{"The marketplace's result page held no result table in 6 tries."});
  EXPECT_EQ(window.StopRequested, 1);
  EXPECT_EQ(window.Label1.caption, "Ready for another search");
  EXPECT_FALSE(PageFileExists());
}

TEST_F(KeywordCollectionTest, StopDuringThePauseFetchesNothingMore) {
  platform.pages[kFirst] = Total("3");
  struct StopOnPause : testing::FakePlatform {
    SearchWindow* window = nullptr;
    void Pause(std::chrono::milliseconds) override { window->click(window->Command1); }
  };
  StopOnPause stopping;
  stopping.pages = platform.pages;
  SearchWindow other(testing::TestConfig(), folder.path(), stopping);
  stopping.window = &other;
  other.SearchKind = 1;
  GetTotalAuctions(other.context(), kFirst, kNext);
  EXPECT_EQ(stopping.fetched, Strings(2, kFirst));
}

TEST_F(KeywordCollectionTest, SeeIncompleteOnTheFirstPageEndsTheCollection) {
  platform.pages[kFirst] = Total("500") + FirstTable("a") + FirstTable("b");
  platform.duringDoEvents = [&] { window.click(window.Command6); };
  Collect();
  EXPECT_EQ(PageFile(), std::string(kFirstKeywordTableStart) + ">a\r\n");
  EXPECT_EQ(platform.fetched.size(), 2u);
}

TEST_F(KeywordCollectionTest, CompletedItemsReadTheirOwnTotalAndCutEveryPageWithTheOffsetStart) {
  window.SearchKind = 4;
  window.Text2.text = "old lamp";
  const std::string first =
      "http://completed.test/search/search.dll?ht=1&query=old+lamp&SortProperty=MetaEndSort";
  const std::string next =
      "http://completed.test/search/search.dll?GetResult&query=old+lamp&ht=1&combine=y&"
      "SortProperty=MetaEndSort&st=2&skip=";
  platform.pages[first] = CompletedTotal("60") + Table("a") + FirstTable("not cut");
  platform.pages[next + "50"] = Table("b");
  platform.pages[next + "100"] = Table("c");
  Strings statuses;
  platform.duringFetch = [&](const std::string&) { statuses.push_back(window.Label1.caption); };
  CollectCompletedPages(window.context());
  EXPECT_EQ(platform.fetched, (Strings{first, first, next + "50", next + "100"}));
  EXPECT_EQ(statuses[1], "60 listings found");
  EXPECT_EQ(PageFile(), Table("a") + "\r\n" + Table("b") + "\r\n" + Table("c") + "\r\n");
}

TEST_F(KeywordCollectionTest, NothingIsFetchedAfterAStop) {
  window.StopRequested = 1;
  CollectCompletedPages(window.context());
  CreateTextFile(window.context(), kFirst, kNext);
  EXPECT_TRUE(platform.fetched.empty());
}

}  // namespace
}  // namespace lotwise
