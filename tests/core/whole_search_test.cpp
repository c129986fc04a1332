#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/window_fixture.h"
#include "search/summary.h"
#include "support/expected_report.h"
#include "support/pages.h"
#include "support/plain_rewrite.h"

namespace lotwise {
namespace {

using Strings = std::vector<std::string>;
using testing::BrowseRow;
using testing::BrowseTable;
using testing::CompletedRow;
using testing::CompletedTable;
using testing::KeywordCells;
using testing::KeywordRowCells;
using testing::kFirstKeywordStart;
using testing::kOffsetStart;
using testing::PlainReplace;
using testing::Report;

// The address of a keyword search's first page, and that of its next pages without the
// number of results they skip, for the query as sent.
std::string KeywordFirstPage(const std::string& query) {
  return "http://search.test/search/search.dll?MfcISAPICommand=GetResult&ht=1&query2=" + query +
         "&search_option=1&submit=+Search+&minPrice=&maxPrice=&category0=&exclude=&st=&"
         "SortProperty=MetaEndSort&maxRecordsPerPage=50&worldlocation=ebayavail&region=0&"
         "available_to=1&located_in=1&ebaycurr=&siteid=0&query=" +
         query +
         "&shortcut=&ebaytag1code_tmp=&ebaytag1_tmp=&ebaytag1code=&ebaytag1=&ebaytag12=ebayreg&"
         "from=R6";
}
std::string KeywordNextPages(const std::string& query) {
  return "http://search.test/ws/search/SaleSearch?ebaytag1_tmp=&exclude=&ht=1&ebaytag1code_tmp=&"
         "sosortproperty=1&satitle=" +
         query + "&sorecordsperpage=50&from=R6&sorecordstoskip=";
}

class WholeSearchTest : public testing::WindowTest {
 protected:
  Strings statuses;

  void SetUp() override {
    // Every status text the window shows while it handles input or waits for a page.
    const auto record = [this] {
      if (statuses.empty() || statuses.back() != window.Label1.caption) {
        statuses.push_back(window.Label1.caption);
      }
    };
    platform.duringFetch = [record](const std::string&) { record(); };
    platform.duringDoEvents = record;
  }

  void ExpectFinished(const std::string& rows) {
    EXPECT_EQ(testing::ReadFile(window.ReportPath()), Report(rows));
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_EQ(platform.shellCalls[0].target, window.ReportPath().string());
    EXPECT_EQ(window.Label1.caption, "Finished!!!");
    EXPECT_EQ(window.Command1.caption, "Begin New Search");
    EXPECT_EQ(SearchCommands(), "00000");
    EXPECT_FALSE(PageFileExists());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(window.click(window.Command1));
    ExpectReady();
  }
};

TEST_F(WholeSearchTest, CategorySearchReportsRowsWithMostBidsFirst) {
  const std::string base = "http://listings.test/aw/plistings/list/category42/";
  platform.pages[base + "index.html"] = "<font>Page 1 of <b>2</b></font>\r\n" +
                                        BrowseTable("1", "3") + "\r\n" + BrowseTable("2", "5") +
                                        BrowseTable("3", "-") + BrowseTable("4", "1");
  platform.pages[base + "page2.html"] = BrowseTable("5", "12") + "\n" + BrowseTable("6", "5");
  window.Text1.text = "42";
  window.txtBids.text = "2";
  EXPECT_TRUE(window.click(window.Command3));
  EXPECT_EQ(platform.fetched,
            (Strings{base + "index.html", base + "index.html", base + "page2.html"}));
  EXPECT_EQ(statuses, (Strings{"Finding # of Auctions in Category.......",
                               "2 pages of listings found", "2 of 2 pages searched."}));
  ExpectFinished(BrowseRow("5", "12") + BrowseRow("2", "5") + BrowseRow("6", "5") +
                 BrowseRow("1", "3"));
}

TEST_F(WholeSearchTest, TheSummaryCountsPagesRecordsLinesRowsAndUnreadableBids) {
  const std::string base = "http://listings.test/aw/plistings/list/category42/";
  platform.pages[base + "index.html"] = "<font>Page 1 of <b>2</b></font>" + BrowseTable("1", "3") +
                                        BrowseTable("2", "1234") + BrowseTable("3", "-");
  platform.pages[base + "page2.html"] =
      BrowseTable("4", "12") + BrowseTable("5", "$9.50") + BrowseTable("6", "5");
  window.Text1.text = "42";
  window.txtBids.text = "2";
  window.click(window.Command3);
  const SearchSummary& summary = window.summary();
  EXPECT_EQ(summary.end, SearchEnd::kFinished);
  EXPECT_EQ(summary.pagesCollected, 2);
  EXPECT_EQ(summary.pagesExpected, 2);
  EXPECT_EQ(summary.recordsAppended, 6);
  EXPECT_EQ(summary.linesRead, 6);
  EXPECT_EQ(summary.reportRows, 4);
  EXPECT_EQ(summary.unreadableLeftOut, 1);  // "$9.50"; "-" is no bids
  EXPECT_EQ(SummaryText(summary),
            "4 items with at least 2 bids in Finalsearch.htm and Finalsearch.csv \xC2\xB7 2 pages "
            "\xC2\xB7 1 row left "
            "out: bid count unreadable");
  // With a minimum of 0 every row is in the report, none left out.
  window.click(window.Command1);
  window.txtBids.text = "0";
  window.click(window.Command3);
  EXPECT_EQ(window.summary().reportRows, 6);
  EXPECT_EQ(window.summary().unreadableLeftOut, 0);
}

TEST_F(WholeSearchTest, FeaturedSearchReadsItsOwnPages) {
  const std::string base = "http://listings.test/pool1/plistings/list/auction/category0/";
  platform.pages[base + "index.html?featured"] =
      "of <b>1</b></font>" + BrowseTable("7", "4") + BrowseTable("8", "<b>9</b>");
  window.txtBids.text = "0";
  window.click(window.Command4);
  EXPECT_EQ(platform.fetched, Strings(2, base + "index.html?featured"));
  ExpectFinished(BrowseRow("8", "<b>9</b>") + BrowseRow("7", "4"));  // a count in bold counts
}

TEST_F(WholeSearchTest, CompletedItemsSearchUsesTheBrowseReport) {
  const std::string first =
      "http://completed.test/search/search.dll?ht=1&query=brass+clock&SortProperty=MetaEndSort";
  const std::string next =
      "http://completed.test/search/search.dll?GetResult&query=brass+clock&ht=1&combine=y&"
      "SortProperty=MetaEndSort&st=2&skip=";
  platform.pages[first] =
      "<tr><td><font size=2 face=\"Arial, Helvetica, sans-serif\"><b>51</b> items" +
      CompletedTable("1", "2") + "\r\n" + CompletedTable("2", "8");
  platform.pages[next + "50"] = CompletedTable("3", "2");
  platform.pages[next + "100"] = "";
  window.Text2.text = "brass clock";
  window.txtBids.text = "2";
  window.click(window.Command5);
  EXPECT_EQ(platform.fetched, (Strings{first, first, next + "50", next + "100"}));
  EXPECT_EQ(statuses, (Strings{"Finding # of completed auctions.......", "51 listings found",
                               "50 of 51 searched.", "100 of 51 searched."}));
  ExpectFinished(CompletedRow("2", "8") + CompletedRow("1", "2") + CompletedRow("3", "2"));
}

TEST_F(WholeSearchTest, KeywordSearchRewritesItemLinksAndKeepsTheFirstPageOpen) {
  window.txtTitle.text = "blue vase";
  window.txtBids.text = "1";
  const std::string first = KeywordFirstPage("blue+vase");
  const std::string next = KeywordNextPages("blue+vase");
  platform.pages[first] = "<script>var searchResultTotal = \"50\";</script>" + kFirstKeywordStart +
                          KeywordCells("1", "4") + "</table>\r\n" + kFirstKeywordStart +
                          KeywordCells("2", "0") + "</table>";
  platform.pages[next + "50"] =
      kOffsetStart + KeywordCells("3", "9") + "\r\n" + KeywordCells("4", "4") + "</table>";
  window.click(window.cmdSearch);
  EXPECT_EQ(platform.fetched, (Strings{first, first, next + "50"}));
  EXPECT_EQ(statuses, (Strings{"Deleting Temporary Files.......", "50 auctions found",
                               "50 of 50 searched."}));
  // The table of a next page spans two lines: each line is a row of its own.
  ExpectFinished(kOffsetStart + KeywordRowCells("3", "9") + kFirstKeywordStart +
                 KeywordRowCells("1", "4") + KeywordRowCells("4", "4") + "</table>");
}

// Rows that carry script keep their place, bid count and rewritten links, and lose the
// script alone; a row without any stays as the rewriting makes it.
TEST_F(WholeSearchTest, CategoryReportRowsRunNoCode) {
  const std::string base = "http://listings.test/aw/plistings/list/category7/";
  platform.pages[base + "index.html"] =
      "of <b>1</b></font>" +
      PlainReplace(BrowseTable("1", "4"), "\">Item 1",
                   "\" onmouseover=\"steal()\">Item 1<script>steal()</script>") +
      PlainReplace(BrowseTable("2", "6"), "</a>",
                   "</a><a href=\"java&#115;cript:steal()\">more</a><img src=x.gif "
                   "onerror=steal()><IFRAME src=\"http://evil.test/\"></iframe>") +
      BrowseTable("3", "5");
  window.Text1.text = "7";
  window.txtBids.text = "1";
  window.click(window.Command3);
  ExpectFinished(PlainReplace(BrowseRow("2", "6"), "</a>",
                              "</a><a href=\"#\" target=\"_blank\">more</a><img src=x.gif "
                              "></iframe>") +
                 BrowseRow("3", "5") +
                 PlainReplace(BrowseRow("1", "4"), "\">Item 1", "\" >Item 1"));
}

TEST_F(WholeSearchTest, KeywordReportRowsRunNoCode) {
  window.txtTitle.text = "brass lamp";
  window.txtBids.text = "1";
  const std::string first = KeywordFirstPage("brass+lamp");
  platform.pages[first] =
      "<script>var searchResultTotal = \"3\";</script>" + kFirstKeywordStart +
      PlainReplace(KeywordCells("1", "3"), "\">Item 1",
                   "\" onclick=steal()>Item 1<svg onload=steal()>") +
      "</table>\r\n" + kFirstKeywordStart +
      PlainReplace(KeywordCells("2", "7"), "Item 2</a>",
                   "Item 2</a><a href=\" JAVA\tSCRIPT&colon;steal()\">seller</a>"
                   "<script src=\"http://evil.test/x.js\"></script>") +
      "</table>\r\n" + kFirstKeywordStart + KeywordCells("3", "5") + "</table>";
  const std::string next = KeywordNextPages("brass+lamp") + "50";
  platform.pages[next] = "";
  window.click(window.cmdSearch);
  EXPECT_EQ(platform.fetched, (Strings{first, first, next}));
  ExpectFinished(
      kFirstKeywordStart +
      PlainReplace(KeywordRowCells("2", "7"), "Item 2</a>", "Item 2</a><a href=\"#\">seller</a>") +
      kFirstKeywordStart + KeywordRowCells("3", "5") + kFirstKeywordStart +
      PlainReplace(KeywordRowCells("1", "3"), "\">Item 1", "\" >Item 1"));
}

TEST_F(WholeSearchTest, SeeIncompleteReportsWhatWasCollected) {
  const std::string base = "http://listings.test/aw/plistings/list/category1/";
  platform.pages[base + "index.html"] = "of <b>9</b></font>" + BrowseTable("1", "3");
  platform.pages[base + "page2.html"] = BrowseTable("2", "6") + BrowseTable("3", "7");
  window.Text1.text = "1";
  platform.duringFetch = [&](const std::string& url) {
    if (url == base + "page2.html") window.click(window.Command6);
  };
  window.click(window.Command3);
  EXPECT_EQ(platform.fetched.back(), base + "page2.html");
  EXPECT_FALSE(window.Command6.enabled);
  ExpectFinished(BrowseRow("2", "6") + BrowseRow("1", "3"));
  EXPECT_EQ(SummaryText(window.summary()),
            "Cut short after 2 of 9 pages: 2 items with at least 0 bids");
}

TEST_F(WholeSearchTest, StopDuringTheCollectionKeepsThePageFileAndWritesNoReport) {
  const std::string base = "http://listings.test/aw/plistings/list/category1/";
  platform.pages[base + "index.html"] = "of <b>9</b></font>" + BrowseTable("1", "3");
  platform.pages[base + "page2.html"] = BrowseTable("2", "6");
  window.Text1.text = "1";
  platform.duringFetch = [&](const std::string& url) {
    if (url == base + "page2.html") window.click(window.Command1);
  };
  window.click(window.Command3);
  EXPECT_EQ(platform.fetched.size(), 3u);
  // Nothing moves on after the stop: the status line keeps what "Stop Search" said.
  EXPECT_EQ(window.Label1.caption, "Ready for another search");
  EXPECT_EQ(window.PageStart, 3);
  EXPECT_EQ(PageFile(), BrowseTable("1", "3") + "\r\n");
  EXPECT_FALSE(ReportExists());
  EXPECT_TRUE(platform.shellCalls.empty());
  ExpectReady();
  EXPECT_EQ(SummaryText(window.summary()), "Stopped after 1 of 9 pages: no report written");
}

TEST_F(WholeSearchTest, NothingCollectedSaysTooManyListings) {
  platform.pages["http://listings.test/aw/plistings/list/category1/index.html"] = "no tables";
  window.Text1.text = "1";
  window.click(window.Command3);
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(window.Label1.caption, "Ready for another search");
  EXPECT_EQ(window.StopRequested, 1);
  EXPECT_EQ(SearchCommands(), "11111");
  EXPECT_EQ(window.Command1.caption, "Stop Search");
}

TEST_F(WholeSearchTest, APageFileThatCannotBeWrittenEndsTheSearchWithItsReason) {
  // A folder that cannot be deleted stands where the page file goes.
  std::filesystem::create_directory(window.PageFilePath());
  testing::WriteFile(window.PageFilePath() / "keep", "x");
  platform.pages["http://listings.test/aw/plistings/list/category1/index.html"] =
      BrowseTable("1", "3");
  window.Text1.text = "1";
  window.click(window.Command3);
  EXPECT_NE(window.Label1.caption.find("Listinglist.txt"), std::string::npos)
      << window.Label1.caption;
  EXPECT_EQ(window.StopRequested, 1);
  EXPECT_FALSE(ReportExists());
  ExpectReady();
}

}  // namespace
}  // namespace lotwise
