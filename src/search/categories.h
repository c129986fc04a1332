#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lotwise {

// A top-level category of the marketplace: its name in the category list and its
// number in search addresses (empty for "All Categories").
struct Category {
  std::string_view name;
  std::string_view number;
};

// The 24 rows of the category list, in list order; the list is never sorted.
std::span<const Category> CategoryTable();

// The category number of the row at list position `position`; the empty text when no
// row stands there (-1: the user typed into the list instead of choosing).
std::string getcatno(int position);

}  // namespace lotwise
