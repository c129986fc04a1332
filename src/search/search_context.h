#pragma once

#include <filesystem>
#include <vector>

#include "app/config.h"
#include "platform/listing_source.h"
#include "platform/platform.h"
#include "platform/search_history.h"
#include "search/search_changes.h"
#include "search/search_controls.h"
#include "search/search_record.h"
#include "search/search_state.h"

namespace lotwise {

// A search as its stages see it: the shared state, the window's controls, the machine,
// the build's values, the page file and report of the application folder, and what the
// search has met so far. The window makes one, hands it to every stage and clears what
// the search met when the next one starts; nothing else of the window is in reach.
struct SearchContext {
  SearchState& state;
  SearchControls& controls;
  Platform& platform;
  const Config& config;
  std::filesystem::path pageFile;
  std::filesystem::path report;
  std::filesystem::path csv;  // beside the report, with the same rows

  LastPage lastPage;
  bool foundNone = false;  // the marketplace reported a total or a page count of 0
  SearchSummary summary;

  // The source of items, when the searches go through one (the marketplace API, its
  // site); nothing when they read the classic pages.
  ListingSource* listings = nullptr;
  // The items such a source gave and the search kept, in the order received (at most
  // 10,000): a stop or "See Incomplete Results" keeps what was collected.
  std::vector<ListedItem> items;

  // Where the searches are kept over time; nothing when they are not.
  SearchHistory* history = nullptr;
  // What changed since the last run of this search, once the report writer has read it.
  SearchChanges changes;
};

}  // namespace lotwise
