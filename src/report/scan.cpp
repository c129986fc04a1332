#include "report/scan.h"

#include <cstdint>
#include <functional>
#include <string_view>

#include "collect/fetch.h"
#include "collect/page_file.h"
#include "report/grab_bid.h"
#include "report/report_writer.h"
#include "report/strip_bid.h"

namespace lotwise {
namespace {

using BidCellOf = std::function<BidCell(std::string_view line)>;

// Reads the page file once for its highest bid count (never below 0), counting its lines
// and the bid cells that held no count, and hands it to the writer; a missing page file
// ends the search with a message: what the last page showed instead of results, or the
// too-many-listings message.
void ScanPages(SearchContext& search, const BidCellOf& bidCell,
               void (*write)(SearchContext&, std::int16_t)) {
  if (search.state.StopRequested == 1) return;
  search.controls.ShowStatus("Finding Bid amounts.......");
  std::int16_t highest = 0;
  SearchSummary& summary = search.summary;
  const bool found = ReadLines(search.pageFile, [&](std::string_view line) {
    const BidCell cell = bidCell(line);
    if (cell.count > highest) highest = cell.count;
    ++summary.linesRead;
    if (cell.unreadable) ++summary.unreadableLeftOut;  // left out unless the minimum is 0
  });
  if (!found) {
    search.controls.EndWithMessage(NoResultsMessage(search));
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
        return StripBidCell(line, state.SearchKind, state.FeaturedMode);
      },
      WriteListingResults);
}

void ScanApiItems(SearchContext& search) { ScanPages(search, ApiItemBids, WriteApiResults); }

void ScanSearchPages(SearchContext& search) {
  const SearchState& state = search.state;
  ScanPages(
      search, [&state](std::string_view line) { return GrabBidCell(line, state.StopRequested); },
      WriteSearchResults);
}

}  // namespace lotwise
