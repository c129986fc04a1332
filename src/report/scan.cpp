#include "report/scan.h"

#include <cstdint>
#include <string_view>

#include "collect/page_file.h"
#include "report/grab_bid.h"
#include "report/report_writer.h"
#include "report/strip_bid.h"

namespace lotwise {
namespace {

// Reads the page file once for its highest bid count (never below 0) and hands it to
// the writer; a missing page file ends the search with the too-many-listings message.
void ScanPages(SearchContext& search, const BidCountOf& bidCount,
               void (*write)(SearchContext&, std::int16_t)) {
  if (search.state.StopRequested == 1) return;
  search.controls.ShowStatus("Finding Bid amounts.......");
  std::int16_t highest = 0;
  const bool found = ReadLines(search.pageFile, [&](std::string_view line) {
    const std::int16_t count = bidCount(line);
    if (count > highest) highest = count;
  });
  if (!found) {
    search.controls.TooManyListings();
    return;
  }
  write(search, highest);
}

}  // namespace

void ScanListingPages(SearchContext& search) {
  SearchState& state = search.state;
  ScanPages(
      search,
      [&state](std::string_view line) {
        return StripBid(line, state.SearchKind, state.FeaturedMode);
      },
      WriteListingResults);
}

void ScanSearchPages(SearchContext& search) {
  const SearchState& state = search.state;
  ScanPages(
      search, [&state](std::string_view line) { return GrabBid(line, state.StopRequested); },
      WriteSearchResults);
}

}  // namespace lotwise
