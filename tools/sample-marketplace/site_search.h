#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "sample-marketplace/catalog.h"
#include "sample-marketplace/marketplace.h"
#include "sample-marketplace/result_cards.h"
#include "sample-marketplace/site_times.h"

namespace lotwise::sample {

inline constexpr std::string_view kSiteSearchPath = "/sch/i.html";
inline constexpr std::string_view kGermanSiteSearchPath = "/de/sch/i.html";

// How the site's result pages are written.
struct SiteSettings {
  SiteLayout layout = SiteLayout::kCard;
  // The site's clock, in seconds since 1970-01-01 UTC; empty: the system's. Read when
  // the site is made, the start that end times are laid out around (site_times.h), and
  // for every page, the moment its times left count from.
  std::function<std::int64_t()> clock;
};

// The marketplace's site as it is today: result pages at /sch/i.html (English, prices in
// dollars) and /de/sch/i.html (German, prices in euros) over the sample's items, as
// ReadSiteQuery (site_query.h) reads their parameters. Every page starts with
// kPlaceholderCards placeholder cards ("Shop on eBay", item 123456), then holds the
// cards of its part of the items found, in the catalog's order; the last page ends with
// a "fewer words" divider and at most kFewerWordsCards cards of items that match only
// some of the words, when there are such items. A page past the last is the last page
// again; a search that finds nothing gets one page saying "0 results found" (with the
// divider and such cards too, when there are any). Item links are "/itm/<number>" at the
// item host ("/de/itm/<number>" on the German pages); the cards below the first few
// defer their pictures. Safe to use from several threads, as far as the clock is.
class SiteSearch {
 public:
  SiteSearch(const std::vector<Item>& items, SiteSettings settings);

  // Whether requests for that path are the site's result pages.
  static bool Serves(std::string_view path);

  // The result page at `target`; item links and pictures at `itemHost`, the links to
  // other pages at `ownHost` ("127.0.0.1:8080").
  Reply Answer(std::string_view target, std::string_view itemHost, std::string_view ownHost) const;

  const SiteTimes& times() const { return times_; }

 private:
  std::int64_t Now() const;

  const std::vector<Item>& items_;
  SiteSettings settings_;
  SiteTimes times_;
};

// What a whole site search lists: the items of its pages 1 to `pages`, in page order,
// without placeholders and the items after the "fewer words" divider.
struct SiteCollection {
  std::vector<Item> items;
  long long pages = 1;
};

// The collection of the search whose first page is at `target` (a target or a whole
// "http://" address, of either language's path; its _pgn is not read).
SiteCollection CollectedSiteItems(const std::vector<Item>& items, std::string_view target);

}  // namespace lotwise::sample
