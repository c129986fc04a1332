#pragma once

#include <string>

#include "report/csv.h"
#include "report/row_kind.h"
#include "search/search_context.h"

namespace lotwise {

// A row the report keeps, as every row kind hands it on after its report row: its CSV
// line, with what the search's history knows of the item (search.changes), and its record
// for the history (with `picture`, the item's own, where it has one), when the history
// asks for the rows.
void KeepRow(const SearchContext& search, ReportFiles& files, CsvRecord record,
             std::string picture = {});

}  // namespace lotwise
