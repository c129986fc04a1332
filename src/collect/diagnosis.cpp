#include "collect/diagnosis.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "collect/page_markers.h"
#include "search/search_state.h"
#include "text/characters.h"
#include "text/marker.h"

namespace lotwise {
namespace {

using Markers = std::vector<Marker>;

Markers AnyCase(std::initializer_list<std::string_view> texts) {
  Markers markers;
  for (std::string_view text : texts) markers.emplace_back(text, Marker::Case::kIgnored);
  return markers;
}

bool HoldsAny(std::string_view page, const Markers& markers) {
  for (const Marker& marker : markers) {
    if (marker.In(page) > 0) return true;
  }
  return false;
}

bool IsRobotCheck(std::string_view page) {
  static const Markers signs = AnyCase(
      {"Pardon Our Interruption", "Checking your browser before you access", "/splashui/challenge",
       "Nous sommes d\xC3\xA9sol\xC3\xA9s", "Security measure | eBay"});
  return HoldsAny(page, signs);
}

// A page whose title asks to sign in and which holds a password field.
bool IsSignIn(std::string_view page) {
  static const Marker titleStart("<title", Marker::Case::kIgnored);
  static const Marker titleEnd("</title", Marker::Case::kIgnored);
  static const Markers signInWords = AnyCase({"sign in", "sign-in", "signin", "log in", "login"});
  static const Markers passwordField =
      AnyCase({"type=\"password\"", "type='password'", "type=password"});
  const std::size_t start = titleStart.In(page);
  if (start == 0) return false;
  const std::size_t end = titleEnd.In(page, start);
  if (end == 0) return false;
  return HoldsAny(page.substr(start - 1, end - start), signInWords) &&
         HoldsAny(page, passwordField);
}

bool IsErrorPage(std::string_view page) {
  static const Markers signs = AnyCase({"Service Unavailable", "Zero size object", "edgesuite",
                                        "Access Denied", "Error Page | eBay"});
  return HoldsAny(page, signs);
}

// None of the markers Lotwise reads for this kind of search, but those of the
// marketplace's result pages of today.
bool IsTodaysLayout(std::string_view page, std::int16_t kind) {
  static const Markers todays = AnyCase({"srp-results", "s-item__", "s-card__", "/itm/"});
  static const Markers keyword =
      AnyCase({kKeywordTotalStart, kFirstKeywordTableStart, kOffsetTableStart});
  static const Markers completed = AnyCase({kCompletedTotalStart, kOffsetTableStart});
  static const Markers browse = AnyCase({kCountStart, kBrowseTableStart});
  const Markers& classic = kind == kKeywordSearch     ? keyword
                           : kind == kCompletedSearch ? completed
                                                      : browse;
  return !HoldsAny(page, classic) && HoldsAny(page, todays);
}

// A count of 0 that ends just before position `at` (0-based), tags and blanks between
// them allowed ("0 items", "<b>0</b> items"). Looks back a bounded stretch only.
bool ZeroEndsBefore(std::string_view page, std::size_t at) {
  constexpr std::size_t kLookBack = 64;
  const std::size_t stop = at > kLookBack ? at - kLookBack : 0;
  std::size_t i = at;
  for (;;) {
    while (i > stop && (page[i - 1] == ' ' || page[i - 1] == '\t')) --i;
    if (i == stop || page[i - 1] != '>') break;
    while (i > stop && page[i - 1] != '<') --i;  // back over the tag
    if (i == stop) return false;
    --i;
  }
  return i > stop && page[i - 1] == '0' && (i - 1 == 0 || !IsDigit(page[i - 2]));
}

// The page says the search found nothing.
bool SaysNothingFound(std::string_view page) {
  static const Markers saying = AnyCase({"No items found", "No exact matches found"});
  static const Markers counted = AnyCase({"items found", "results found"});
  if (HoldsAny(page, saying)) return true;
  for (const Marker& found : counted) {
    for (std::size_t at = found.In(page); at > 0; at = found.In(page, at + found.size())) {
      if (ZeroEndsBefore(page, at - 1)) return true;
    }
  }
  return false;
}

// The site's notice that it could not complete a search. The same words stand in the
// messages of the script of every result page: only a page without results is judged.
bool SaysRequestFailed(std::string_view page) {
  static const Marker notice("There seems to be a problem completing the request",
                             Marker::Case::kIgnored);
  return notice.In(page) > 0;
}

// The count heading of a result page of the site ("0 results for lamp", "0 Ergebnisse für
// lamp") starts with a count of 0. Reads a bounded stretch after the heading only.
bool CountsNoResults(std::string_view page) {
  static const Marker heading("srp-controls__count-heading", Marker::Case::kExact);
  constexpr std::size_t kLookAhead = 512;
  for (std::size_t at = heading.In(page); at > 0; at = heading.In(page, at + heading.size())) {
    const std::size_t stop = std::min(page.size(), at - 1 + kLookAhead);
    std::size_t i = at - 1 + heading.size();
    while (i < stop && page[i] != '>') ++i;  // the end of the heading's tag
    bool inTag = false;
    for (++i; i < stop; ++i) {
      const char c = page[i];
      if (inTag) {
        inTag = c != '>';
      } else if (c == '<') {
        inTag = true;
      } else if (IsDigit(c)) {
        return c == '0' && (i + 1 == page.size() ||
                            !(IsDigit(page[i + 1]) || page[i + 1] == ',' || page[i + 1] == '.'));
      } else if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
        break;  // words before the count: not a heading this reads
      }
    }
  }
  return false;
}

// A result page of the site whose only cards are after the "Results matching fewer words"
// divider, or which counts no results: the search matched nothing.
bool SiteFoundNothing(std::string_view page) {
  static const Marker divider("srp-river-answer--REWRITE_START", Marker::Case::kExact);
  return divider.In(page) > 0 || CountsNoResults(page) || SaysNothingFound(page);
}

}  // namespace

std::optional<std::string> Diagnosis(JudgedPage judged, std::int16_t kind, bool foundNone) {
  if (judged.status >= 400) {
    return "The marketplace refused the request (HTTP " + std::to_string(judged.status) + ").";
  }
  const std::string_view page = judged.body;
  if (IsRobotCheck(page)) {
    return "The marketplace showed a robot check instead of results. Open the marketplace in "
           "your browser, wait a while, then try again.";
  }
  if (IsSignIn(page)) return "The marketplace asked to sign in instead of showing results.";
  if (IsErrorPage(page)) {
    return "The marketplace's server answered with an error page instead of results. Try "
           "again later.";
  }
  if (IsTodaysLayout(page, kind)) {
    return "The marketplace's page layout is not one this version of Lotwise can read.";
  }
  if (foundNone || SaysNothingFound(page)) {
    return kFoundNoItems;
  }
  return std::nullopt;
}

std::optional<std::string> SiteDiagnosis(JudgedPage judged) {
  // Diagnosis gives these, in this order, before it tests the layout: the same messages.
  const std::string_view page = judged.body;
  if (judged.status >= 400 || IsRobotCheck(page) || IsSignIn(page) || IsErrorPage(page)) {
    return Diagnosis(judged, kKeywordSearch, false);
  }
  if (SaysRequestFailed(page)) {
    return "The marketplace could not complete the search just now. Try again later.";
  }
  if (SiteFoundNothing(page)) return kFoundNoItems;
  return std::nullopt;
}

std::string NoResultsMessage(JudgedPage page, std::int16_t kind, bool foundNone) {
  return Diagnosis(page, kind, foundNone).value_or(kTooManyListings);
}

}  // namespace lotwise
