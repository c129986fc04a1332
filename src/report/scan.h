#pragma once

#include "search/search_context.h"

namespace lotwise {

// Read the page file once for the highest bid count and have the report written.
// A missing page file ends the search with the too-many-listings message.
void ScanListingPages(SearchContext& search);  // category, featured, completed items
void ScanSearchPages(SearchContext& search);   // keyword
void ScanApiItems(SearchContext& search);      // items found through the marketplace's API

}  // namespace lotwise
