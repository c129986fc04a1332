#pragma once

#include "app/search_again.h"
#include "cli/search_options.h"

namespace lotwise {

// The options as a person would type them into the window.
TypedSearch TypedOptions(const SearchOptions& options);

}  // namespace lotwise
