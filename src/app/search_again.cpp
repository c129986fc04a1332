#include "app/search_again.h"

#include <string>

#include "app/window_tabs.h"
#include "search/categories.h"

namespace lotwise {
namespace {

// The row of the category list with that number: "All Categories" for none.
int CategoryPosition(const std::string& number) {
  const auto table = CategoryTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].number == number) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

CommandButton& TypeIn(SearchWindow& window, const HistorySearch& search, int minimumBids) {
  window.txtBids.text = std::to_string(minimumBids);
  switch (search.kind) {
    case kCategorySearch:
      window.SSTab1.tab = kCategoryTab;
      window.Text1.text = search.words;
      return window.Command3;
    case kCompletedSearch:
      window.SSTab1.tab = kCompletedTab;
      window.Text2.text = search.words;
      return window.Command5;
    case kKeywordSearch:
      window.SSTab1.tab = kKeywordTab;
      window.txtTitle.text = search.words;
      window.cmbSearch.select(search.combine);
      window.txtExcluded.text = search.excluded;
      window.txtBeginPrice.text = search.lowestPrice;
      window.txtEndPrice.text = search.highestPrice;
      window.cmbCategories.select(CategoryPosition(search.category));
      window.Check1.value = search.inDescription ? 1 : 0;
      return window.cmdSearch;
    default:
      window.SSTab1.tab = kFeaturedTab;
      return window.Command4;
  }
}

}  // namespace lotwise
