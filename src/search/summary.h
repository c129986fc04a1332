#pragma once

#include <string>

#include "search/search_record.h"

namespace lotwise {

// One line that says what the last search did, for a status bar or a log:
//   "35 items with at least 10 bids in Finalsearch.htm and Finalsearch.csv · 7 pages · 10 rows left
//   out: bid count unreadable · 12 new, 4 ended since the last run", "Cut short after 3 of 7 pages:
//   11 items", "Stopped after 3 of 7 pages: no report written", "No report: <message>", "Search
//   ended after 2 pages: ...".
// Empty while a search runs and before the first.
std::string SummaryText(const SearchSummary& summary);

}  // namespace lotwise
