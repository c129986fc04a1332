#pragma once

#include <string>

#include "platform/search_history.h"
#include "search/search_context.h"

namespace lotwise {

// The search as the history knows it, from the inputs of the search's kind as they stand
// and the source in use: a source's name gives its marketplace in parentheses
// ("Marketplace API (EBAY_US)").
HistorySearch HistorySearchOf(const SearchContext& search);

// The search in one line for a list of searches: "Keywords “vintage lamp” (any of the
// words, not “brass”, 5 to 20, Antiques, title and description) · at least 10 bids ·
// Marketplace API (EBAY_US)".
std::string DescribeSearch(const HistorySearch& search, int minimumBids);

}  // namespace lotwise
