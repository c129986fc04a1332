#pragma once

#include <span>
#include <string_view>

namespace lotwise::sample {

// A top-level category of the marketplace: its number and the name its pages show.
struct Category {
  int number = 0;
  std::string_view name;
};

// The 23 top-level categories, in the order the category overview lists them.
std::span<const Category> TopLevelCategories();

// The name of a category number; empty for a number that is not a top-level category.
std::string_view CategoryName(int number);

}  // namespace lotwise::sample
