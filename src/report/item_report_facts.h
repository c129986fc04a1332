#pragma once

#include <cstdint>
#include <string>

#include "report/item_report.h"
#include "search/search_context.h"

namespace lotwise {

// The search as the report names it, from the window's inputs as the search read them:
// its kind and words, how the words combine, the excluded words, the price range in the
// source's currency, the category (its name where it is a top-level one) and whether the
// descriptions were searched too; "Keyword search for “vintage lamp”, any of the words,
// titles only".
std::string SearchDescription(const SearchContext& search);

// What the report of a search through a source says of it: the search, the minimum,
// the source, the moment `ran` and what the collection read and why it ended.
ItemReportFacts ItemReportFactsOf(const SearchContext& search, int minimumBids, std::int64_t ran);

}  // namespace lotwise
