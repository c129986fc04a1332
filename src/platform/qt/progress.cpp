#include "platform/qt/progress.h"

#include <algorithm>

namespace lotwise {

std::optional<SearchProgress> ProgressOf(const SearchWindow& model) {
  if (!model.searching()) return std::nullopt;
  switch (model.SearchKind) {
    case 2:
    case 3:
      if (model.PageTotal <= 0) return std::nullopt;
      return SearchProgress{std::clamp(model.PageStart - 1, 0, int{model.PageTotal}),
                            model.PageTotal};
    case 1:
    case 4:
      if (model.TotalFound <= 0) return std::nullopt;
      return SearchProgress{std::clamp(model.ListOffset, 0, model.TotalFound), model.TotalFound};
    default:
      return std::nullopt;
  }
}

}  // namespace lotwise
