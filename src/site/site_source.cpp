#include "site/site_source.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "app/config.h"
#include "collect/diagnosis.h"
#include "platform/marketplaces.h"
#include "search/search_state.h"
#include "site/site_address.h"
#include "text/characters.h"

namespace lotwise {
namespace {

using Kind = ListingError::Kind;

constexpr int kMostPages = 50;
constexpr std::chrono::seconds kLongestRetryAfter{60};
// A Retry-After that gives no number of seconds (none, or a date).
constexpr std::chrono::seconds kUnsaidRetryAfter{5};

bool Throttled(int status) { return status == 429 || status == 503; }

bool IsNamed(std::string_view name, std::string_view wanted) {
  return name.size() == wanted.size() &&
         std::equal(name.begin(), name.end(), wanted.begin(),
                    [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

// How long an answer of 429 or 503 asks to wait before the next request: its last
// Retry-After (after redirects, the last answer's).
std::chrono::milliseconds RetryAfter(const HttpResponse& response) {
  for (auto field = response.headers.rbegin(); field != response.headers.rend(); ++field) {
    if (!IsNamed(field->first, "Retry-After")) continue;
    std::string_view text = field->second;
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (!IsDigits(text)) break;
    long long seconds = kLongestRetryAfter.count();  // also when too long to hold
    std::from_chars(text.data(), text.data() + text.size(), seconds);
    return std::chrono::seconds(std::min<long long>(seconds, kLongestRetryAfter.count()));
  }
  return kUnsaidRetryAfter;
}

[[noreturn]] void StillThrottled(int status) {
  const std::string code = " (HTTP " + std::to_string(status) + ").";
  if (status == 429) {
    throw ListingError(Kind::kRequest, status,
                       "The marketplace's site asks Lotwise to search less often just now" + code +
                           " Wait a few minutes, then try again.");
  }
  throw ListingError(Kind::kRequest, status,
                     "The marketplace's site is unavailable just now" + code + " Try again later.");
}

}  // namespace

// A request cut short because the search was stopped: the page asked for is given empty.
struct SiteSource::Stopped {};

SiteSource::SiteSource(SiteSourceSettings settings, HttpSender& http, Platform& platform,
                       const SiteClock& clock)
    : settings_(std::move(settings)),
      userAgent_("Lotwise/" + VersionNumber()),
      http_(http),
      platform_(platform),
      clock_(clock) {
  const MarketplaceChoice& marketplace = MarketplaceOf(settings_.marketplace);
  reading_.site = settings_.baseUrl.empty() ? marketplace.site : settings_.baseUrl;
  reading_.currency = marketplace.currency;
}

std::string SiteSource::Currency() const { return reading_.currency; }

std::string SiteSource::Name() const {
  return "Marketplace site (" + std::string(MarketplaceOf(settings_.marketplace).id) + ")";
}

std::optional<std::string> SiteSource::Lacks(std::int16_t searchKind) const {
  if (searchKind == kFeaturedSearch) {
    return "The marketplace's site has no featured auctions any more: search a category or "
           "keywords instead.";
  }
  return std::nullopt;
}

int SiteSource::PageSize() const { return kSitePageSize; }

std::string SiteSource::SearchAddress(const ListingQuery& query, int page) const {
  return SiteSearchAddress(reading_.site, query, page);
}

ListingPage SiteSource::Search(const ListingQuery& query) {
  query_ = query;
  page_ = 1;
  seen_.clear();
  return Page(SearchAddress(query_, page_));
}

ListingPage SiteSource::Next(const std::string& next) {
  ++page_;
  return Page(next);
}

HttpResponse SiteSource::Sent(const std::string& url, std::chrono::milliseconds wait) {
  if (sentBefore_) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(
        std::max(settings_.pause, kShortestSitePause) - (clock_.Steady() - lastSent_));
    if (const auto pause = std::max(wait, left); pause.count() > 0) platform_.Pause(pause);
  }
  sentBefore_ = true;
  lastSent_ = clock_.Steady();
  HttpRequest request;
  request.url = url;
  request.acceptCompressed = true;
  request.headers = {{"User-Agent", userAgent_}};
  if (std::string cookies = cookies_.Header(); !cookies.empty()) {
    request.headers.emplace_back("Cookie", std::move(cookies));
  }
  HttpResponse response = http_.Send(request);
  if (response.stopped()) throw Stopped{};
  cookies_.Take(response.headers);
  return response;
}

HttpResponse SiteSource::Answered(const std::string& url) {
  HttpResponse response = Sent(url, {});
  if (!Throttled(response.status)) return response;
  response = Sent(url, RetryAfter(response));
  if (Throttled(response.status)) StillThrottled(response.status);
  return response;
}

ListingPage SiteSource::Page(const std::string& url) {
  HttpResponse response;
  try {
    response = Answered(url);
  } catch (const Stopped&) {
    return {};  // the search was stopped: it reads nothing more
  }
  reading_.arrivedAt = clock_.SecondsSince1970();
  SitePage read = ReadSitePage(response.body, reading_);
  ListingPage page;
  page.total = -1;
  if (read.items.empty()) {
    const std::optional<std::string> cause = SiteDiagnosis({response.body, response.status});
    // Past the first page, a page that finds nothing is the end of the results.
    if (page_ > 1 && (!cause || *cause == kFoundNoItems)) return page;
    throw ListingError(Kind::kRequest, response.status,
                       cause.value_or("The marketplace's site answered with a page that holds "
                                      "no results Lotwise can read (HTTP " +
                                      std::to_string(response.status) + ")."));
  }
  bool anyNew = false;
  for (const ListedItem& item : read.items) {
    anyNew = seen_.insert(item.legacyItemId).second || anyNew;
  }
  page.items = std::move(read.items);
  if (read.nextPage && anyNew && page_ < kMostPages) page.next = SearchAddress(query_, page_ + 1);
  return page;
}

}  // namespace lotwise
