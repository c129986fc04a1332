#pragma once

#include <optional>
#include <string>

namespace lotwise {

class SearchWindow;

// Category and featured browse: reads the page count from the index page `url`, then
// collects the index page and the numbered pages into the page file.
void GetData(SearchWindow& window, const std::string& url, const std::string& NextUrl);

// The page loop of every search: fetches `url`, appends its result tables to the page
// file, and goes on with the next page of the search's kind until the last one.
void GetListing(SearchWindow& window, std::string url, const std::string& NextUrl);

// Advances the search to its next page and shows the progress; gives its address, or
// nothing when the collection is complete. `NextUrl` prefixes the result offset.
std::optional<std::string> NextPage(SearchWindow& window, const std::string& NextUrl);

}  // namespace lotwise
