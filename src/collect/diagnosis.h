#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lotwise {

// The message of a search that found no results where the classic pages hold them.
inline constexpr char kTooManyListings[] =
    "eBay says your search returned too many listings. Please narrow it and try again";

// The message of a search that the marketplace says found nothing.
inline constexpr char kFoundNoItems[] = "The marketplace found no items for this search.";

// A page a search fetched, as the diagnosis judges it: its body and HTTP status (0 when
// unknown).
struct JudgedPage {
  std::string_view body;
  int status = 0;
};

// What a page of a search of kind `kind` shows instead of results, when it is one of the
// pages Lotwise knows, in this order: an answer with status 400 or above, a robot check,
// a sign-in page, an error page of the marketplace's servers, a result page in a layout
// Lotwise cannot read, a search that found nothing (also when `foundNone`: the search
// read a total or page count of 0). Nothing for any other page. Every test is a linear
// search.
std::optional<std::string> Diagnosis(JudgedPage page, std::int16_t kind, bool foundNone);

// What a page of the marketplace's site that holds no result cards before the "Results
// matching fewer words" divider shows instead, in the order of Diagnosis: an answer with
// status 400 or above, a robot check, a sign-in page, an error page, the site's notice
// that it could not complete the request, a search that found nothing (the divider, a
// count of 0 results, or the site saying so). Nothing for any other page. Every test is a
// linear search.
std::optional<std::string> SiteDiagnosis(JudgedPage page);

// The message for a search that found no result rows: the diagnosis of the page, or the
// too-many-listings message.
std::string NoResultsMessage(JudgedPage page, std::int16_t kind, bool foundNone);

}  // namespace lotwise
