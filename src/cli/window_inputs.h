#pragma once

#include "app/search_window.h"
#include "cli/search_options.h"

namespace lotwise {

// Types the options into the window's inputs on the search's tab, as a person would
// before clicking; gives the command that runs the search.
CommandButton& FillIn(SearchWindow& window, const SearchOptions& options);

}  // namespace lotwise
