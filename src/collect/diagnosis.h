#pragma once

#include <optional>
#include <string>

#include "search/search_context.h"

namespace lotwise {

// The message of a search that found no results where the classic pages hold them.
inline constexpr char kTooManyListings[] =
    "eBay says your search returned too many listings. Please narrow it and try again";

// What the search's last page shows instead of results, when it is one of the pages
// Lotwise knows, in this order: an answer with status 400 or above, a robot check, a
// sign-in page, an error page of the marketplace's servers, a result page in a layout
// Lotwise cannot read, a search that found nothing (also when the search read a total or
// page count of 0). Nothing for any other page. Every test is a linear search.
std::optional<std::string> Diagnosis(const SearchContext& search);

// The message for a search that found no result rows: its diagnosis, or the
// too-many-listings message.
std::string NoResultsMessage(const SearchContext& search);

}  // namespace lotwise
