#pragma once

#include <string>

#include "search/search_context.h"

namespace lotwise {

// The search pages of the classic keyword and completed-items searches, read by result
// offset.

// Keyword search: reads the "Keyword" tab, builds the search's addresses and has its
// result pages collected.
void RunKeywordSearch(SearchContext& search);

// Completed-items search: builds its addresses from Text2 and collects its pages.
void CollectCompletedPages(SearchContext& search);

// Reads the completed-items total from the first page, then runs the page loop.
void GetSearchListing(SearchContext& search, const std::string& url, const std::string& NextUrl);

// Reads the keyword search's total from the first page, then collects its pages.
void GetTotalAuctions(SearchContext& search, const std::string& url, const std::string& NextUrl);

// Cuts the first keyword page (fetched again until it holds a result table or the
// search is stopped), then runs the page loop over the further pages.
void CreateTextFile(SearchContext& search, const std::string& url, const std::string& NextUrl);

}  // namespace lotwise
