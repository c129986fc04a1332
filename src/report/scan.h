#pragma once

namespace lotwise {

class SearchWindow;

// Read the page file once for the highest bid count and have the report written.
// A missing page file ends the search with the too-many-listings message.
void ScanListingPages(SearchWindow& window);  // category, featured, completed items
void ScanSearchPages(SearchWindow& window);   // keyword
}  // namespace lotwise
