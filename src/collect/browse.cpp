#include "collect/browse.h"

#include <limits>
#include <string_view>
#include <utility>

#include "app/search_window.h"
#include "collect/collect_error.h"
#include "collect/tables.h"
#include "text/numbers.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr std::string_view kCountStart = "of <b>";
constexpr std::string_view kCountEnd = "</b></font>";

// The text between the last "of <b>" and its "</b></font>"; nothing when there is none.
std::optional<std::string> CutPageCount(const SearchWindow& window, std::string_view page) {
  std::optional<std::string> value;
  std::size_t s = InStrCI(page, kCountStart);
  while (s > 0 && window.StopRequested == 0) {
    const std::size_t e = InStrCI(page, kCountEnd, s + kCountStart.size());
    if (e == 0) throw CollectError("The page count has no end.");
    value = std::string(page.substr(s - 1 + kCountStart.size(), e - s - kCountStart.size()));
    s = InStrCI(page, kCountStart, e + 1);
  }
  return value;
}

std::string BrowsePageAddress(const SearchWindow& window, std::int16_t n) {
  const std::string number = std::to_string(n);
  const std::string& host = window.config().listingsHost;
  if (window.SearchKind == 2) {
    return "http://" + host + "/aw/plistings/list/category" + window.Text1.text + "/page" + number +
           ".html";
  }
  return "http://" + host + "/pool1/plistings/list/auction/category0/page" + number +
         ".html?featured";
}

}  // namespace

void GetData(SearchWindow& window, const std::string& url, const std::string& NextUrl) {
  // A failure of this first fetch is not handled here: it ends the search.
  const std::string page = window.platform().OpenURL(url);
  try {
    const std::optional<std::string> value = CutPageCount(window, page);
    if (!value) {
      window.PageTotal = 0;
    } else {
      const auto total = ToInt16(*value);
      if (!total) throw CollectError("The page count is not a number.");
      window.PageTotal = *total;
    }
    window.Label1.caption = value.value_or("") + " pages of listings found";
    GetListing(window, url, NextUrl);
    return;
  } catch (const FetchError&) {
  } catch (const CollectError&) {
  }
  // The page loop runs once more from the index page; PageStart goes on where it was.
  // A failure of this second run is not handled here either.
  window.Label1.caption = "No Contents Found between selected Text...";
  GetListing(window, url, NextUrl);
}

void GetListing(SearchWindow& window, std::string url, const std::string& NextUrl) {
  while (window.StopRequested == 0) {
    if (window.SeeIncomplete == 0) window.Command6.enabled = true;
    const bool byOffset = window.SearchKind == 1 || window.SearchKind == 4;
    const std::string_view start = byOffset ? kOffsetTableStart : kBrowseTableStart;
    const std::string page = window.platform().OpenURL(url);
    if (!CutTables(window, page, InStrCI(page, start), start, TableEnd::Kept)) return;
    std::optional<std::string> next = NextPage(window, NextUrl);
    if (!next) return;
    url = std::move(*next);
  }
}

std::optional<std::string> NextPage(SearchWindow& window, const std::string& NextUrl) {
  switch (window.SearchKind) {
    case 1:
    case 4: {
      if (window.ListOffset >= window.TotalFound) return std::nullopt;
      if (window.ListOffset > std::numeric_limits<std::int32_t>::max() - 50) {
        throw CollectError("The result offset is too large.");
      }
      window.ListOffset += 50;
      const std::string offset = std::to_string(window.ListOffset);
      window.Label1.caption = offset + " of " + std::to_string(window.TotalFound) + " searched.";
      return NextUrl + offset;
    }
    case 2:
    case 3: {
      if (window.PageStart > window.PageTotal) return std::nullopt;
      if (window.PageStart == std::numeric_limits<std::int16_t>::max()) {
        throw CollectError("The page number is too large.");
      }
      const std::int16_t page = window.PageStart++;
      window.Label1.caption =
          std::to_string(page) + " of " + std::to_string(window.PageTotal) + " pages searched.";
      return BrowsePageAddress(window, page);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace lotwise
