#include "cli/window_inputs.h"

#include "app/window_tabs.h"

namespace lotwise {
CommandButton& FillIn(SearchWindow& window, const SearchOptions& options) {
  window.txtBids.text = options.minimumBids;
  switch (options.search) {
    case SearchChoice::kFeatured:
    case SearchChoice::kNone:  // a command line read always names a search
      window.SSTab1.tab = kFeaturedTab;
      return window.Command4;
    case SearchChoice::kCategory:
      window.SSTab1.tab = kCategoryTab;
      window.Text1.text = options.category;
      return window.Command3;
    case SearchChoice::kCompleted:
      window.SSTab1.tab = kCompletedTab;
      window.Text2.text = options.words;
      return window.Command5;
    case SearchChoice::kKeywords:
      break;
  }
  window.SSTab1.tab = kKeywordTab;
  window.txtTitle.text = options.words;
  window.cmbSearch.select(options.match);
  window.txtExcluded.text = options.excluded;
  window.txtBeginPrice.text = options.lowestPrice;
  window.txtEndPrice.text = options.highestPrice;
  window.cmbCategories.select(options.categoryPosition);
  window.Check1.value = options.titleAndDescription ? 1 : 0;
  return window.cmdSearch;
}

}  // namespace lotwise
