#include "collect/page_loop.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

#include "collect/classic_addresses.h"
#include "collect/collect_error.h"
#include "collect/fetch.h"
#include "collect/page_markers.h"
#include "collect/tables.h"
#include "text/marker.h"
#include "text/numbers.h"

namespace lotwise {
namespace {

// The text between the last "of <b>" and its "</b></font>"; nothing when there is none.
std::optional<std::string> CutPageCount(const SearchState& state, std::string_view page) {
  static const Marker countStart(kCountStart, Marker::Case::kIgnored);
  static const Marker countEnd(kCountEnd, Marker::Case::kIgnored);
  std::optional<std::string> value;
  std::size_t s = countStart.In(page);
  while (s > 0 && state.StopRequested == 0) {
    const std::size_t e = countEnd.In(page, s + kCountStart.size());
    if (e == 0) throw CollectError("The page count has no end.");
    value = std::string(page.substr(s - 1 + kCountStart.size(), e - s - kCountStart.size()));
    s = countStart.In(page, e + 1);
  }
  return value;
}

}  // namespace

void GetData(SearchContext& search, const std::string& url, const std::string& NextUrl) {
  SearchState& state = search.state;
  // A failure of this first fetch is not handled here: it ends the search.
  const std::string& page = FetchPage(search, url);
  try {
    const std::optional<std::string> value = CutPageCount(state, page);
    if (!value) {
      state.PageTotal = 0;
    } else {
      const auto total = ToInt16(*value);
      if (!total) throw CollectError("The page count is not a number.");
      state.PageTotal = *total;
      search.foundNone = *total == 0;
      search.summary.pagesExpected = std::max(0, int{*total});
    }
    // Without a count the status starts with a blank: kept on purpose.
    search.controls.ShowStatus(value.value_or("") + " pages of listings found");
    // The index page is fetched a second time by the page loop: kept on purpose, so that
    // the marketplace sees the requests it always saw.
    GetListing(search, url, NextUrl);
    return;
  } catch (const FetchError&) {
  } catch (const CollectError&) {
  }
  // The page loop runs once more from the index page; PageStart goes on where it was.
  // A failure of this second run is not handled here either.
  search.controls.ShowStatus("No Contents Found between selected Text...");
  GetListing(search, url, NextUrl);
}

void CollectCategoryPages(SearchContext& search) {
  // The category number as typed: blanks, letters and all go into the address.
  GetData(search, CategoryIndexAddress(search.config, search.controls.CategoryTyped()), "");
}

void CollectFeaturedPages(SearchContext& search) {
  GetData(search, FeaturedIndexAddress(search.config), "");
}

void GetListing(SearchContext& search, std::string url, const std::string& NextUrl) {
  static const Marker offsetStart(kOffsetTableStart, Marker::Case::kIgnored);
  static const Marker browseStart(kBrowseTableStart, Marker::Case::kIgnored);
  SearchState& state = search.state;
  while (state.StopRequested == 0) {
    if (state.SeeIncomplete == 0) search.controls.OfferIncompleteResults();
    const bool byOffset = PagesByOffset(state.SearchKind);
    const std::string_view start = byOffset ? kOffsetTableStart : kBrowseTableStart;
    const std::string& page = FetchPage(search, url);
    if (state.StopRequested == 0) ++search.summary.pagesCollected;
    const std::size_t p = (byOffset ? offsetStart : browseStart).In(page);
    if (!CutTables(search, page, p, start, TableEnd::Kept)) return;
    std::optional<std::string> next = NextPage(search, NextUrl);
    if (!next) return;
    url = std::move(*next);
  }
}

std::optional<std::string> NextPage(SearchContext& search, const std::string& NextUrl) {
  SearchState& state = search.state;
  // After "Stop Search" nothing moves on: no counter advances and no status is shown, so
  // that what the window shows, the run summary and the pages fetched agree.
  if (state.StopRequested == 1) return std::nullopt;
  switch (state.SearchKind) {
    case kKeywordSearch:
    case kCompletedSearch: {
      // Up to and including the first offset not below the total (four pages for 120):
      // kept on purpose.
      if (state.ListOffset >= state.TotalFound) return std::nullopt;
      if (state.ListOffset > std::numeric_limits<std::int32_t>::max() - 50) {
        throw CollectError("The result offset is too large.");
      }
      state.ListOffset += 50;
      const std::string offset = std::to_string(state.ListOffset);
      search.controls.ShowStatus(offset + " of " + std::to_string(state.TotalFound) + " searched.");
      return NextUrl + offset;
    }
    case kCategorySearch:
    case kFeaturedSearch: {
      if (state.PageStart > state.PageTotal) return std::nullopt;
      if (state.PageStart == std::numeric_limits<std::int16_t>::max()) {
        throw CollectError("The page number is too large.");
      }
      const std::int16_t page = state.PageStart++;
      search.controls.ShowStatus(std::to_string(page) + " of " + std::to_string(state.PageTotal) +
                                 " pages searched.");
      return state.SearchKind == kCategorySearch
                 // Text1 read again for every page: kept on purpose, so that what the user
                 // types meanwhile reaches the next page's address.
                 ? CategoryPageAddress(search.config, search.controls.CategoryTyped(), page)
                 : FeaturedPageAddress(search.config, page);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace lotwise
