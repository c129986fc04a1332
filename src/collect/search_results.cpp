#include "collect/search_results.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

#include "app/search_window.h"
#include "collect/browse.h"
#include "collect/collect_error.h"
#include "collect/keyword_query.h"
#include "collect/tables.h"
#include "text/numbers.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr std::string_view kKeywordTotalStart = "var searchResultTotal = \"";
constexpr std::string_view kKeywordTotalEnd = "\";";
constexpr std::string_view kCompletedTotalStart =
    "<tr><td><font size=2 face=\"Arial, Helvetica, sans-serif\"><b>";
constexpr std::string_view kCompletedTotalEnd = "</b>";

// Waiting time between fetches of a first keyword page that holds no result table.
constexpr std::chrono::milliseconds kRetryPause{1000};

// The reported total is empty or not a number: the search is too broad.
class TotalNotANumber : public CollectError {
 public:
  using CollectError::CollectError;
};

// Reads the total between its markers into TotalFound and gives the text read.
std::string ReadTotal(SearchWindow& window, std::string_view page, std::string_view start,
                      std::string_view end) {
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
  window.TotalFound = *total;
  return value;
}

// Runs the collection after the first fetch: a total that is not a number ends the
// search with the too-many-listings message; any other failure ends the collection
// silently, keeping what the page file holds.
void AfterFirstPage(SearchWindow& window, const std::function<void()>& collect) {
  try {
    collect();
  } catch (const TotalNotANumber&) {
    window.TooManyListings();
  } catch (const CollectError&) {
  } catch (const FetchError&) {
  }
}

}  // namespace

void CollectCompletedPages(SearchWindow& window) {
  if (window.StopRequested == 1) return;
  const std::string T = AddPlus(window.Text2.text);
  const std::string host = "http://" + window.config().completedSearchHost;
  GetSearchListing(window,
                   host + "/search/search.dll?ht=1&query=" + T + "&SortProperty=MetaEndSort",
                   host + "/search/search.dll?GetResult&query=" + T +
                       "&ht=1&combine=y&SortProperty=MetaEndSort&st=2&skip=");
}

void GetSearchListing(SearchWindow& window, const std::string& url, const std::string& NextUrl) {
  const std::string page = window.platform().OpenURL(url);
  if (window.StopRequested == 1) return;
  AfterFirstPage(window, [&] {
    window.Label1.caption =
        ReadTotal(window, page, kCompletedTotalStart, kCompletedTotalEnd) + " listings found";
    GetListing(window, url, NextUrl);
  });
}

void GetTotalAuctions(SearchWindow& window, const std::string& url, const std::string& NextUrl) {
  const std::string page = window.platform().OpenURL(url);
  if (window.StopRequested == 1) return;
  AfterFirstPage(window, [&] {
    window.Label1.caption =
        ReadTotal(window, page, kKeywordTotalStart, kKeywordTotalEnd) + " auctions found";
    CreateTextFile(window, url, NextUrl);
  });
}

void CreateTextFile(SearchWindow& window, const std::string& url, const std::string& NextUrl) {
  if (window.StopRequested == 1) return;
  if (window.SeeIncomplete == 0) window.Command6.enabled = true;
  std::string page;
  std::size_t p = 0;
  for (;;) {
    page = window.platform().OpenURL(url);
    p = InStrCI(page, kFirstKeywordTableStart);
    if (p > 0 || window.StopRequested == 1) break;
    // No result table yet: ask again after a pause rather than at once.
    window.platform().Pause(kRetryPause);
    if (window.StopRequested == 1) break;
  }
  if (!CutTables(window, page, p, kFirstKeywordTableStart, TableEnd::Dropped)) return;
  if (std::optional<std::string> next = NextPage(window, NextUrl)) {
    GetListing(window, std::move(*next), NextUrl);
  }
}

}  // namespace lotwise
