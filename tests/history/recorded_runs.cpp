#include "history/recorded_runs.h"

namespace lotwise::testing {

HistoryRun RecordedRun(const std::string& name, long run, int items) {
  HistoryRun recorded;
  recorded.search.source = "Marketplace API";
  recorded.search.marketplace = "EBAY_US";
  recorded.search.kind = 1;
  recorded.search.words = name;
  recorded.minimumBids = 1;
  recorded.ranAt = run;
  recorded.itemsKept = items;
  return recorded;
}

std::vector<HistoryItem> RecordedRows(const std::string& name, long run, int items) {
  std::vector<HistoryItem> rows(static_cast<std::size_t>(items));
  for (int p = 0; p < items; ++p) {
    HistoryItem& row = rows[static_cast<std::size_t>(p)];
    row.itemId = name + "-" + std::to_string(run) + "-" + std::to_string(p);
    row.title = "Item " + std::to_string(p) + " of run " + std::to_string(run) +
                ", long enough to fill pages as real titles do";
    row.price = std::to_string(p) + ".50";
    row.currency = "USD";
    row.bids = p;
    row.endTime = "2026-12-10T18:30:00Z";
    row.url = "https://www.example.test/itm/" + row.itemId + "?campid=5338000000&customid=x";
    row.picture = "https://i.example.test/images/g/" + row.itemId + "/s-l225.jpg";
    row.firstSeen = run;
    row.lastSeen = run;
  }
  return rows;
}

}  // namespace lotwise::testing
