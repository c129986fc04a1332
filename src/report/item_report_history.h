#pragma once

#include <span>
#include <string>

#include "report/item_report.h"
#include "search/search_changes.h"

namespace lotwise {

// What the report of a source's items says of the search's history: what changed since
// the last run of the same search (SearchChanges), when there was one.

// The marks after an item's bid count in its row: "new" for an item no earlier run
// listed, else the bids gained since the last run and per hour between the two runs
// ("+7 · 2.3/h"); nothing when there is nothing to compare or nothing gained.
void AppendChangeMarks(std::string& out, const ItemChange& change);

// The summary's line: "3 new, 5 with more bids, 2 ended since the last run (8 Dec 18:30
// CET)"; empty when the search has no earlier run.
std::string ChangesSummary(const ItemReportFacts& facts, std::span<const ReportedItem> rows);

// The items of earlier runs that this one no longer lists and that have ended: how many,
// their last seen prices and bids per currency, and a list of them, most bids first, each
// said to be as last seen, not what it sold for. Empty when there are none.
std::string EndedSection(const ItemReportFacts& facts);

}  // namespace lotwise
