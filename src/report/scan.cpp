#include "report/scan.h"

#include <cstdint>
#include <string_view>

#include "app/search_window.h"
#include "collect/page_file.h"
#include "report/grab_bid.h"
#include "report/report_writer.h"
#include "report/strip_bid.h"

namespace lotwise {
namespace {

// Reads the page file once for its highest bid count (never below 0) and hands it to
// the writer; a missing page file ends the search with the too-many-listings message.
void ScanPages(SearchWindow& window, const BidCountOf& bidCount,
               void (*write)(SearchWindow&, std::int16_t)) {
  if (window.StopRequested == 1) return;
  window.Label1.caption = "Finding Bid amounts.......";
  std::int16_t highest = 0;
  const bool found = ReadLines(window.PageFilePath(), [&](std::string_view line) {
    const std::int16_t count = bidCount(line);
    if (count > highest) highest = count;
  });
  if (!found) {
    window.TooManyListings();
    return;
  }
  write(window, highest);
}

}  // namespace

void ScanListingPages(SearchWindow& window) {
  ScanPages(
      window,
      [&window](std::string_view line) {
        return StripBid(line, window.SearchKind, window.FeaturedMode);
      },
      WriteListingResults);
}

void ScanSearchPages(SearchWindow& window) {
  ScanPages(
      window, [&window](std::string_view line) { return GrabBid(line, window.StopRequested); },
      WriteSearchResults);
}

}  // namespace lotwise
