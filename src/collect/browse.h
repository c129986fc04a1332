#pragma once

#include <optional>
#include <string>

#include "search/search_context.h"

namespace lotwise {

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
