#include "report/item_rows.h"

#include <algorithm>
#include <chrono>
#include <numeric>
#include <string>
#include <unordered_set>
#include <vector>

#include "report/csv.h"
#include "report/item_report.h"
#include "report/item_report_facts.h"
#include "report/item_row.h"
#include "report/kept_row.h"

namespace lotwise {

std::optional<int> ItemRows::Highest(const SearchContext& search, SearchSummary& summary) const {
  if (search.items.empty()) return std::nullopt;
  int highest = 0;
  for (const ListedItem& item : search.items) highest = std::max(highest, item.bidCount);
  summary.linesRead += static_cast<long long>(search.items.size());
  return highest;
}

std::size_t ItemRows::Write(const SearchContext& search, int highest, int minimum,
                            ReportFiles& files) const {
  const std::vector<ListedItem>& items = search.items;
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&items](std::size_t a, std::size_t b) {
    return items[a].bidCount > items[b].bidCount;
  });
  std::vector<ReportedItem> rows;
  std::vector<CsvRecord> records;
  for (const std::size_t i : order) {
    const ListedItem& item = items[i];
    if (item.bidCount > highest) continue;
    if (item.bidCount < minimum) break;
    CsvRecord record = CsvRecordOfItem(item, ItemLink(item, search.config));
    rows.push_back(ReportedItemOf(item, i, record.itemId, record.url));
    rows.back().change = search.changes.Of(record.itemId, item.bidCount);
    records.push_back(std::move(record));
  }
  const auto ran =
      std::chrono::duration_cast<std::chrono::seconds>(search.platform.Now().time_since_epoch())
          .count();
  ItemReportFacts facts = ItemReportFactsOf(search, minimum, ran);
  if (search.changes.HasEarlierRun()) {
    facts.lastRan = ReportMomentOf(search.changes.LastRun().ranAt);
    std::unordered_set<std::string> listed;
    for (const ReportedItem& row : rows) listed.insert(row.number);
    facts.ended = search.changes.GoneWithout(listed).ended;
  }
  WriteItemReport(facts, rows, search.config, files.report);
  // The same rows in the same order.
  for (std::size_t k = 0; k < records.size(); ++k) {
    KeepRow(search, files, std::move(records[k]), rows[k].item->imageUrl);
  }
  return rows.size();
}

const RowKind& ListedItemRows() {
  static const ItemRows kRows;
  return kRows;
}

}  // namespace lotwise
