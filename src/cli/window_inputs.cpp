#include "cli/window_inputs.h"

namespace lotwise {

TypedSearch TypedOptions(const SearchOptions& options) {
  TypedSearch typed;
  typed.minimumBids = options.minimumBids;
  switch (options.search) {
    case SearchChoice::kFeatured:
    case SearchChoice::kNone:  // a command line read always names a search
      typed.tab = kFeaturedTab;
      break;
    case SearchChoice::kCategory:
      typed.tab = kCategoryTab;
      typed.words = options.category;
      break;
    case SearchChoice::kCompleted:
      typed.tab = kCompletedTab;
      typed.words = options.words;
      break;
    case SearchChoice::kKeywords:
      typed.tab = kKeywordTab;
      typed.words = options.words;
      typed.combine = options.match;
      typed.excluded = options.excluded;
      typed.lowestPrice = options.lowestPrice;
      typed.highestPrice = options.highestPrice;
      typed.categoryPosition = options.categoryPosition;
      typed.inDescription = options.titleAndDescription;
      break;
  }
  return typed;
}

}  // namespace lotwise
