#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/listing_source.h"
#include "search/search_context.h"

namespace lotwise {

// A search through the marketplace's API: the first request, and what the titles of the
// items it finds must hold or must not (the API has no exact phrase and no words to
// exclude, so they are checked on the titles, ignoring case).
struct ApiSearch {
  ListingQuery query;
  std::string phrase;                 // the exact phrase, when the search asks for one
  std::vector<std::string> excluded;  // words no title may hold
};

// The filter of every search: auctions only (without it the API leaves out auctions that
// have bids), at least `minimumBids` bids when that is 1 or more, the price range in the
// marketplace's currency when either end is given, and the item descriptions too.
std::string ApiFilter(int minimumBids, const std::string& lowestPrice,
                      const std::string& highestPrice, const std::string& currency,
                      bool inDescription);

// The search of the "Keyword" tab as it stands: `q` from the words by how they combine
// (all of them, or a typed choice: as they stand; any: "(a, b)"; an exact phrase: as they
// stand, the phrase then checked on the titles), the category's number, the filter.
// Nothing when no words are typed.
std::optional<ApiSearch> ApiKeywordSearch(const KeywordInputs& inputs, int minimumBids,
                                          const std::string& currency);

// The search of the "Category" tab: the typed category number, no words. Nothing when
// what is typed is not a number.
std::optional<ApiSearch> ApiCategorySearch(const std::string& category, int minimumBids,
                                           const std::string& currency);

// Runs a keyword or category search (by SearchKind) through the search's listing source:
// builds its request (a message and no request when the tab holds none), collects its
// pages, following each page's next address up to the last page or 10,000 results, and
// keeps every item the search asked for in the search's `items`. Shows the status
// texts of the keyword search, handles input before each page's items are appended, and
// ends after the page at which "See Incomplete Results" was clicked. The marketplace's
// warnings and a refusal are shown once in a message box; a failure of the marketplace's
// own is asked again once after 2 seconds.
void CollectItems(SearchContext& search);

}  // namespace lotwise
