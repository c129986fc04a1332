#pragma once

namespace lotwise {

// The tabs of the window (`SSTab1`), in order: what a search typed in again or from the
// command line selects.
inline constexpr int kFeaturedTab = 0;
inline constexpr int kCategoryTab = 1;
inline constexpr int kCompletedTab = 2;
inline constexpr int kKeywordTab = 3;

}  // namespace lotwise
