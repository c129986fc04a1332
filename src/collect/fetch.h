#pragma once

#include <string>

#include "search/search_context.h"

namespace lotwise {

// Fetches `url` for the search. The page is kept as the search's last page, with its HTTP
// status, until the next fetch (a failed one clears it), and what is given is that page
// itself: it is not copied, and it stands only until the next fetch. Throws FetchError.
const std::string& FetchPage(SearchContext& search, const std::string& url);

// The message for a search that found no result rows: what its last page shows instead
// of results, or the too-many-listings message.
std::string NoResultsMessage(const SearchContext& search);

}  // namespace lotwise
