#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "collect/page_loop.h"
#include "collect/tables.h"
#include "core/window_fixture.h"

namespace lotwise {
namespace {

using Strings = std::vector<std::string>;

const std::string kIndex = "http://listings.test/aw/plistings/list/category7/index.html";
std::string CategoryPage(int n) {
  return "http://listings.test/aw/plistings/list/category7/page" + std::to_string(n) + ".html";
}
std::string Table(const std::string& body) {
  return std::string(kBrowseTableStart) + "\"#FFFFFF\">" + body + "</table>";
}
std::string Count(const std::string& value) { return "Page 1 of <b>" + value + "</b></font>"; }

class BrowseTest : public testing::WindowTest {
 protected:
  // What the category command does before its page collection.
  void StartCategory() {
    window.Text1.text = "7";
    window.PageStart = 2;
    window.SearchKind = 2;
  }
  void Collect() { GetData(window.context(), kIndex, ""); }
};

TEST_F(BrowseTest, CollectsTheIndexPageTwiceThenEveryNumberedPage) {
  StartCategory();
  platform.pages[kIndex] = Count("3") + Table("i1") + "junk" + Table("i2");
  platform.pages[CategoryPage(2)] = Table("p2");
  platform.pages[CategoryPage(3)] = "\r\n" + Table("p3\r\nsecond line");
  Strings statuses;
  window.Label1.caption = "";
  platform.duringFetch = [&](const std::string&) { statuses.push_back(window.Label1.caption); };
  Collect();
  EXPECT_EQ(platform.fetched, (Strings{kIndex, kIndex, CategoryPage(2), CategoryPage(3)}));
  EXPECT_EQ(statuses, (Strings{"", "3 pages of listings found", "2 of 3 pages searched.",
                               "3 of 3 pages searched."}));
  EXPECT_EQ(PageFile(), Table("i1") + "\r\n" + Table("i2") + "\r\n" + Table("p2") + "\r\n" +
                            Table("p3\r\nsecond line") + "\r\n");
  EXPECT_EQ(window.PageTotal, 3);
  EXPECT_EQ(window.PageStart, 4);
  EXPECT_TRUE(window.Command6.enabled);
}

TEST_F(BrowseTest, PageCountIsTheLastOneOnThePageAndMayBeGrouped) {
  StartCategory();
  platform.pages[kIndex] = Count("9") + " OF <B> 1,234 </B></FONT>";
  platform.duringFetch = [&](const std::string& url) {
    if (url != kIndex) window.click(window.Command1);
  };
  Collect();
  EXPECT_EQ(window.PageTotal, 1234);
  EXPECT_EQ(platform.fetched.size(), 3u);
}

TEST_F(BrowseTest, IndexWithoutACountCollectsOnlyTheIndexPage) {
  StartCategory();
  platform.pages[kIndex] = Table("only");
  Collect();
  EXPECT_EQ(window.PageTotal, 0);
  EXPECT_EQ(window.Label1.caption, " pages of listings found");
  EXPECT_EQ(platform.fetched, (Strings{kIndex, kIndex}));
  EXPECT_EQ(PageFile(), Table("only") + "\r\n");
}

TEST_F(BrowseTest, FeaturedPagesHaveTheirOwnAddresses) {
  window.SearchKind = 3;
  window.PageStart = 2;
  const std::string index =
      "http://listings.test/pool1/plistings/list/auction/category0/index.html?featured";
  platform.pages[index] = Count("2");
  platform
      .pages["http://listings.test/pool1/plistings/list/auction/category0/page2.html?featured"] =
      Table("f");
  GetData(window.context(), index, "");
  EXPECT_EQ(platform.fetched.size(), 3u);
  EXPECT_EQ(PageFile(), Table("f") + "\r\n");
}

TEST_F(BrowseTest, OnlyTheFirstTableStartMayDifferInCase) {
  StartCategory();
  std::string lower = Table("a");
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string upper = Table("b");
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  platform.pages[kIndex] = lower + upper + Table("c");
  Collect();
  EXPECT_EQ(PageFile(), lower + "\r\n" + Table("c") + "\r\n");
}

TEST_F(BrowseTest, ABadCountSaysNoContentsAndCollectsFromTheIndexPage) {
  for (const std::string& count : {std::string("x1"), std::string(""), std::string("40000")}) {
    SCOPED_TRACE(count);
    std::filesystem::remove(window.PageFilePath());
    platform.fetched.clear();
    StartCategory();
    window.PageTotal = 1;
    platform.pages[kIndex] = Count(count) + Table("i");
    Collect();
    EXPECT_EQ(window.Label1.caption, "No Contents Found between selected Text...");
    EXPECT_EQ(window.PageTotal, 1);  // kept from before
    EXPECT_EQ(platform.fetched, (Strings{kIndex, kIndex}));
    EXPECT_EQ(PageFile(), Table("i") + "\r\n");
  }
}

TEST_F(BrowseTest, AFailedPageRunsTheLoopAgainFromTheIndexWithoutResettingThePage) {
  StartCategory();
  platform.pages[kIndex] = Count("4") + Table("i");
  platform.pages[CategoryPage(2)] = Table("p2");
  platform.pages[CategoryPage(3)] = Table("p3") + std::string(kBrowseTableStart) + "no end";
  platform.pages[CategoryPage(4)] = Table("p4");
  Collect();
  EXPECT_EQ(platform.fetched,
            (Strings{kIndex, kIndex, CategoryPage(2), CategoryPage(3), kIndex, CategoryPage(4)}));
  EXPECT_EQ(PageFile(), Table("i") + "\r\n" + Table("p2") + "\r\n" + Table("p3") + "\r\n" +
                            Table("i") + "\r\n" + Table("p4") + "\r\n");
  EXPECT_EQ(window.Label1.caption, "4 of 4 pages searched.");
}

TEST_F(BrowseTest, AFailureOfTheSecondRunIsLeftToTheCaller) {
  StartCategory();
  platform.pages[kIndex] = Count("3") + Table("i");  // pages 2 and 3 cannot be fetched
  EXPECT_THROW(Collect(), FetchError);
  EXPECT_EQ(platform.fetched, (Strings{kIndex, kIndex, CategoryPage(2), kIndex, CategoryPage(3)}));
  EXPECT_EQ(PageFile(), Table("i") + "\r\n" + Table("i") + "\r\n");
}

TEST_F(BrowseTest, StopDuringAFetchEndsTheCollectionAfterThatPage) {
  StartCategory();
  platform.pages[kIndex] = Count("5") + Table("i1") + Table("i2");
  platform.pages[CategoryPage(2)] = Table("p2a") + Table("p2b");
  platform.duringFetch = [&](const std::string& url) {
    if (url == CategoryPage(2)) window.click(window.Command1);
  };
  Collect();
  EXPECT_EQ(platform.fetched.back(), CategoryPage(2));
  // The record already cut when the stop was noticed is kept; none after it.
  EXPECT_EQ(PageFile(), Table("i1") + "\r\n" + Table("i2") + "\r\n");
  // Nothing moves on after the stop: the window still says what "Stop Search" said.
  EXPECT_EQ(window.PageStart, 3);
  EXPECT_EQ(window.Label1.caption, "Ready for another search");
}

TEST_F(BrowseTest, StopJustBeforeAnAppendStillAppendsThatRecordThenEnds) {
  StartCategory();
  platform.pages[kIndex] = Count("3") + Table("i1") + Table("i2") + Table("i3");
  platform.duringDoEvents = [&] {
    if (platform.doEvents == 2) window.click(window.Command1);
  };
  Collect();
  EXPECT_EQ(PageFile(), Table("i1") + "\r\n" + Table("i2") + "\r\n");
  EXPECT_EQ(platform.fetched.size(), 2u);
}

TEST_F(BrowseTest, SeeIncompleteEndsAtTheNextAppendedRecord) {
  StartCategory();
  platform.pages[kIndex] = Count("4") + Table("i");
  platform.pages[CategoryPage(2)] = "no tables here";
  platform.pages[CategoryPage(3)] = Table("p3a") + Table("p3b");
  platform.duringFetch = [&](const std::string& url) {
    if (url == CategoryPage(2)) window.click(window.Command6);
  };
  Collect();
  EXPECT_EQ(platform.fetched.back(), CategoryPage(3));  // a page without tables goes on
  EXPECT_EQ(PageFile(), Table("i") + "\r\n" + Table("p3a") + "\r\n");
  EXPECT_FALSE(window.Command6.enabled);  // not enabled again by the pages after the click
  EXPECT_EQ(window.StopRequested, 0);
}

}  // namespace
}  // namespace lotwise
