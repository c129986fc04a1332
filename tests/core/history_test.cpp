// What changed since the last run of a search, and the searches' part in their history:
// the CSV's columns, the run recorded with its rows, the classic report as it was, and a
// history that fails without failing the search.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/search_again.h"
#include "core/window_fixture.h"
#include "report/csv.h"
#include "search/categories.h"
#include "search/history_search.h"
#include "search/iso_time.h"
#include "search/search_changes.h"
#include "support/fake_history.h"
#include "support/pages.h"

namespace lotwise {
namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kFirstRun = 1'796'000'000;  // 2026-11-30T00:53:20Z

HistoryItem Row(const std::string& number, int bids, const std::string& end, bool listed = true,
                const std::string& price = "10.00", const std::string& currency = "USD") {
  HistoryItem item;
  item.itemId = number;
  item.title = "Item " + number;
  item.price = price;
  item.currency = currency;
  item.bids = bids;
  item.endTime = end;
  item.firstSeen = kFirstRun - 24 * kHour;
  item.lastSeen = kFirstRun;
  item.listed = listed;
  return item;
}

std::vector<std::string> Numbers(const std::vector<HistoryItem>& rows) {
  std::vector<std::string> numbers;
  for (const HistoryItem& row : rows) numbers.push_back(row.itemId + (row.listed ? "" : "~"));
  return numbers;
}

TEST(SearchChanges, NewItemsGainedBidsAndWhatBecameOfTheItemsNoLongerListed) {
  const std::int64_t now = kFirstRun + 4 * kHour;
  const std::string running = IsoText(now + kHour);
  const std::string past = IsoText(now - kHour);
  PastRun last;
  last.run.ranAt = kFirstRun;
  last.rows = {Row("1", 3, running),        Row("2", 10, past),       Row("3", 6, ""),
               Row("4", 2, running, false), Row("5", 8, past, false), Row("6", 1, running),
               Row("7", 4, "2026-11-29")};  // a day alone ends with the day: before `now`
  const SearchChanges changes(last, now);

  const ItemChange gained = changes.Of("1", 10);
  EXPECT_TRUE(gained.compared);
  EXPECT_FALSE(gained.isNew);
  EXPECT_EQ(gained.firstSeen, kFirstRun - 24 * kHour);
  EXPECT_EQ(gained.bidsLastRun, 3);
  EXPECT_EQ(gained.bidsGained, 7);
  ASSERT_TRUE(gained.bidsPerHour);
  EXPECT_DOUBLE_EQ(*gained.bidsPerHour, 7.0 / 4);
  const ItemChange fresh = changes.Of("9", 5);
  EXPECT_TRUE(fresh.isNew);
  EXPECT_EQ(fresh.firstSeen, now);
  EXPECT_FALSE(fresh.bidsLastRun);
  // Kept along by the last run, not listed by it: seen before, bids then unknown.
  const ItemChange back = changes.Of("4", 5);
  EXPECT_FALSE(back.isNew);
  EXPECT_FALSE(back.bidsLastRun);
  EXPECT_FALSE(SearchChanges().Of("1", 3).compared);
  EXPECT_FALSE(changes.Of("", 3).compared);

  const GoneItems gone = changes.GoneWithout({"1", "9", "4"});
  EXPECT_EQ(Numbers(gone.ended), (std::vector<std::string>{"2", "5~", "3", "7"}));
  EXPECT_EQ(Numbers(gone.running), (std::vector<std::string>{"6~"}));

  std::vector<HistoryItem> kept = {Row("1", 10, running), Row("9", 5, running),
                                   Row("4", 5, running)};
  const std::vector<HistoryItem> rows =
      changes.RowsToRecord(kept, changes.GoneWithout(NumbersOf(kept)).running);
  EXPECT_EQ(Numbers(rows), (std::vector<std::string>{"1", "9", "4", "6~"}));
  EXPECT_EQ(rows[0].firstSeen, kFirstRun - 24 * kHour);
  EXPECT_EQ(rows[1].firstSeen, now);
  EXPECT_EQ(rows[2].lastSeen, now);
  EXPECT_EQ(rows[3].lastSeen, kFirstRun);  // as last seen
}

TEST(SearchChanges, EndedFiguresPerCurrencyAsLastSeen) {
  const std::vector<HistoryItem> ended = {
      Row("1", 9, "", true, "30.00"), Row("2", 1, "", true, "12.50", "EUR"),
      Row("3", 3, "", true, "10"), Row("4", 4, "", true, "n/a"), Row("5", 6, "", true, "20.5")};
  const std::vector<EndedFigures> figures = FiguresOf(ended);
  ASSERT_EQ(figures.size(), 2u);
  EXPECT_EQ(figures[0].currency, "USD");
  EXPECT_EQ(figures[0].count, 4u);
  EXPECT_EQ(figures[0].priced, 3u);
  EXPECT_EQ(figures[0].lowestCents, 1000);
  EXPECT_EQ(figures[0].medianCents, 2050);
  EXPECT_EQ(figures[0].highestCents, 3000);
  EXPECT_EQ(figures[0].lowestBids, 3);
  EXPECT_EQ(figures[0].medianBids, 5);  // of 3, 4, 6 and 9
  EXPECT_EQ(figures[0].highestBids, 9);
  EXPECT_EQ(figures[1].currency, "EUR");
  EXPECT_EQ(figures[1].medianCents, 1250);
  EXPECT_EQ(PriceCents("1234.567"), 123456);
  EXPECT_FALSE(PriceCents("12."));
  EXPECT_FALSE(PriceCents("-3"));
}

// A platform whose clock the test sets.
class ClockedPlatform : public testing::FakePlatform {
 public:
  std::int64_t now = kFirstRun;
  std::chrono::system_clock::time_point Now() override {
    return std::chrono::system_clock::time_point(std::chrono::seconds(now));
  }
};

class HistorySearchTest : public ::testing::Test {
 protected:
  HistorySearchTest() { window.UseHistory(&history); }

  // A category search of category 42 whose page lists `tables`.
  void SearchCategory(SearchWindow& in, ClockedPlatform& on, const std::string& tables) {
    on.pages["http://listings.test/aw/plistings/list/category42/index.html"] =
        "of <b>1</b></font>" + tables;
    in.Text1.text = "42";
    in.txtBids.text = "1";
    if (in.Command1.caption == "Begin New Search") in.click(in.Command1);
    in.click(in.Command3);
  }
  std::vector<std::string> CsvLines() const {
    std::string text = testing::ReadFile(folder.path() / kCsvFileName);
    std::vector<std::string> lines;
    for (std::size_t at = text.find("\r\n") + 2; at < text.size();) {
      const std::size_t end = text.find("\r\n", at);
      const std::string line = text.substr(at, end - at);
      // The fields after the link: first_seen and bids_last_run.
      const std::size_t link = line.find(",http");
      lines.push_back(line.substr(0, line.find(',')) + "," +
                      line.substr(line.find(',', link + 1) + 1));
      at = end + 2;
    }
    return lines;
  }

  testing::TempFolder folder;
  ClockedPlatform platform;
  SearchWindow window{testing::TestConfig(), folder.path(), platform};
  testing::FakeHistory history;
};

TEST_F(HistorySearchTest, TheSecondRunSaysWhatChangedInTheCsvOnlyAndRecordsItsRows) {
  using testing::BrowseTable;
  SearchCategory(window, platform,
                 BrowseTable("1", "3") + BrowseTable("2", "1,250") + BrowseTable("3", "5"));
  EXPECT_EQ(CsvLines(), (std::vector<std::string>{"2,,", "3,,", "1,,"}));
  EXPECT_NE(window.summary().history.find("first run"), std::string::npos);

  platform.now = kFirstRun + 2 * kHour;
  const std::string second =
      BrowseTable("1", "10") + BrowseTable("2", "1,250") + BrowseTable("4", "7");
  SearchCategory(window, platform, second);
  EXPECT_EQ(window.Label1.caption, "Finished!!!");
  const std::string then = IsoText(kFirstRun);
  EXPECT_EQ(CsvLines(), (std::vector<std::string>{"2," + then + ",1250", "1," + then + ",3",
                                                  "4," + IsoText(platform.now) + ","}));
  // The classic pages give no end: an item no longer listed counts as ended.
  EXPECT_EQ(window.summary().history, "1 new, 1 ended since the last run");

  ASSERT_EQ(history.recorded.size(), 2u);
  const testing::FakeHistory::Recorded& run = history.recorded.back();
  EXPECT_EQ(run.run.search.source, "Classic pages");
  EXPECT_EQ(run.run.search.kind, kCategorySearch);
  EXPECT_EQ(run.run.search.words, "42");
  EXPECT_EQ(run.run.minimumBids, 1);
  EXPECT_EQ(run.run.ranAt, platform.now);
  EXPECT_EQ(run.run.itemsKept, 3);
  EXPECT_EQ(Numbers(run.rows), (std::vector<std::string>{"2", "1", "4"}));
  EXPECT_EQ(run.rows[1].bids, 10);
  EXPECT_NE(run.rows[1].url.find("item%3D1"), std::string::npos);

  // The classic report stays as it is without a history.
  testing::TempFolder otherFolder;
  ClockedPlatform otherPlatform;
  SearchWindow without(testing::TestConfig(), otherFolder.path(), otherPlatform);
  SearchCategory(without, otherPlatform, second);
  EXPECT_EQ(testing::ReadFile(window.ReportPath()), testing::ReadFile(without.ReportPath()));
}

TEST_F(HistorySearchTest, AHistoryThatFailsLeavesTheReportAndSaysWhy) {
  history.failure = "the history database is in use by another program";
  SearchCategory(window, platform, testing::BrowseTable("1", "3"));
  EXPECT_TRUE(std::filesystem::exists(window.ReportPath()));
  EXPECT_EQ(CsvLines(), std::vector<std::string>{"1,,"});
  EXPECT_EQ(window.Label1.caption,
            "Finished!!! The history is off: the history database is in use by another program");
  EXPECT_EQ(window.summary().end, SearchEnd::kFinished);
  EXPECT_EQ(window.summary().history,
            "history off: the history database is in use by another program");
  EXPECT_EQ(platform.shellCalls.size(), 1u);
}

TEST_F(HistorySearchTest, ASearchTypedInAgainIsTheSameSearch) {
  window.txtTitle.text = "vintage   lamp";
  window.cmbSearch.select(1);
  window.txtExcluded.text = "brass";
  window.txtBeginPrice.text = "5";
  window.txtEndPrice.text = "20";
  window.cmbCategories.select(2);
  window.Check1.value = 1;
  window.context().state.SearchKind = kKeywordSearch;
  const HistorySearch typed = HistorySearchOf(window.context());
  EXPECT_EQ(typed.words, "vintage lamp");
  EXPECT_EQ(DescribeSearch(typed, 10),
            "Keywords \xE2\x80\x9Cvintage lamp\xE2\x80\x9D (any of the words, not "
            "\xE2\x80\x9C"
            "brass\xE2\x80\x9D, 5 to 20, " +
                std::string(CategoryTable()[2].name) +
                ", title and description) \xC2\xB7 at least 10 bids \xC2\xB7 Classic pages");

  testing::TempFolder otherFolder;
  ClockedPlatform otherPlatform;
  SearchWindow again(testing::TestConfig(), otherFolder.path(), otherPlatform);
  CommandButton& command = TypeIn(again, TypedAgain(typed, 10));
  EXPECT_EQ(&command, &again.cmdSearch);
  EXPECT_EQ(again.txtBids.text, "10");
  again.context().state.SearchKind = kKeywordSearch;
  EXPECT_EQ(HistorySearchOf(again.context()), typed);
}

}  // namespace
}  // namespace lotwise
