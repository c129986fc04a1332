#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/search_window.h"
#include "report/line_rows.h"
#include "report/write_report.h"
#include "search/minimum_bids.h"
#include "support/expected_report.h"
#include "support/fake_platform.h"
#include "support/test_config.h"

namespace lotwise {
namespace {

using testing::FakePlatform;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

using testing::Report;

// A category row with a bid cell, and the report row made of it.
std::string BrowseLine(const std::string& id, const std::string& bids) {
  return "<a href=\"http://l.test/" + id + "\">" + id + "</a></TD><TD ALIGN=CENTER WIDTH=\"10%\">" +
         bids + "<br>";
}
std::string BrowseRow(const std::string& id, const std::string& bids) {
  return "<a href=\"http://aff.test/click-111-999?loc=http%3A//l.test/" + id +
         "\" target=\"_blank\">" + id + "</a></TD><TD ALIGN=CENTER WIDTH=\"10%\">" + bids + "<br>";
}
// A keyword row: kept as it is when it holds no item link.
std::string KeywordLine(const std::string& id, const std::string& bids) {
  return id + "</td><td align=\"center\" valign=\"top\" width=\"10%\"><font size=\"3\">" + bids +
         "<br>";
}

class ReportWriterTest : public ::testing::Test {
 protected:
  void Run(int kind, const std::string& pageFile, const std::string& minimum) {
    WriteFile(window.PageFilePath(), pageFile);
    window.SearchKind = static_cast<std::int16_t>(kind);
    window.txtBids.text = minimum;
    WriteReport(window.context(), kind == 1 ? ItemLinkRows() : AffiliateRows());
  }
  void ExpectOpened(const std::string& rows) {
    EXPECT_EQ(ReadFile(window.ReportPath()), Report(rows));
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_EQ(platform.shellCalls[0].target, window.ReportPath().string());
    EXPECT_EQ(platform.shellCalls[0].parameters, "0");
    EXPECT_EQ(platform.shellCalls[0].directory, "0");
    EXPECT_EQ(window.Label1.caption, "Finished!!!");
    EXPECT_EQ(window.Command1.caption, "Begin New Search");
    EXPECT_FALSE(std::filesystem::exists(window.PageFilePath()));
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
      files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector{folder.path() / "Finalsearch.csv", window.ReportPath()}));
  }

  TempFolder folder;
  FakePlatform platform;
  SearchWindow window{testing::TestConfig(), folder.path(), platform};
};

TEST_F(ReportWriterTest, BrowseRowsByCountThenFileOrder) {
  Run(2,
      BrowseLine("a", "7") + "\r\n" + BrowseLine("b", "2") + "\r\n" + BrowseLine("c", "7") + "\r" +
          BrowseLine("d", "4") + "\r\n",
      "3");
  ExpectOpened(BrowseRow("a", "7") + BrowseRow("c", "7") + BrowseRow("d", "4"));
}

TEST_F(ReportWriterTest, TheWidestRangeOfCountsFromTheLowestMinimumToTheHighestCount) {
  Run(2,
      BrowseLine("a", "5") + "\r\n" + BrowseLine("b", "32,767") + "\r\n" + BrowseLine("c", "99999"),
      "-99999");
  ExpectOpened(BrowseRow("b", "32,767") + BrowseRow("c", "99999") + BrowseRow("a", "5"));
}

TEST_F(ReportWriterTest, MinimumZeroWritesLinesWithoutBidsLast) {
  Run(2, "<td>none</td>\r\n<a href=\"http://l.test/z\">z</a>\r\n" + BrowseLine("a", "1"), "0");
  ExpectOpened(BrowseRow("a", "1") +
               "<a href=\"http://aff.test/click-111-999?loc=http%3A//l.test/z\" "
               "target=\"_blank\">z</a>");
}

TEST_F(ReportWriterTest, KeywordRowsWithASignedCountCountNone) {
  WriteFile(window.ReportPath(), "an old report");
  Run(1,
      KeywordLine("x", "-5") + "\r\n" + KeywordLine("y", "12") + "\r\nplain\nrow\r\n" +
          KeywordLine("<a href=\"http://i.test/?item=4&amp;c\">", "3"),
      "-99999");
  ExpectOpened(KeywordLine("y", "12") +
               KeywordLine("<a href=\"http://aff.test/click-222-999?loc=http%3A//items.test/ws/"
                           "eBayISAPI.dll%3FViewItem%26item%3D4\"target=\"_new\">",
                           "3") +
               KeywordLine("x", "-5") + "plain\nrow");
}

TEST_F(ReportWriterTest, NoRowsWhenNothingReachesTheMinimum) {
  for (const std::string& page : {std::string(), KeywordLine("y", "12")}) {
    for (const char* minimum : {"13", "99999"}) {
      Run(1, page, minimum);
      ExpectOpened("");
      platform.shellCalls.clear();
    }
  }
}

TEST_F(ReportWriterTest, StopRequestedDoesNothing) {
  window.StopRequested = 1;
  window.Label1.caption = "Ready for another search";
  Run(2, BrowseLine("a", "7"), "0");
  Run(1, KeywordLine("a", "7"), "0");
  EXPECT_EQ(window.Label1.caption, "Ready for another search");
  EXPECT_TRUE(std::filesystem::exists(window.PageFilePath()));
  EXPECT_FALSE(std::filesystem::exists(window.ReportPath()));
  EXPECT_TRUE(platform.shellCalls.empty());
}

TEST_F(ReportWriterTest, MissingPageFileEndsWithTheTooManyListingsMessage) {
  for (int kind : {1, 4}) {
    window.StopRequested = 0;
    window.SearchKind = static_cast<std::int16_t>(kind);
    window.EnableSearchCommands(false);
    window.Command1.caption = "See";
    platform.duringMessageBox = [&](const std::string&) {
      EXPECT_EQ(window.Label1.caption, "Finding Bid amounts.......");
    };
    WriteReport(window.context(), kind == 1 ? ItemLinkRows() : AffiliateRows());
    EXPECT_EQ(platform.messages.size(), kind == 1 ? 1u : 2u);
    EXPECT_EQ(window.StopRequested, 1);
    EXPECT_TRUE(window.Command3.enabled && window.cmdSearch.enabled);
    EXPECT_EQ(window.Command1.caption, "Stop Search");
    EXPECT_EQ(window.Label1.caption, "Ready for another search");
    EXPECT_FALSE(std::filesystem::exists(window.ReportPath()));
  }
}

TEST_F(ReportWriterTest, ReportThatCannotBeWrittenKeepsThePageFile) {
  std::filesystem::create_directories(window.ReportPath() / "in the way");
  WriteFile(window.PageFilePath(), BrowseLine("a", "7"));
  window.SearchKind = 2;
  try {
    WriteReport(window.context(), AffiliateRows());
    ADD_FAILURE() << "no error";
  } catch (const ReportError& failure) {
    EXPECT_STREQ(failure.what(), "Could not write Finalsearch.htm: Is a directory");
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Finalsearch.htm.part"));
  std::filesystem::create_directories(folder.path() / "Finalsearch.htm.part");
  try {
    WriteReport(window.context(), AffiliateRows());
    ADD_FAILURE() << "no error";
  } catch (const ReportError& failure) {
#if defined(_WIN32)
    // Windows refuses a folder opened as a file as it refuses a file without rights.
    EXPECT_STREQ(failure.what(), "Could not create Finalsearch.htm: Permission denied");
#else
    EXPECT_STREQ(failure.what(), "Could not create Finalsearch.htm: Is a directory");
#endif
  }
  EXPECT_EQ(ReadFile(window.PageFilePath()), BrowseLine("a", "7"));
  EXPECT_TRUE(platform.shellCalls.empty());
  EXPECT_EQ(window.Label1.caption, "Creating Output.......");
}

TEST(MinimumBidCount, ReadsTheTypedMinimum) {
  EXPECT_EQ(MinimumBidCount("3"), 3);
  EXPECT_EQ(MinimumBidCount(" 2.5 "), 2);
  EXPECT_EQ(MinimumBidCount("3.5"), 4);
  EXPECT_EQ(MinimumBidCount("1,000"), 1000);
  EXPECT_EQ(MinimumBidCount("-7"), -7);
  EXPECT_EQ(MinimumBidCount("32767.5"), 32767);
  EXPECT_EQ(MinimumBidCount("99999"), 32767);
  EXPECT_EQ(MinimumBidCount("-99999"), -32768);
  EXPECT_EQ(MinimumBidCount(""), 0);
  EXPECT_EQ(MinimumBidCount("ten"), 0);
  EXPECT_EQ(MinimumBidCount("1e9"), 0);
  EXPECT_EQ(MinimumBidCount("99999x"), 0);
}

}  // namespace
}  // namespace lotwise
