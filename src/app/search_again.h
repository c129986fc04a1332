#pragma once

#include <string>

#include "app/search_window.h"
#include "app/window_tabs.h"
#include "platform/search_history.h"

namespace lotwise {

// What a person types into the window for one search: its tab and the inputs there.
struct TypedSearch {
  int tab = kFeaturedTab;
  std::string minimumBids = "0";
  std::string words;  // the category's number on the category tab
  // The keyword tab's own inputs.
  int combine = 0;  // position in the word-combining list: all, any, exact
  std::string excluded;
  std::string lowestPrice;
  std::string highestPrice;
  int categoryPosition = 0;  // row of the category table; 0 is "All Categories"
  bool inDescription = false;
};

// Types the search into the window's inputs on its tab, as a person would before
// clicking, and gives the command that runs it. Inputs of the other tabs stay as they are.
CommandButton& TypeIn(SearchWindow& window, const TypedSearch& typed);

// A search the history holds, with its minimum of bids, as typed in to run it again.
TypedSearch TypedAgain(const HistorySearch& search, int minimumBids);

}  // namespace lotwise
