#include "collect/diagnosis.h"

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
  static const Markers signs =
      AnyCase({"Pardon Our Interruption", "Checking your browser before you access",
               "/splashui/challenge"});
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
  static const Markers signs =
      AnyCase({"Service Unavailable", "Zero size object", "edgesuite", "Access Denied"});
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
    return "The marketplace found no items for this search.";
  }
  return std::nullopt;
}

std::string NoResultsMessage(JudgedPage page, std::int16_t kind, bool foundNone) {
  return Diagnosis(page, kind, foundNone).value_or(kTooManyListings);
}

}  // namespace lotwise
