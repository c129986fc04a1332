#include "report/item_rows.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "report/active_content.h"
#include "report/csv.h"
#include "report/item_row.h"
#include "report/kept_row.h"
#include "report/report_page.h"

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
  files.report.Write(ReportBeginning(search.config));
  std::size_t rows = 0;
  for (const std::size_t i : order) {
    const ListedItem& item = items[i];
    if (item.bidCount > highest) continue;
    if (item.bidCount < minimum) break;
    std::string row = ItemRow(item, search.config);
    RemoveActiveContent(row);  // an address the marketplace gave may be a script's
    files.report.Write(row);
    KeepRow(search, files, CsvRecordOfItem(item, ItemLink(item, search.config)), item.imageUrl);
    ++rows;
  }
  files.report.Write(kReportEnding);
  return rows;
}

const RowKind& ListedItemRows() {
  static const ItemRows kRows;
  return kRows;
}

}  // namespace lotwise
