#pragma once

#include <optional>

#include "search/search_state.h"

namespace lotwise {

// How far a search has come: `value` of `maximum` pages or results.
struct SearchProgress {
  int value = 0;
  int maximum = 0;
};

// The progress of a running search once it is known: pages of a category or featured
// browse once their number is read, results of a keyword or completed-items search once
// their total is read; nothing before that.
std::optional<SearchProgress> ProgressOf(const SearchState& state);

}  // namespace lotwise
