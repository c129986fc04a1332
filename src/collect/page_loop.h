#pragma once

#include <optional>
#include <string>

#include "search/search_context.h"

namespace lotwise {

// The classic page loop: the browse pages of the category and featured searches, read by
// page number, and the further search pages of the keyword and completed-items searches
// (search_results.h), read by result offset.

// The category search of the "Category" tab and the featured search: GetData with the
// index page.
void CollectCategoryPages(SearchContext& search);
void CollectFeaturedPages(SearchContext& search);

// Category and featured browse: reads the page count from the index page `url`, then
// collects the index page and the numbered pages into the page file.
void GetData(SearchContext& search, const std::string& url, const std::string& NextUrl);

// The page loop of every search: fetches `url`, appends its result tables to the page
// file, and goes on with the next page of the search's kind until the last one.
void GetListing(SearchContext& search, std::string url, const std::string& NextUrl);

// Advances the search to its next page and shows the progress; gives its address, or
// nothing when the collection is complete. `NextUrl` prefixes the result offset.
std::optional<std::string> NextPage(SearchContext& search, const std::string& NextUrl);

}  // namespace lotwise
