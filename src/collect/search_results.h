#pragma once

#include <string>

namespace lotwise {

class SearchWindow;

// Completed-items search: builds its addresses from Text2 and collects its pages.
void CollectCompletedPages(SearchWindow& window);

// Reads the completed-items total from the first page, then runs the page loop.
void GetSearchListing(SearchWindow& window, const std::string& url, const std::string& NextUrl);

// Reads the keyword search's total from the first page, then collects its pages.
void GetTotalAuctions(SearchWindow& window, const std::string& url, const std::string& NextUrl);

// Cuts the first keyword page (fetched again until it holds a result table or the
// search is stopped), then runs the page loop over the further pages.
void CreateTextFile(SearchWindow& window, const std::string& url, const std::string& NextUrl);

}  // namespace lotwise
