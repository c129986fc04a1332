#pragma once

#include <optional>

#include "app/search_window.h"

namespace lotwise {

struct SearchProgress {
  int value = 0;
  int maximum = 0;
};

// How far the running search has come, when that is known: pages of a category or
// featured browse once their number is read, results of a keyword or completed-items
// search once their total is read. Nothing otherwise, also when no search runs.
std::optional<SearchProgress> ProgressOf(const SearchWindow& model);

}  // namespace lotwise
