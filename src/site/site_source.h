#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>

#include "collect/site_page.h"
#include "platform/http_sender.h"
#include "platform/listing_source.h"
#include "platform/platform.h"
#include "site/site_clock.h"
#include "site/site_cookies.h"
#include "site/site_settings.h"

namespace lotwise {

// The marketplace's site as a source of items: its result pages (/sch/i.html), asked for
// as its advanced search asks (site/site_address.h), read by ReadSitePage. No developer
// keys are needed; the site is asked as a polite browser would ask it: a User-Agent that
// names Lotwise and its version, compressed answers, the cookies it set during this run,
// and requests at least the settings' pause apart (at least a second from the start of
// one to the start of the next), what the answer and its reading have not taken of it
// waited with Platform::Pause, which handles input. An answer of 429 or 503 is waited
// out once, as long as its Retry-After says (at most 60 s); a second one ends the search.
// Paging ends at the first page without a next-page link, a page of items all seen
// before in the search, a page without result cards or the 50th page; the site says no
// total (-1). A first page without results is a ListingError (kRequest) saying why
// (SiteDiagnosis); so is a later one that shows a robot check, a sign-in or an error
// page instead, while a later one that finds nothing only ends the paging.
class SiteSource : public ListingSource {
 public:
  // `http` sends the requests and `platform` pauses between them: both the window's
  // platform, so that the window handles input meanwhile and a stop cuts either short.
  SiteSource(SiteSourceSettings settings, HttpSender& http, Platform& platform,
             const SiteClock& clock);

  ListingPage Search(const ListingQuery& query) override;
  ListingPage Next(const std::string& next) override;
  std::string Currency() const override;
  std::string Name() const override;
  std::optional<std::string> Lacks(std::int16_t searchKind) const override;
  int PageSize() const override;
  bool MatchesWords() const override { return true; }  // the site keeps to both itself

  // The address of page `page` of a search: the base address or the marketplace's site.
  std::string SearchAddress(const ListingQuery& query, int page = 1) const;

 private:
  struct Stopped;
  // Sends a GET of `url` after the pause, or after `wait` when that is longer; throws
  // Stopped when it was cut short.
  HttpResponse Sent(const std::string& url, std::chrono::milliseconds wait);
  // The answer, a 429 or 503 waited out once.
  HttpResponse Answered(const std::string& url);
  ListingPage Page(const std::string& url);

  SiteSourceSettings settings_;
  SiteReading reading_;  // its arrival set for each page
  std::string userAgent_;
  HttpSender& http_;
  Platform& platform_;
  const SiteClock& clock_;
  SiteCookies cookies_;
  bool sentBefore_ = false;
  std::chrono::steady_clock::time_point lastSent_;
  // The search under way: its query, the number of the page last asked for, and the
  // items its pages held.
  ListingQuery query_;
  int page_ = 0;
  std::unordered_set<std::string> seen_;
};

}  // namespace lotwise
