#include "collect/search_results.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

#include "collect/classic_addresses.h"
#include "collect/collect_error.h"
#include "collect/diagnosis.h"
#include "collect/fetch.h"
#include "collect/page_loop.h"
#include "collect/page_markers.h"
#include "collect/tables.h"
#include "text/marker.h"
#include "text/numbers.h"
#include "text/position.h"

namespace lotwise {
namespace {

// Fetches of a first keyword page that holds no result table, in all, and the pause before
// the second of them, doubled before each further one: 1, 2, 4 and 8 seconds.
constexpr int kFirstPageTries = 5;
constexpr std::chrono::milliseconds kFirstRetryPause{1000};
constexpr char kNoResultTable[] = "The marketplace's result page held no result table in 6 tries.";

// The reported total is empty or not a number: the search is too broad.
class TotalNotANumber : public CollectError {
 public:
  using CollectError::CollectError;
};

// Reads the total between its markers into TotalFound and gives the text read.
std::string ReadTotal(SearchContext& search, std::string_view page, std::string_view start,
                      std::string_view end) {
  // Without its start marker the total is cut from the start marker's length on, up to
  // its end marker: kept on purpose (what it cuts is the too-broad search's message).
  const std::size_t s = InStrCI(page, start);
  const std::size_t from = s + start.size();
  const std::size_t e = InStrCI(page, end, from);
  if (e == 0) throw CollectError("The total has no end.");
  const std::string value(Mid(page, from, static_cast<std::ptrdiff_t>(e - from)));
  const auto total = ToInt32(value);
  if (!total) {
    if (IsWholeNumber(value)) throw CollectError("The total is too large.");
    throw TotalNotANumber("The total is not a number.");
  }
  search.state.TotalFound = *total;
  search.foundNone = *total == 0;
  // The first page, then one for every 50 results.
  search.summary.pagesExpected = 1 + (std::max(0, *total) + 49) / 50;
  return value;
}

// Runs the collection after the first fetch: a total that is not a number ends the
// search with a message (what the page shows instead of results, or the
// too-many-listings message); any other failure ends the collection silently, keeping
// what the page file holds.
void AfterFirstPage(SearchContext& search, const std::function<void()>& collect) {
  try {
    collect();
  } catch (const TotalNotANumber&) {
    search.controls.EndWithMessage(NoResultsMessage(search));
  } catch (const CollectError&) {
  } catch (const FetchError&) {
  }
}

// Where a first page holds its total, and what the status line says after it.
struct TotalMarkers {
  std::string_view start;
  std::string_view end;
  std::string_view found;  // " auctions found"
};

// Fetches the first page, reads its total, shows it and runs `collect`, the failures
// handled as AfterFirstPage says; a failure of the fetch itself is left to the caller.
void FirstPageThen(SearchContext& search, const std::string& url, const TotalMarkers& total,
                   const std::function<void()>& collect) {
  const std::string& page = FetchPage(search, url);
  if (search.state.StopRequested == 1) return;
  AfterFirstPage(search, [&] {
    search.controls.ShowStatus(ReadTotal(search, page, total.start, total.end) +
                               std::string(total.found));
    collect();
  });
}

}  // namespace

void RunKeywordSearch(SearchContext& search) {
  if (search.state.StopRequested == 1) return;
  const SearchAddresses addresses = KeywordAddresses(search.controls.KeywordTab(), search.config);
  GetTotalAuctions(search, addresses.first, addresses.next);
}

void CollectCompletedPages(SearchContext& search) {
  if (search.state.StopRequested == 1) return;
  const SearchAddresses addresses =
      CompletedAddresses(search.controls.CompletedKeywordsTyped(), search.config);
  GetSearchListing(search, addresses.first, addresses.next);
}

void GetSearchListing(SearchContext& search, const std::string& url, const std::string& NextUrl) {
  // The first page is fetched a second time by the page loop: kept on purpose.
  FirstPageThen(search, url, {kCompletedTotalStart, kCompletedTotalEnd, " listings found"},
                [&] { GetListing(search, url, NextUrl); });
}

void GetTotalAuctions(SearchContext& search, const std::string& url, const std::string& NextUrl) {
  FirstPageThen(search, url, {kKeywordTotalStart, kKeywordTotalEnd, " auctions found"},
                [&] { CreateTextFile(search, url, NextUrl); });
}

void CreateTextFile(SearchContext& search, const std::string& url, const std::string& NextUrl) {
  static const Marker firstTableStart(kFirstKeywordTableStart, Marker::Case::kIgnored);
  SearchState& state = search.state;
  if (state.StopRequested == 1) return;
  if (state.SeeIncomplete == 0) search.controls.OfferIncompleteResults();
  const std::string* page = nullptr;
  std::size_t p = 0;
  for (int tries = 1;; ++tries) {
    page = &FetchPage(search, url);
    p = firstTableStart.In(*page);
    if (p > 0 || state.StopRequested == 1) break;
    // No result table: a page that says why ends the search with that; any other is
    // asked for again after a pause, a few times.
    if (std::optional<std::string> message =
            Diagnosis({*page, search.lastPage.status}, state.SearchKind, search.foundNone)) {
      search.controls.EndWithMessage(*message);
      return;
    }
    if (tries == kFirstPageTries) {
      search.controls.EndWithMessage(kNoResultTable);
      return;
    }
    search.platform.Pause(kFirstRetryPause * (1 << (tries - 1)));
    if (state.StopRequested == 1) break;
  }
  if (state.StopRequested == 0) ++search.summary.pagesCollected;
  // The first page's records end before their "</table>": kept on purpose.
  if (!CutTables(search, *page, p, kFirstKeywordTableStart, TableEnd::Dropped)) return;
  if (std::optional<std::string> next = NextPage(search, NextUrl)) {
    GetListing(search, std::move(*next), NextUrl);
  }
}

}  // namespace lotwise
