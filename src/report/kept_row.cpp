#include "report/kept_row.h"

#include <utility>

#include "search/iso_time.h"

namespace lotwise {

void KeepRow(const SearchContext& search, ReportFiles& files, CsvRecord record,
             std::string picture) {
  const ItemChange change = search.changes.Of(record.itemId, record.bids);
  if (change.compared) {
    record.firstSeen = IsoText(change.firstSeen);
    if (change.bidsLastRun) record.bidsLastRun = std::to_string(*change.bidsLastRun);
  }
  files.csv.Write(CsvLine(record));
  if (files.kept == nullptr) return;
  HistoryItem item;
  item.itemId = std::move(record.itemId);
  item.title = std::move(record.title);
  item.price = std::move(record.price);
  item.currency = std::move(record.currency);
  item.bids = record.bids;
  item.endTime = std::move(record.endTime);
  item.url = std::move(record.url);
  item.picture = std::move(picture);
  files.kept->push_back(std::move(item));
}

}  // namespace lotwise
