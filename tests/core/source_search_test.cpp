// Keyword and category searches through the marketplace's API, on a fake of the API: the
// requests each tab builds, paging, the report, and every error and warning.

#include "collect/source_search.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/window_fixture.h"
#include "report/item_row.h"
#include "search/summary.h"
#include "support/fake_listings.h"
#include "support/files.h"
#include "support/time_zone.h"

namespace lotwise {
namespace {

using Strings = std::vector<std::string>;
using testing::FakeListings;
using testing::Item;
using testing::Page;

class ApiSearchTest : public testing::WindowTest {
 protected:
  void SetUp() override { window.UseListingSource(&listings); }

  // The titles of the report's rows, in order.
  Strings ReportTitles() {
    const std::string report = testing::ReadFile(window.ReportPath());
    Strings titles;
    const std::string start = " target=_blank>";
    for (std::size_t at = report.find(start); at != std::string::npos;
         at = report.find(start, at + 1)) {
      const std::size_t from = at + start.size();
      titles.push_back(report.substr(from, report.find("</a>", from) - from));
    }
    return titles;
  }

  FakeListings listings;
};

TEST(ApiRequests, EachTabAndOptionAsksForWhatItMeans) {
  KeywordInputs inputs;
  inputs.title = " red  car ";
  inputs.combine = 0;
  auto search = SourceKeywordSearch(inputs, 10, "USD");
  ASSERT_TRUE(search);
  EXPECT_EQ(search->query.keywords, "red car");
  EXPECT_EQ(search->query.categoryId, "");
  EXPECT_EQ(search->query.filter, "buyingOptions:{AUCTION},bidCount:[10]");
  EXPECT_EQ(search->query.limit, 200);

  inputs.combine = 1;  // any of the words
  inputs.category = 7;
  inputs.excluded = "blue green";
  inputs.lowestPrice = "5";
  inputs.inDescription = true;
  search = SourceKeywordSearch(inputs, 0, "EUR");
  EXPECT_EQ(search->query.keywords, "(red, car)");
  EXPECT_EQ(search->query.categoryId, "1");
  EXPECT_EQ(search->excluded, (Strings{"blue", "green"}));
  EXPECT_EQ(search->query.filter,
            "buyingOptions:{AUCTION},price:[5..1000000000],priceCurrency:EUR,"
            "searchInDescription:true");

  inputs = {};
  inputs.title = "red car";
  inputs.combine = 2;  // the exact phrase: the words, the phrase checked on the titles
  inputs.highestPrice = "20";
  search = SourceKeywordSearch(inputs, 1, "GBP");
  EXPECT_EQ(search->query.keywords, "red car");
  EXPECT_EQ(search->phrase, "red car");
  EXPECT_EQ(search->query.filter,
            "buyingOptions:{AUCTION},bidCount:[1],price:[0..20],priceCurrency:GBP");
  inputs.combine = -1;  // typed into the list: the words as they stand
  EXPECT_EQ(SourceKeywordSearch(inputs, 1, "GBP")->phrase, "");

  inputs.title = "  ";
  EXPECT_FALSE(SourceKeywordSearch(inputs, 1, "USD"));

  search = SourceCategorySearch(" 353 ", 3, "USD");
  EXPECT_EQ(search->query.keywords, "");
  EXPECT_EQ(search->query.categoryId, "353");
  EXPECT_EQ(search->query.filter, "buyingOptions:{AUCTION},bidCount:[3]");
  EXPECT_FALSE(SourceCategorySearch("abc", 3, "USD"));
}

TEST_F(ApiSearchTest, AKeywordSearchFollowsNextPagesAndReportsMostBidsFirst) {
  listings.answers.push_back(
      {Page({Item(1, 12, "Red car lamp"), Item(2, 1500, "Red car"), Item(3, 40, "Blue red car")}, 5,
            "https://api.test/next/1"),
       {}});
  listings.answers.push_back({Page({Item(4, 12, "Red car clock"), Item(5, 0, "Red car")}, 5), {}});
  Strings statuses;
  platform.duringDoEvents = [&] { statuses.push_back(window.Label1.caption); };
  window.txtTitle.text = "red car";
  window.txtExcluded.text = "blue";
  window.txtBids.text = "1";
  window.click(window.cmdSearch);

  ASSERT_EQ(listings.searches.size(), 1u);
  EXPECT_EQ(listings.searches[0].keywords, "red car");
  EXPECT_EQ(listings.searches[0].filter, "buyingOptions:{AUCTION},bidCount:[1]");
  EXPECT_EQ(listings.nexts, Strings{"https://api.test/next/1"});
  EXPECT_EQ(statuses, (Strings{"5 auctions found", "200 of 5 searched."}));
  EXPECT_EQ(window.Label1.caption, "Finished!!!");
  // Counts above 999 count; equal counts keep the marketplace's order; "blue" is left
  // out by its title; the item with no bids is below the minimum.
  EXPECT_EQ(ReportTitles(), (Strings{"Red car", "Red car lamp", "Red car clock"}));
  EXPECT_EQ(SummaryText(window.summary()),
            "3 items with at least 1 bids in Finalsearch.htm and Finalsearch.csv \xC2\xB7 2 pages");
}

TEST_F(ApiSearchTest, TheCategoryTabAsksForItsNumberAndPagingStopsBefore10000Results) {
  for (int i = 0; i < 60; ++i) {
    listings.answers.push_back({Page({Item(i, 5, "Lamp " + std::to_string(i))}, 50000,
                                     "https://api.test/next/" + std::to_string(i + 1)),
                                {}});
  }
  window.Text1.text = "353";
  window.click(window.Command3);
  ASSERT_EQ(listings.searches.size(), 1u);
  EXPECT_EQ(listings.searches[0].categoryId, "353");
  EXPECT_EQ(listings.searches[0].keywords, "");
  // 50 pages of 200: the offset of the 51st would be 10,000.
  EXPECT_EQ(listings.nexts.size(), 49u);
  EXPECT_EQ(window.ListOffset, 9800);
  EXPECT_EQ(ReportTitles().size(), 50u);
}

TEST_F(ApiSearchTest, SearchesTheApiCannotMakeSayWhyAndAskForNothing) {
  window.click(window.Command4);
  window.click(window.Command5);
  EXPECT_TRUE(listings.searches.empty());
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_NE(platform.messages[0].find("featured auctions"), std::string::npos);
  EXPECT_NE(platform.messages[1].find("Marketplace Insights"), std::string::npos);
  EXPECT_EQ(testing::SearchCommandStates(window), "11111");
}

TEST_F(ApiSearchTest, ThePriceLabelsShowTheSourcesCurrency) {
  EXPECT_EQ(window.Label7.caption, "Between  $");
  listings.currency = "EUR";
  window.UseListingSource(&listings);
  EXPECT_EQ(window.Label7.caption, "Between  \xE2\x82\xAC");
  EXPECT_EQ(window.Label8.caption, "and  \xE2\x82\xAC");
  window.UseListingSource(nullptr);
  EXPECT_EQ(window.Label8.caption, "and  $");
}

TEST_F(ApiSearchTest, InputsThatCannotBeSearchedSayWhyInTheStatusLineBeforeAnythingIsSent) {
  const auto reason = [&](CommandButton& command) {
    platform.messages.clear();
    window.click(command);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(testing::SearchCommandStates(window), "11111");
    EXPECT_FALSE(window.Command6.enabled);
    return window.Label1.caption;
  };
  window.txtTitle.text = " ";
  EXPECT_EQ(reason(window.cmdSearch), "Type the words to search for.");
  window.txtTitle.text = "lamp";
  window.txtBeginPrice.text = "5$";
  EXPECT_EQ(reason(window.cmdSearch), "The lowest price is not a number: 5$");
  window.txtBeginPrice.text = " 1,000 ";
  window.txtEndPrice.text = "20,50";
  EXPECT_EQ(reason(window.cmdSearch), "The lowest price is above the highest.");
  window.txtEndPrice.text = "";
  window.txtBids.text = "40000";
  EXPECT_EQ(reason(window.cmdSearch), "The minimum number of bids can be at most 32767.");
  window.txtBids.text = "0";
  window.Text1.text = "";
  EXPECT_EQ(reason(window.Command3), "Type the number of the category to search.");
  window.Text1.text = "lamps";
  EXPECT_EQ(reason(window.Command3), "A category is a whole number, such as 353: lamps");
  EXPECT_TRUE(listings.searches.empty());
  EXPECT_EQ(SummaryText(window.summary()),
            "No report: A category is a whole number, such as 353: lamps");

  // Blanks around a category number are left out; prices reach the source as numbers.
  listings.answers.push_back({Page({Item(1, 3, "Lamp")}, 1), {}});
  window.Text1.text = " 353 ";
  window.click(window.Command3);
  ASSERT_EQ(listings.searches.size(), 1u);
  EXPECT_EQ(listings.searches[0].categoryId, "353");
  listings.answers.push_back({Page({Item(1, 3, "Lamp")}, 1), {}});
  window.click(window.Command1);
  window.txtBeginPrice.text = "1,000";
  window.txtEndPrice.text = "2000,5";
  window.click(window.cmdSearch);
  ASSERT_EQ(listings.searches.size(), 2u);
  EXPECT_EQ(listings.searches[1].lowestPrice, "1000");
  EXPECT_EQ(listings.searches[1].highestPrice, "2000.5");
}

TEST_F(ApiSearchTest, RefusalsWarningsAndFailuresAreSaidOnce) {
  using Kind = ListingError::Kind;
  window.txtTitle.text = "lamp";
  const auto run = [&] {
    platform.messages.clear();
    platform.pausedFor.clear();
    window.click(window.Command1);
    window.click(window.cmdSearch);
  };

  // A token error or the call limit on the first page: a message, no report.
  listings.answers.push_back({{}, ListingError(Kind::kCredentials, 401, "invalid_client: bad id")});
  run();
  EXPECT_EQ(platform.messages, Strings{"invalid_client: bad id"});
  EXPECT_FALSE(ReportExists());
  listings.answers.push_back({{}, ListingError(Kind::kCallLimit, 429, "limit")});
  run();
  EXPECT_EQ(platform.messages,
            Strings{"The marketplace's daily call limit for this application is reached; try "
                    "again tomorrow"});
  EXPECT_EQ(window.summary().end, SearchEnd::kMessage);

  // Warnings: said once, the search goes on. The call limit on a later page: said, and
  // the report holds what was collected.
  ListingPage warned = Page({Item(1, 3, "Lamp")}, 400, "https://api.test/next");
  warned.warnings = {"The price filter was not applied."};
  listings.answers.push_back({warned, {}});
  listings.answers.push_back({{}, ListingError(Kind::kCallLimit, 429, "limit")});
  run();
  EXPECT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0], "The marketplace warns: The price filter was not applied.");
  EXPECT_EQ(ReportTitles(), Strings{"Lamp"});

  // A failure of the marketplace's own is asked again once, after 2 seconds.
  listings.answers.push_back({{}, ListingError(Kind::kServer, 500, "HTTP 500")});
  listings.answers.push_back({Page({Item(2, 4, "Lamp two")}, 1), {}});
  run();
  EXPECT_EQ(platform.pausedFor, std::vector<std::chrono::milliseconds>{std::chrono::seconds(2)});
  EXPECT_EQ(ReportTitles(), Strings{"Lamp two"});
  // Twice: the search ends with the reason, without a message.
  listings.answers.push_back({{}, ListingError(Kind::kServer, 503, "the marketplace failed")});
  listings.answers.push_back({{}, ListingError(Kind::kServer, 503, "the marketplace failed")});
  run();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(window.Label1.caption, "Search ended: the marketplace failed");
  EXPECT_EQ(window.summary().end, SearchEnd::kFailure);
}

TEST_F(ApiSearchTest, StopAndIncompleteResultsClickedWhileAPageWaits) {
  const auto serveThreePages = [&] {
    listings.answers.clear();
    listings.nexts.clear();
    listings.answers.push_back({Page({Item(1, 3, "Lamp one")}, 3, "https://api.test/2"), {}});
    listings.answers.push_back({Page({Item(2, 9, "Lamp two")}, 3, "https://api.test/3"), {}});
    listings.answers.push_back({Page({Item(3, 5, "Lamp three")}, 3), {}});
  };
  window.txtTitle.text = "lamp";

  // "See Incomplete Results": the page that was waiting is the last one reported.
  serveThreePages();
  listings.whileNextWaits = [&] { window.click(window.Command6); };
  window.click(window.cmdSearch);
  EXPECT_EQ(listings.nexts.size(), 1u);
  EXPECT_EQ(ReportTitles(), (Strings{"Lamp two", "Lamp one"}));
  EXPECT_EQ(window.Label1.caption, "Finished!!!");

  // "Stop Search": nothing more is asked for, appended or reported.
  window.click(window.Command1);
  serveThreePages();
  listings.whileNextWaits = [&] { window.click(window.Command1); };
  window.click(window.cmdSearch);
  EXPECT_EQ(listings.nexts.size(), 1u);
  EXPECT_FALSE(ReportExists());
  EXPECT_EQ(window.summary().end, SearchEnd::kStopped);
  EXPECT_EQ(testing::SearchCommandStates(window), "11111");
}

TEST_F(ApiSearchTest, NothingKeptSaysNothingWasFound) {
  listings.answers.push_back({Page({Item(1, 9, "Blue lamp")}, 1), {}});
  window.txtTitle.text = "lamp";
  window.txtExcluded.text = "BLUE";
  window.click(window.cmdSearch);
  EXPECT_EQ(platform.messages, Strings{"The marketplace found no items for this search."});
}

TEST_F(ApiSearchTest, ItemsTheSearchDidNotAskForAreLeftOutHoweverManyBids) {
  // The marketplace may widen a search: a fixed-price item, or an auction below the minimum.
  ListedItem fixedPrice = Item(1, 50, "Lamp at a fixed price");
  fixedPrice.auction = false;
  listings.answers.push_back(
      {Page({fixedPrice, Item(2, 4, "Lamp with few bids"), Item(3, 5, "Lamp auction")}, 3), {}});
  window.txtTitle.text = "lamp";
  window.txtBids.text = "5";
  window.click(window.cmdSearch);
  EXPECT_EQ(ReportTitles(), Strings{"Lamp auction"});
}

TEST(ItemRows, EscapedTitleLinkChosenPriceBidsAndEndInTheUsersZone) {
  const testing::TimeZoneForTest pacific = testing::PacificTime();
  Config config = testing::TestConfig();
  ListedItem item = Item(7, 1234, "Lamp <b>\"new\"</b> &\r\nshade");
  item.itemWebUrl = "https://items.test/view?item=7&b=2";
  const ReportMoment ran = ReportMomentOf(1772712000);  // 2026-03-05 12:00 UTC
  const auto row = [&] {
    return ItemRow(ReportedItemOf(item, 3, item.legacyItemId, ItemLink(item, config)), 3, ran);
  };
  EXPECT_EQ(
      row(),
      "<tr id=4 data-e=870><td><img src=https://pictures.test/7.jpg alt loading=lazy><td>"
      "<a href=\"http://aff.test/click-222-999?loc=https://items.test/view%3Fitem%3D7%26b%3D2\" "
      "target=_blank>Lamp &lt;b&gt;&quot;new&quot;&lt;/b&gt; &amp;  shade</a>"
      "<td>12.50 USD<td>1234<td>5 Mar 18:30 (14 h 30 min)");

  item.itemAffiliateWebUrl = "https://items.test/itm/7?campaign=5";
  EXPECT_NE(row().find("href=\"https://items.test/itm/7?campaign=5\""), std::string::npos);
  item.itemAffiliateWebUrl.clear();
  config.affiliateHost = "affiliate.placeholder.invalid";
  EXPECT_NE(row().find("href=\"https://items.test/view?item=7&amp;b=2\""), std::string::npos);
  // The marketplace's query on an item's own address is left off; a longer path keeps it.
  item.itemWebUrl = "https://items.test/itm/7?_skw=lamp&hash=item7:g:AbC";
  EXPECT_NE(row().find("<a href=https://items.test/itm/7 "), std::string::npos);
  item.itemWebUrl = "https://items.test/itm/Lamp/7?hash=1";
  EXPECT_NE(row().find("<a href=\"https://items.test/itm/Lamp/7?hash=1\" "), std::string::npos);

  // Daylight time named where the search ran in standard time; the year where it is another.
  const auto end = [&](const char* date) {
    item.endDate = date;
    const std::string text = row();
    return text.substr(text.rfind("<td>") + 4);
  };
  const std::string daylight = testing::ZoneName("PDT", "UTC-07:00");
  EXPECT_EQ(end("2026-07-04T19:05:00.000Z"), "4 Jul 12:05 " + daylight + " (121 d 7 h)");
  EXPECT_EQ(end("2026-03-08T10:30:00Z"), "8 Mar 03:30 " + daylight + " (2 d 22 h)");  // its start
  EXPECT_EQ(end("2026-11-01T08:30:00.000Z"), "1 Nov 01:30 " + daylight + " (240 d 20 h)");
  EXPECT_EQ(end("2026-11-01T09:30:00.000Z"), "1 Nov 01:30 (240 d 21 h)");  // standard again
  EXPECT_EQ(end("2027-01-01T09:00:00.000Z"), "1 Jan 2027 01:00 (301 d 21 h)");
  EXPECT_EQ(end("2026-03-05T11:00:00.000Z"), "5 Mar 03:00 (ended)");
  EXPECT_EQ(end("2026-03-05T12:59:00.000Z"), "5 Mar 04:59 (59 min)");
  EXPECT_EQ(end("soon"), "soon");
  EXPECT_EQ(row().find("data-e"), std::string::npos);
}

TEST_F(ApiSearchTest, ItemsStayInMemoryWithCountsOfAnySize) {
  listings.answers.push_back(
      {Page({Item(1, 40000, "Lamp one"), Item(2, 7, "Lamp two"), Item(3, 40000, "Lamp three")}, 3),
       {}});
  window.txtTitle.text = "lamp";
  window.txtBids.text = "32767";
  window.click(window.cmdSearch);
  EXPECT_FALSE(PageFileExists());
  EXPECT_EQ(ReportTitles(), (Strings{"Lamp one", "Lamp three"}));
  EXPECT_NE(testing::ReadFile(window.ReportPath()).find("<td>40000<td>"), std::string::npos);
}

}  // namespace
}  // namespace lotwise
