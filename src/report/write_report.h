#pragma once

#include "report/row_kind.h"
#include "search/search_context.h"

namespace lotwise {

// The end of every search: reads what it collected once for the highest bid count
// ("Finding Bid amounts......."), writes the report of the rows whose bid count lies
// between the minimum typed and that count ("Creating Output......."), higher counts
// first, equal counts in the order collected, opens it, shows the finished state and
// deletes the page file. A search that collected nothing ends with a message instead:
// what its last page showed instead of results, or the too-many-listings message. Does
// nothing when StopRequested is 1. The report is written under a temporary name and
// takes its own name only when complete; a failure throws ReportError or PageFileError
// and keeps the page file. With a search history, the rows show what changed since the
// last run of the same search, and the run is recorded once report and CSV are written
// (RunHistory); a history that fails leaves the report as it is and only says so.
void WriteReport(SearchContext& search, const RowKind& rows);

}  // namespace lotwise
