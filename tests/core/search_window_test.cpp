#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/window_fixture.h"
#include "search/categories.h"

namespace lotwise {
namespace {

using testing::WindowTest;

TEST_F(WindowTest, StartsReadyOnTheKeywordTab) {
  EXPECT_EQ(window.caption, "Lotwise -- Your Key to the Online Auction Market");
  EXPECT_EQ(window.Label1.caption,
            "Enter the minimum amount of bids you want the search to find and then choose a "
            "search.");
  EXPECT_EQ(window.txtBids.text, "0");
  EXPECT_EQ(window.SSTab1.tabs,
            (std::vector<std::string>{"Featured", "Category", "Completed", "Keyword"}));
  EXPECT_EQ(window.SSTab1.tabs[window.SSTab1.tab], "Keyword");
  EXPECT_EQ(window.cmbSearch.text, "All of these Words");
  EXPECT_EQ(window.cmbSearch.position, 0);
  EXPECT_EQ(window.cmbCategories.text, "All Categories");
  EXPECT_EQ(window.cmbCategories.items.size(), 24u);
  EXPECT_EQ(window.Label7.caption, "Between  $");
  EXPECT_EQ(window.Label8.caption, "and  $");
  EXPECT_EQ(window.Command6.caption, "See Incomplete Results");
  EXPECT_EQ(window.StopRequested, 0);
  ExpectReady();
  EXPECT_TRUE(platform.fetched.empty());
}

TEST_F(WindowTest, StopWithNoSearchRunningLeavesTheWindowReadyAndStopped) {
  EXPECT_TRUE(window.click(window.Command1));
  EXPECT_EQ(window.Label1.caption, "Ready for another search");
  EXPECT_EQ(window.StopRequested, 1);
  EXPECT_EQ(window.SeeIncomplete, 0);
  ExpectReady();
}

TEST_F(WindowTest, ADisabledCommandDoesNothing) {
  EXPECT_FALSE(window.click(window.Command6));
  EXPECT_EQ(window.SeeIncomplete, 0);
  window.Command3.enabled = false;
  EXPECT_FALSE(window.click(window.Command3));
  EXPECT_TRUE(platform.fetched.empty());
  CommandButton foreign{"Elsewhere", true};
  EXPECT_FALSE(window.click(foreign));
}

TEST_F(WindowTest, ShowCategoriesOpensTheOverviewAndChangesNothing) {
  EXPECT_TRUE(window.click(window.Command2));
  ASSERT_EQ(platform.shellCalls.size(), 1u);
  EXPECT_EQ(platform.shellCalls[0].target, "http://listings.test/aw/listings/list/categories.html");
  EXPECT_EQ(platform.shellCalls[0].parameters, "0");
  ExpectReady();
}

TEST_F(WindowTest, ASearchStartsFromNoFilesWithoutAMessageAndClearsAStop) {
  window.click(window.Command1);
  // The index page cannot be fetched: the search ends, and the window is usable again.
  EXPECT_TRUE(window.click(window.Command4));
  EXPECT_EQ(platform.fetched,
            std::vector<std::string>{
                "http://listings.test/pool1/plistings/list/auction/category0/index.html?featured"});
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_NE(window.Label1.caption.find("no page at"), std::string::npos);
  EXPECT_EQ(window.SearchKind, 3);
  EXPECT_EQ(window.PageStart, 2);
  ExpectReady();
}

TEST_F(WindowTest, SearchClearsThePreviousFilesFirst) {
  testing::WriteFile(window.PageFilePath(), "old rows\r\n");
  testing::WriteFile(window.ReportPath(), "old report");
  platform.duringFetch = [&](const std::string&) {
    EXPECT_EQ(window.Label1.caption, "Finding # of Auctions in Category.......");
    EXPECT_FALSE(PageFileExists());
    EXPECT_FALSE(ReportExists());
    EXPECT_EQ(SearchCommands(), "00000");
  };
  window.click(window.Command3);
  EXPECT_FALSE(platform.fetched.empty());
}

TEST_F(WindowTest, CategoryNumberGoesIntoTheAddressAsTyped) {
  window.Text1.text = " 12 ab";
  window.click(window.Command3);
  ASSERT_FALSE(platform.fetched.empty());
  EXPECT_EQ(platform.fetched[0],
            "http://listings.test/aw/plistings/list/category 12 ab/index.html");
}

TEST_F(WindowTest, SearchChosenWhileAStoppedSearchUnwindsRunsAfterIt) {
  std::vector<std::string> order;
  platform.duringFetch = [&](const std::string& url) {
    order.push_back(url);
    if (order.size() == 1) {
      window.click(window.Command1);
      EXPECT_TRUE(window.click(window.Command4));  // runs once the category search returned
      EXPECT_EQ(order.size(), 1u);
    }
  };
  window.click(window.Command3);
  ASSERT_EQ(order.size(), 2u);
  EXPECT_NE(order[1].find("featured"), std::string::npos);
  EXPECT_FALSE(window.searching());
}

TEST_F(WindowTest, AnEarlyEndAskedForInAnEarlierSearchDoesNotCutTheNextShort) {
  // "See Incomplete Results" clicked on a page without tables, then the search ends
  // with the too-many-listings reset: the flag must not carry over.
  const std::string index = "http://listings.test/aw/plistings/list/category/index.html";
  platform.pages[index] = "Page 1 of <b>1</b></font>";
  platform.duringFetch = [&](const std::string&) { window.click(window.Command6); };
  window.click(window.Command3);
  ASSERT_EQ(platform.messages.size(), 1u);  // nothing was collected
  platform.duringFetch = nullptr;
  const std::string row = "<table width=\"100%\" cellpadding=3 border=0 cellspacing=0 bgcolor=x>";
  platform.pages[index] = row + "1</table>" + row + "2</table>";
  window.click(window.Command3);
  EXPECT_EQ(window.Label1.caption, "Finished!!!");
  EXPECT_EQ(window.SeeIncomplete, 0);
  EXPECT_EQ(platform.shellCalls.size(), 1u);
}

TEST_F(WindowTest, CategoryListPositionGivesTheCategoryNumber) {
  ComboBox& list = window.cmbCategories;
  ASSERT_EQ(list.items.size(), 24u);
  EXPECT_EQ(list.items[2], "Automotive, Ebay motors");
  const std::pair<int, const char*> rows[] = {{0, ""},      {7, "1"}, {23, "99"}, {2, "6000"},
                                              {4, "12576"}, {-1, ""}, {24, ""}};
  for (const auto& [position, number] : rows) {
    list.position = position;
    EXPECT_EQ(getcatno(list.position), number) << position;
  }
  list.select(3);
  EXPECT_EQ(list.text, "Books");
  list.type("Books");
  EXPECT_EQ(list.position, -1);
  EXPECT_EQ(getcatno(list.position), "");
}

TEST_F(WindowTest, MenuCommandsHandTheirTargetsToTheShell) {
#ifdef _WIN32
  // Windows keeps an updater beside the program, run when there is one.
  const std::string updateMessage =
      "No updater is installed: " + (folder.path() / "Update.exe").string() + " was not found.";
  const std::size_t updaterCalls = 1;
#else
  // Elsewhere the system's packages keep the program up to date, updater or not.
  const std::string updateMessage =
      "Lotwise is updated by the system's package manager, with the rest of the system "
      "(on Debian: sudo apt update, then sudo apt upgrade).";
  const std::size_t updaterCalls = 0;
#endif
  // Without a report or an updater there is nothing to hand over: a message says so.
  window.choose(window.mnuOpen);
  window.choose(window.mnuUpdate);
  EXPECT_TRUE(platform.shellCalls.empty());
  EXPECT_EQ(platform.messages,
            (std::vector<std::string>{"There is no report to open yet: run a search first.",
                                      updateMessage}));
  testing::WriteFile(window.ReportPath(), "<p>report</p>");
  testing::WriteFile(folder.path() / "Update.exe", "updater");
  for (MenuItem* item : {&window.hlpInstruct, &window.hlpEmail, &window.mnuDiscuss,
                         &window.hlpWebsite, &window.mnuOpen, &window.mnuUpdate}) {
    window.choose(*item);
  }
  const std::string app = folder.path().string();
  ASSERT_EQ(platform.shellCalls.size(), 5u + updaterCalls);
  EXPECT_EQ(platform.shellCalls[0].target, (folder.path() / "instructions.htm").string());
  EXPECT_EQ(platform.shellCalls[1].target, "mailto:author@publisher.test");
  EXPECT_EQ(platform.shellCalls[2].target, "http://groups.test/lotwise");
  EXPECT_EQ(platform.shellCalls[3].target, "http://publisher.test");
  EXPECT_EQ(platform.shellCalls[4].target, (folder.path() / "Finalsearch.htm").string());
  EXPECT_EQ(platform.shellCalls[4].directory, "0");
  if (updaterCalls == 1) {
    EXPECT_EQ(platform.shellCalls[5].target, (folder.path() / "Update.exe").string());
    EXPECT_EQ(platform.shellCalls[5].directory, app);
  } else {
    EXPECT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages.back(), updateMessage);
  }
  ExpectReady();
}

TEST_F(WindowTest, AboutShowsOneWindowThatLoadsAnewAfterOk) {
  EXPECT_EQ(window.hlpAbout.caption, "About");
  window.choose(window.hlpAbout);
  window.frmAbout.caption = "changed";
  window.choose(window.hlpAbout);  // already open: not loaded again
  EXPECT_EQ(window.frmAbout.caption, "changed");
  EXPECT_TRUE(window.click(window.frmAbout.cmdOK));
  EXPECT_FALSE(window.frmAbout.loaded);
  window.choose(window.hlpAbout);
  EXPECT_TRUE(window.frmAbout.loaded);
  EXPECT_EQ(window.frmAbout.caption, "About Lotwise");
  EXPECT_EQ(window.frmAbout.lblVersion.caption, "Version 3.2.18");
}

}  // namespace
}  // namespace lotwise
