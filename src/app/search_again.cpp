#include "app/search_again.h"

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

CommandButton& TypeIn(SearchWindow& window, const TypedSearch& typed) {
  window.txtBids.text = typed.minimumBids;
  window.SSTab1.tab = typed.tab;
  switch (typed.tab) {
    case kCategoryTab:
      window.Text1.text = typed.words;
      return window.Command3;
    case kCompletedTab:
      window.Text2.text = typed.words;
      return window.Command5;
    case kKeywordTab:
      window.txtTitle.text = typed.words;
      window.cmbSearch.select(typed.combine);
      window.txtExcluded.text = typed.excluded;
      window.txtBeginPrice.text = typed.lowestPrice;
      window.txtEndPrice.text = typed.highestPrice;
      window.cmbCategories.select(typed.categoryPosition);
      window.Check1.value = typed.inDescription ? 1 : 0;
      return window.cmdSearch;
    default:
      window.SSTab1.tab = kFeaturedTab;
      return window.Command4;
  }
}

TypedSearch TypedAgain(const HistorySearch& search, int minimumBids) {
  TypedSearch typed;
  typed.minimumBids = std::to_string(minimumBids);
  typed.words = search.words;
  switch (search.kind) {
    case kCategorySearch:
      typed.tab = kCategoryTab;
      break;
    case kCompletedSearch:
      typed.tab = kCompletedTab;
      break;
    case kKeywordSearch:
      typed.tab = kKeywordTab;
      typed.combine = search.combine;
      typed.excluded = search.excluded;
      typed.lowestPrice = search.lowestPrice;
      typed.highestPrice = search.highestPrice;
      typed.categoryPosition = CategoryPosition(search.category);
      typed.inDescription = search.inDescription;
      break;
    default:
      typed.tab = kFeaturedTab;
      typed.words.clear();
  }
  return typed;
}

}  // namespace lotwise
