#pragma once

#include "app/search_window.h"
#include "platform/search_history.h"

namespace lotwise {

// Types a search the history holds into the window's inputs on its tab, with its minimum
// of bids, as a person would before clicking, and gives the command that runs it again.
// Inputs of the other tabs stay as they are.
CommandButton& TypeIn(SearchWindow& window, const HistorySearch& search, int minimumBids);

}  // namespace lotwise
