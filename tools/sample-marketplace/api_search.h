#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sample-marketplace/api_json.h"
#include "sample-marketplace/catalog.h"
#include "sample-marketplace/query.h"
#include "sample-marketplace/target.h"

namespace lotwise::sample {

inline constexpr std::string_view kSearchPath = "/buy/browse/v1/item_summary/search";

// A search is refused at this offset and beyond; a search's pages reach no further.
inline constexpr std::size_t kOffsetLimit = 10'000;

// Words of which an item must have at least one: a "(a, b)" of the query, or one word.
using WordGroup = std::vector<std::string>;

// A search as the API reads it from its parameters.
struct ApiSearch {
  std::vector<WordGroup> words;  // q: an item must match every group
  SearchFilter filter;           // current items; category_ids, price, searchInDescription
  bool buyingOptionsGiven = false;
  bool auctions = false;  // the buying options given include AUCTION
  std::optional<long long> minBids;
  std::optional<long long> maxBids;
  std::size_t limit = 50;
  std::size_t offset = 0;
  std::vector<ApiProblem> warnings;  // for the answer's "warnings"
};

// The search a request asks for, or the error that refuses it.
struct ParsedSearch {
  ApiSearch search;
  int status = 200;    // 400 or 409 for a refused search
  ApiProblem refusal;  // when refused
};

// Reads q, category_ids, filter, sort, limit and offset. `currency` is the currency of
// the marketplace asked, the one a price filter needs; `topLevel` the categories that
// can only be searched with words.
ParsedSearch ParseSearch(const Target& target, std::string_view currency,
                         const std::vector<int>& topLevel);

// Whether a search finds the item: a current auction with every group of words (in the
// title, or also in the description), of the category, price and bid counts asked, and
// without any bid unless the search asked for auctions (as the marketplace leaves
// auctions that have bids out of any search that does not).
bool Matches(const Item& item, const ApiSearch& search);

}  // namespace lotwise::sample
