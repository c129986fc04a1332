// The report of a search through a source of items, 10,000 of them as the marketplace's
// API gives them: the time to write it against the time to write its CSV, and its size.
// The CSV is the least a report of the same rows can cost: a line a row, the same link
// made for it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "page_file_maker.h"
#include "report/csv.h"
#include "report/item_report.h"
#include "report/item_row.h"
#include "report/report_file.h"
#include "timing.h"

namespace lotwise::bench {
namespace {

constexpr std::size_t kItems = 10000;
constexpr std::int64_t kRan = 1796837400;  // 2026-12-09 17:30 UTC

std::string Letters(std::mt19937& draw, std::size_t count) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += kAlphabet[draw() % 62];
  return text;
}

// Items as the API answers a keyword search, each field as long as the middle one of
// the answers others recorded of the real API: a title of about 77 characters, the item's
// address with its hash (76), a picture's address (65); a price, bids drawn from a long
// tail, an end in the week after the search. With partner links, the link the API gives
// for a campaign (about 420 characters) besides.
std::vector<ListedItem> Items(std::size_t count, bool partnerLinks) {
  static const std::vector<std::string> kWords{
      "Vintage", "Lamp",  "Brass", "Mid-Century", "Table", "Desk",    "Floor",  "Shade",
      "Antique", "Glass", "Oak",   "Art Deco",    "Light", "Working", "Signed", "Rare"};
  std::mt19937 draw(7);
  std::vector<ListedItem> items;
  items.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    ListedItem item;
    const std::string number = std::to_string(334691749565 + i * 7919);
    item.itemId = "v1|" + number + "|0";
    item.legacyItemId = number;
    item.title = "Lamp & Shade";
    while (item.title.size() < 77) item.title += " " + kWords[draw() % kWords.size()];
    item.itemWebUrl = "https://www.ebay.com/itm/" + number + "?hash=item" + Letters(draw, 10) +
                      ":g:" + Letters(draw, 16);
    if (partnerLinks) {
      // A partner link as the API gives it: the address, its tracking data and campaign.
      item.itemAffiliateWebUrl = item.itemWebUrl + "&amdata=enc%3AAQAIAAAA4" + Letters(draw, 300) +
                                 "&mkevt=1&mkcid=1&mkrid=711-53200-19255-0&campid=5338000000"
                                 "&customid=&toolid=10049";
    }
    item.imageUrl = "https://i.ebayimg.com/thumbs/images/g/" + Letters(draw, 16) + "/s-l225.jpg";
    const double price = std::exp(std::uniform_real_distribution<double>(0, 8)(draw));
    item.price = std::to_string(static_cast<long long>(price * 100) / 100) + "." +
                 std::to_string(10 + draw() % 90);
    item.currency = "USD";
    item.bidCount = static_cast<int>(std::exp(std::uniform_real_distribution<double>(0, 7)(draw)));
    const std::int64_t end = kRan + static_cast<std::int64_t>(draw() % (7 * 86400));
    item.endDate = "2026-12-" + std::to_string(10 + end / 86400 % 10) + "T" +
                   std::to_string(10 + end % 86400 / 3600 % 14) + ":" +
                   std::to_string(10 + end % 3600 / 60 % 50) + ":00.000Z";
    items.push_back(std::move(item));
  }
  std::stable_sort(items.begin(), items.end(), [](const ListedItem& a, const ListedItem& b) {
    return a.bidCount > b.bidCount;
  });
  return items;
}

// How the rows link to their items.
enum Links : int {
  kRedirect = 0,  // through the affiliate redirect, as a release build links
  kStraight = 1,  // straight to the item, as a build without a redirect links
  kPartner = 2,   // the partner links the API gives for a campaign
};

// Each iteration writes the report once and the CSV once, each as ItemRows writes it:
// the rows read (links made) and written to a file under its temporary name, committed.
void BM_ItemReport10000_VersusCsv(benchmark::State& state) {
  const auto links = static_cast<Links>(state.range(0));
  const bool partnerLinks = links == kPartner;
  Config config = BenchConfig();
  if (links == kStraight) config.affiliateHost = "affiliate.placeholder.invalid";
  const std::vector<ListedItem> items = Items(kItems, partnerLinks);
  const ScratchFolder folder("item-report");
  const std::filesystem::path report = folder.path() / kReportFileName;
  const std::filesystem::path csv = folder.path() / kCsvFileName;
  ItemReportFacts facts;
  facts.search = "Keyword search for \xE2\x80\x9Cvintage lamp\xE2\x80\x9D, all of the words";
  facts.minimumBids = 1;
  facts.source = "Marketplace API (EBAY_US)";
  facts.ran = ReportMomentOf(kRan);
  facts.pages = 50;
  facts.pagesExpected = 50;
  facts.seen = static_cast<long long>(kItems);
  std::vector<double> reportTimes;
  std::vector<double> csvTimes;
  for (auto _ : state) {
    const Times written = Measure([&] {
      std::vector<ReportedItem> rows;
      rows.reserve(items.size());
      for (std::size_t i = 0; i < items.size(); ++i) {
        rows.push_back(
            ReportedItemOf(items[i], i, items[i].legacyItemId, ItemLink(items[i], config)));
      }
      ReportFile file(report);
      WriteItemReport(facts, rows, config, file);
      file.Commit();
    });
    const Times csvWritten = Measure([&] {
      ReportFile file(csv);
      file.Write(CsvBeginning());
      for (const ListedItem& item : items) {
        file.Write(CsvLine(CsvRecordOfItem(item, ItemLink(item, config))));
      }
      file.Commit();
    });
    state.SetIterationTime(written.wall);
    reportTimes.push_back(written.cpu);
    csvTimes.push_back(csvWritten.cpu);
  }
  // Processor time: not stretched by other programs on the shared processors.
  state.counters["report_ms"] = Median(reportTimes) * 1e3;
  state.counters["csv_ms"] = Median(csvTimes) * 1e3;
  state.counters["report_per_csv"] = Median(reportTimes) / Median(csvTimes);
  state.counters["report_MB"] = static_cast<double>(std::filesystem::file_size(report)) / 1e6;
  state.counters["csv_MB"] = static_cast<double>(std::filesystem::file_size(csv)) / 1e6;
}
BENCHMARK(BM_ItemReport10000_VersusCsv)
    ->ArgName("links")
    ->Arg(kRedirect)
    ->Arg(kStraight)
    ->Arg(kPartner)
    ->UseManualTime()
    ->Iterations(9)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lotwise::bench

BENCHMARK_MAIN();
