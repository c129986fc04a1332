#pragma once

#include <cstdint>

namespace lotwise {

// The kinds of search, as SearchKind holds them.
inline constexpr std::int16_t kKeywordSearch = 1;    // current items by keywords
inline constexpr std::int16_t kCategorySearch = 2;   // one category, by its number
inline constexpr std::int16_t kFeaturedSearch = 3;   // the featured auctions
inline constexpr std::int16_t kCompletedSearch = 4;  // completed items by keywords

// True for the kinds whose further pages go by result offset (keyword and completed
// items); the category and featured searches go by page number.
constexpr bool PagesByOffset(std::int16_t kind) {
  return kind == kKeywordSearch || kind == kCompletedSearch;
}

// The state every stage of a search shares. The window holds it; the stages read and
// write it directly.
struct SearchState {
  std::int16_t SearchKind = 0;  // the running or last search, 0 before the first
  std::int32_t ListOffset = 0;  // offset of the last results page asked for
  std::int32_t TotalFound = 0;  // results the first page reported
  std::int16_t PageTotal = 0;   // pages the index page reported
  std::int16_t PageStart = 0;   // number of the next page to fetch
  int FeaturedMode = 0;         // featured rows: 1 while bid cells end with "<BR>"
  int StopRequested = 0;        // 1 once "Stop Search" was clicked or a search ended
  int SeeIncomplete = 0;        // 1 once "See Incomplete Results" was clicked
};

}  // namespace lotwise
