#pragma once

#include <string>

namespace lotwise::testing {

// Result tables of marketplace pages as the tests serve them, each holding item rows
// labelled "Item <item>" with a bid cell, and the report rows the window makes of them
// under TestConfig(): item links through the affiliate redirect, opening in a new window.

// A category or featured listing table with one item row, and its report row.
std::string BrowseTable(const std::string& item, const std::string& bids);
std::string BrowseRow(const std::string& item, const std::string& bids);

// A completed-items table with one item row, and its report row.
std::string CompletedTable(const std::string& item, const std::string& bids);
std::string CompletedRow(const std::string& item, const std::string& bids);

// One item row of a keyword page, and its report row.
std::string KeywordCells(const std::string& item, const std::string& bids);
std::string KeywordRowCells(const std::string& item, const std::string& bids);

// Keyword result tables holding `cells`: of the first page, and of the further pages,
// and the starts of those tables.
std::string FirstKeywordTable(const std::string& cells);
std::string KeywordTable(const std::string& cells);
extern const std::string kFirstKeywordStart;
extern const std::string kOffsetStart;

}  // namespace lotwise::testing
