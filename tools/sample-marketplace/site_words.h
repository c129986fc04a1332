#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lotwise::sample {

// The language of a site's result pages: the US site's English at /sch/i.html, the
// German site's at /de/sch/i.html.
enum class SiteLanguage { kEnglish, kGerman };

// The fixed texts of a result page in one language.
struct SitePhrases {
  std::string_view lang;             // of the html element
  std::string_view resultsFor;       // between the count and the words of the heading
  std::string_view resultsFoundFor;  // the same when nothing is found
  std::string_view noExactMatches;
  std::string_view fewerWords;  // the divider before the cards that match only some words
  std::string_view newWindow;   // the hidden text after a card's title
  std::string_view timeLeft;    // the hidden label of the time left
  std::string_view condition;
  std::string_view searchResults;  // of the title
  std::string_view pagination;     // the hidden heading of the page links, before the number
  std::string_view previousPage;
  std::string_view nextPage;
  std::string_view placeholder;  // the title of the placeholder cards
};

const SitePhrases& PhrasesOf(SiteLanguage language);

// A price as the site shows it: "$1,234.50"; "EUR 1.234,50".
std::string SitePrice(int cents, SiteLanguage language);

// The bid count as a card shows it: "1 bid", "1,250 bids"; "1 Gebot", "1.250 Gebote";
// empty for no bids, which cards leave out.
std::string SiteBids(long long count, SiteLanguage language);

// The time left until an auction ends, `seconds` from now, in its two largest units
// with a zero second unit left out: "1d 19h left", "5h left", "2h 5m left", "14m left";
// "Noch 1 T 19 Std", "Noch 5 Std", "Noch 2 Std 5 Min", "Noch 14 Min". Minutes are whole
// ones, rounded down; an auction the clock has passed shows "0m left", "Noch 0 Min".
std::string SiteTimeLeft(std::int64_t seconds, SiteLanguage language);

// The caption of a sold item, its end's date in UTC: "Sold  Mar 4, 2026";
// "Verkauft  4. Mär 2026" (two blanks after the word, as the site writes it).
std::string SiteSoldDate(std::int64_t end, SiteLanguage language);

// The delivery row of a card: "+$4.99 delivery" or "Free delivery"; "+EUR 4,99 Versand"
// or "Kostenloser Versand". Prices in it are not the item's: a reader must not take them.
std::string SiteDelivery(std::int64_t number, SiteLanguage language);

}  // namespace lotwise::sample
