#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/config.h"
#include "search/search_controls.h"

namespace lotwise {

// The addresses of the marketplace's classic pages, built from the inputs exactly as they
// stand: nothing is trimmed, checked or escaped (but the blanks the query builder
// replaces), so that what the user typed reaches the marketplace as typed.

// The first results address and the prefix of the further results addresses, to which
// the result offset is appended.
struct SearchAddresses {
  std::string first;
  std::string next;
};

// The browse pages of a category (`typed`: the category number as typed) and of the
// featured auctions: the index page, and numbered page `n`.
std::string CategoryIndexAddress(const Config& config, std::string_view typed);
std::string CategoryPageAddress(const Config& config, std::string_view typed, std::int16_t n);
std::string FeaturedIndexAddress(const Config& config);
std::string FeaturedPageAddress(const Config& config, std::int16_t n);

// The marketplace's overview of its categories and their numbers.
std::string CategoriesOverviewAddress(const Config& config);

// The search pages of a keyword search, for the inputs of the "Keyword" tab, and of a
// completed-items search, for its keywords.
SearchAddresses KeywordAddresses(const KeywordInputs& inputs, const Config& config);
SearchAddresses CompletedAddresses(std::string_view keywords, const Config& config);

}  // namespace lotwise
