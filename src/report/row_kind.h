#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/search_history.h"
#include "report/report_file.h"
#include "search/search_context.h"

namespace lotwise {

// The two files of a report, each written under a temporary name: the HTML page and the
// CSV beside it; and the records of the rows written, in order, when the search's
// history asks for them (KeepRow adds each).
struct ReportFiles {
  ReportFile& report;
  ReportFile& csv;
  std::vector<HistoryItem>* kept = nullptr;
};

// One kind of report row: where the rows of a search are among what it collected, how
// the bid count of each is read and how its row is made. The report is the same for
// every kind (WriteReport); a new kind of row adds a RowKind, nothing else.
class RowKind {
 public:
  virtual ~RowKind() = default;

  // Reads what the search collected once, in the order collected, for the highest bid
  // count (never below 0), adding to `summary` what it read and the bid cells that held
  // no count. Nothing when the search collected nothing at all.
  virtual std::optional<int> Highest(const SearchContext& search, SearchSummary& summary) const = 0;

  // Writes the report (the whole page) and the lines of the CSV (after its beginning) of
  // the rows whose bid count lies between `minimum` and `highest`, higher counts first,
  // equal counts in the order collected, the same rows in the same order in both, each
  // row's CSV line through KeepRow. What changed since the search's last run is in
  // search.changes. Gives how many rows it wrote.
  virtual std::size_t Write(const SearchContext& search, int highest, int minimum,
                            ReportFiles& files) const = 0;
};

}  // namespace lotwise
