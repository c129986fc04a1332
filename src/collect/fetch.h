#pragma once

#include <string>

#include "search/search_context.h"

namespace lotwise {

// Fetches `url` for the search and keeps the body and its HTTP status as the search's
// last page. A fetch that fails clears the last page and throws FetchError.
std::string FetchPage(SearchContext& search, const std::string& url);

}  // namespace lotwise
