#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/listing_source.h"
#include "search/search_context.h"

namespace lotwise {

// A search through a source of items: the first request, and what the titles of the
// items it finds must hold or must not, for a source that does not keep to the exact
// phrase and the excluded words itself (the API has neither): they are then checked on
// the titles, ignoring case.
struct SourceSearch {
  ListingQuery query;
  std::string phrase;                 // the exact phrase, when the search asks for one
  std::vector<std::string> excluded;  // words no title may hold
};

// The API's filter of every search: auctions only (without it the API leaves out
// auctions that have bids), at least `minimumBids` bids when that is 1 or more, the price
// range in the marketplace's currency when either end is given, and the item descriptions
// too.
std::string ApiFilter(int minimumBids, const std::string& lowestPrice,
                      const std::string& highestPrice, const std::string& currency,
                      bool inDescription);

// The search of the "Keyword" tab as it stands: the words by how they combine (all of
// them, or a typed choice: as they stand; any: for the API "(a, b)"; an exact phrase: as
// they stand, the phrase then checked on the titles), the category's number, the price
// range, the API's filter. Nothing when no words are typed.
std::optional<SourceSearch> SourceKeywordSearch(const KeywordInputs& inputs, int minimumBids,
                                                const std::string& currency);

// The search of the "Category" tab: the typed category number, no words. Nothing when
// what is typed is not a number.
std::optional<SourceSearch> SourceCategorySearch(const std::string& category, int minimumBids,
                                                 const std::string& currency);

// The search of the "Completed" tab: its words. Nothing when none are typed.
std::optional<SourceSearch> SourceCompletedSearch(const std::string& words, int minimumBids);

// What is wrong with the inputs of a search of kind `kind` through a source, before
// anything is sent, as one line for the status line: no words, a price that is not a
// number or a lowest price above the highest, a category that is not a whole number
// (blanks around it left out), a minimum number of bids above what can be counted.
// Nothing when they can be searched.
std::optional<std::string> InputProblem(std::int16_t kind, const SearchControls& controls);

// Runs a search of the search's kind through its source of items: checks its inputs (the
// reason in the status line, and nothing sent, when they cannot be searched), collects
// its pages, following each page's next address up to the last page or 10,000 items,
// and keeps every item the search asked for in the search's `items`, in the order
// received: auctions with at least the minimum number of bids, each item once. A page
// that holds only items kept already ends the collection, as the site's repeated last
// page does. Shows the status texts of the keyword search, handles input before each
// page's items are kept, and ends after the page at which "See Incomplete Results" was
// clicked. The source's warnings and a refusal are shown once in a message box; a
// failure of the source's own is asked again once after 2 seconds.
void CollectItems(SearchContext& search);

}  // namespace lotwise
