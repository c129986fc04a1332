#include "search/progress.h"

#include <algorithm>

namespace lotwise {

std::optional<SearchProgress> ProgressOf(const SearchState& state) {
  switch (state.SearchKind) {
    case kCategorySearch:
    case kFeaturedSearch:
      if (state.PageTotal <= 0) return std::nullopt;
      return SearchProgress{std::clamp(state.PageStart - 1, 0, int{state.PageTotal}),
                            state.PageTotal};
    case kKeywordSearch:
    case kCompletedSearch:
      if (state.TotalFound <= 0) return std::nullopt;
      return SearchProgress{std::clamp(state.ListOffset, 0, state.TotalFound), state.TotalFound};
    default:
      return std::nullopt;
  }
}

}  // namespace lotwise
