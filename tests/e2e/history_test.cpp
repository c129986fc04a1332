// The history over whole searches through the sample marketplace's mock of the API: a
// second run after the marketplace changed (an item gone that has ended, one gone that
// still runs, one with more bids, a new one) says what changed, in the CSV and in what it
// records; a history file that cannot be used leaves the search as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "history/history_schema.h"
#include "history/sqlite_database.h"
#include "history/sqlite_history.h"
#include "report/csv.h"
#include "report/report_file.h"
#include "sample-marketplace/api_item.h"
#include "sample-marketplace/api_search.h"
#include "sample-marketplace/catalog.h"
#include "search/iso_time.h"

namespace lotwise::e2e {
namespace {

struct CsvRow {
  std::string number, bids, end, firstSeen, bidsLastRun;
};

// The rows of a CSV, read the plain way (the sample's titles hold no comma or quote).
std::vector<CsvRow> CsvRows(const std::filesystem::path& file) {
  std::vector<CsvRow> rows;
  const std::string text = ReadFile(file);
  for (std::size_t at = text.find("\r\n") + 2; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    std::vector<std::string> fields(1);
    for (const char c : text.substr(at, end - at)) {
      if (c == ',') {
        fields.emplace_back();
      } else {
        fields.back() += c;
      }
    }
    rows.push_back({fields.at(0), fields.at(4), fields.at(5), fields.at(7), fields.at(8)});
    at = end + 2;
  }
  return rows;
}

class SearchHistoryTest : public EndToEndTest {
 protected:
  // A keyword search through the mock of the API, in a window of its own, at `at`.
  void Search(std::int64_t at) {
    ClockedPlatform platform(HeadlessPlatform::Hooks{}, fetchOptions,
                             std::chrono::system_clock::time_point(std::chrono::seconds(at)));
    SearchWindow searching(HostsAt(port), folder.path(), platform);
    SteadyClock clock;
    ApiSource api(MockApi(), platform, clock);
    searching.UseListingSource(&api);
    searching.UseHistory(&history);
    searching.txtTitle.text = "vintage lamp";
    searching.cmbSearch.select(1);
    searching.txtBids.text = std::to_string(kMinimumBids);
    ASSERT_TRUE(searching.click(searching.cmdSearch));
    status = searching.Label1.caption;
    summary = searching.summary();
    changes = searching.context().changes;
  }
  const CsvRow* Find(const std::vector<CsvRow>& rows, std::int64_t number) {
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const CsvRow& r) {
      return r.number == std::to_string(number);
    });
    return row == rows.end() ? nullptr : &*row;
  }

  std::filesystem::path file = folder.path() / "history.sqlite";
  SqliteHistory history{file};
  std::string status;
  SearchSummary summary;
  SearchChanges changes;
};

TEST_F(SearchHistoryTest, TheNextRunSaysWhatIsNewWhatGainedBidsAndWhatEnded) {
  // The kept items by their end: the second run comes after the first third has ended.
  sample::ApiSearch asked;
  asked.words = {{"vintage", "lamp"}};
  asked.buyingOptionsGiven = true;
  asked.auctions = true;
  asked.minBids = kMinimumBids;
  std::vector<sample::Item> kept;
  for (const sample::Item& item : market.items()) {
    if (sample::Matches(item, asked)) kept.push_back(item);
  }
  ASSERT_GT(kept.size(), 30u);
  const auto endOf = [](const sample::Item& item) { return *IsoSeconds(sample::ApiEndDate(item)); };
  std::sort(kept.begin(), kept.end(),
            [&](const sample::Item& a, const sample::Item& b) { return endOf(a) < endOf(b); });
  const std::int64_t second = endOf(kept[kept.size() / 3]) + 60;
  const std::int64_t first = second - 3 * 3600;
  const sample::Item endedItem = kept[kept.size() / 3 - 1];
  const sample::Item runningItem = kept[kept.size() / 2];
  const sample::Item gainer = kept[kept.size() / 2 + 1];

  Search(first);
  const std::vector<CsvRow> before = CsvRows(folder.path() / kCsvFileName);
  ASSERT_EQ(before.size(), kept.size()) << "the search keeps what the test reckons it keeps";
  EXPECT_EQ(before[0].firstSeen, "");
  EXPECT_EQ(ReadFile(folder.path() / kReportFileName).find("since the last run"),
            std::string::npos);
  EXPECT_EQ(summary.history, "the first run of this search in the history");

  // The marketplace a little later.
  std::vector<sample::Item> items;
  for (sample::Item item : market.items()) {
    if (item.number == endedItem.number || item.number == runningItem.number) continue;
    if (item.number == gainer.number) item.bidText = std::to_string(sample::BidCount(item) + 7);
    items.push_back(item);
  }
  sample::Item fresh = gainer;
  fresh.number = market.items().back().number + 1000;
  items.push_back(fresh);
  const sample::Marketplace later(items);
  ServedMarketplace servedLater(later);
  served.Stop();
  servedLater.Start({}, port);
  Search(second);

  EXPECT_EQ(status, "Finished!!!");
  EXPECT_EQ(summary.history, "1 new, 1 ended since the last run");
  const std::vector<CsvRow> after = CsvRows(folder.path() / kCsvFileName);
  ASSERT_EQ(after.size(), kept.size() - 1);  // two gone, one new
  const CsvRow* gained = Find(after, gainer.number);
  ASSERT_NE(gained, nullptr);
  EXPECT_EQ(gained->firstSeen, IsoText(first));
  EXPECT_EQ(gained->bidsLastRun, std::to_string(sample::BidCount(gainer)));
  EXPECT_EQ(gained->bids, std::to_string(sample::BidCount(gainer) + 7));
  const ItemChange change = changes.Of(gained->number, std::stoi(gained->bids));
  EXPECT_EQ(change.bidsGained, 7);
  EXPECT_DOUBLE_EQ(*change.bidsPerHour, 7.0 / 3);
  const CsvRow* added = Find(after, fresh.number);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->firstSeen, IsoText(second));
  EXPECT_EQ(added->bidsLastRun, "");
  EXPECT_EQ(Find(after, endedItem.number), nullptr);

  // The ended item as last seen; the one still running kept along for the next run.
  std::unordered_set<std::string> listed;
  for (const CsvRow& row : after) listed.insert(row.number);
  const GoneItems gone = changes.GoneWithout(listed);
  ASSERT_EQ(gone.ended.size(), 1u);
  EXPECT_EQ(gone.ended[0].itemId, std::to_string(endedItem.number));
  EXPECT_EQ(gone.ended[0].bids, sample::BidCount(endedItem));
  EXPECT_FALSE(gone.ended[0].picture.empty());
  ASSERT_EQ(gone.running.size(), 1u);
  const std::optional<PastRun> recorded = history.LastRun(changes.LastRun().search);
  ASSERT_TRUE(recorded);
  EXPECT_EQ(recorded->run.ranAt, second);
  EXPECT_EQ(recorded->run.itemsKept, static_cast<long long>(after.size()));
  ASSERT_EQ(recorded->rows.size(), after.size() + 1);
  EXPECT_EQ(recorded->rows.back().itemId, std::to_string(runningItem.number));
  EXPECT_FALSE(recorded->rows.back().listed);
  EXPECT_EQ(recorded->rows.back().lastSeen, first);

  // The report marks the new item and the gain, and lists the ended item as last seen.
  const std::string report = ReadFile(folder.path() / kReportFileName);
  const auto rowOf = [&](std::int64_t number) {
    const std::size_t link = report.find("item%3D" + std::to_string(number) + "\"");
    if (link == std::string::npos) return std::string();
    const std::size_t at = report.rfind("<tr id=", link);
    return report.substr(at, report.find("<tr", at + 1) - at);
  };
  EXPECT_NE(rowOf(fresh.number).find("<b>new</b>"), std::string::npos) << rowOf(fresh.number);
  EXPECT_NE(rowOf(gainer.number).find("<b>+7</b> \xC2\xB7 2.3/h"), std::string::npos)
      << rowOf(gainer.number);
  EXPECT_NE(report.find("1 new, 1 with more bids, 1 ended since the last run"), std::string::npos);
  const std::size_t ended = report.find("<h2 id=\"ended\">Ended since the last run</h2>");
  ASSERT_NE(ended, std::string::npos);
  EXPECT_NE(report.find(sample::Title(endedItem), ended), std::string::npos);
  EXPECT_EQ(report.find(sample::Title(runningItem)), std::string::npos);
  const ParserVerdict verdict = ReadByConformingParser(folder.path() / kReportFileName);
  EXPECT_TRUE(verdict.exitCode == 0 || verdict.exitCode == 77) << verdict.said;
}

TEST_F(SearchHistoryTest, AFileOfANewerLotwiseLeavesTheSearchAndStaysAsItWas) {
  {
    SqliteDatabase db(file, std::chrono::milliseconds(100));
    MigrateSchema(db);
    db.Execute("PRAGMA user_version = 3");
  }
  const std::string before = ReadFile(file);
  Search(1'790'000'000);
  EXPECT_EQ(status,
            "Finished!!! The history is off: the history database was written by a newer Lotwise "
            "(schema version 3; this one knows up to 2), and is left as it is");
  EXPECT_EQ(summary.end, SearchEnd::kFinished);
  EXPECT_GT(summary.reportRows, 30);
  EXPECT_EQ(CsvRows(folder.path() / kCsvFileName).size(),
            static_cast<std::size_t>(summary.reportRows));
  EXPECT_EQ(ReadFile(file), before);
}

}  // namespace
}  // namespace lotwise::e2e
