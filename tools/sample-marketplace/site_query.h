#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "sample-marketplace/catalog.h"
#include "sample-marketplace/query.h"
#include "sample-marketplace/target.h"

namespace lotwise::sample {

// The most cards a result page of the sample holds: the program asks for 240 a page, and
// a page of at most 25 gives the sample's searches several pages.
inline constexpr std::size_t kSitePageLimit = 25;

// The placeholder cards at the start of every result page, and the cards of items that
// match only some of the words after the matching ones.
inline constexpr std::size_t kPlaceholderCards = 2;
inline constexpr std::size_t kFewerWordsCards = 3;

// What a request of a result page asks for, read from its parameters (a "+" is a blank):
// _nkw the words; _in_kw how they combine (1 all of them, the default and whatever is
// not 2 or 3; 2 any of them; 3 the exact phrase); _ex_kw words that must not occur;
// _udlo and _udhi the price range in dollars (or euros); LH_TitleDesc=1 the descriptions
// too; _sacat the category (empty or 0: all; a number that is no top-level category finds
// nothing, and so does a text that is no number); LH_Complete=1 (or LH_Sold=1) the ended
// items instead of the current ones; LH_Auction=1 changes nothing, every sample item
// being an auction; _ipg the cards a page (at most kSitePageLimit, also when absent or
// not a number); _pgn the page, from 1 (1 when absent or not a number).
struct SiteQuery {
  SearchFilter filter;
  std::string words;  // as given, for the heading
  std::size_t perPage = kSitePageLimit;
  long long page = 1;
};

SiteQuery ReadSiteQuery(const Target& target);

// What a search finds, in the catalog's order (which is the order of end times): the
// items that match, and those that match everything but the words in full, having only
// some of them or not as the phrase (none for a search of one word, or of any of its
// words).
struct SiteResults {
  std::vector<const Item*> matches;
  std::vector<const Item*> fewerWords;
};

SiteResults FindSiteResults(const std::vector<Item>& items, const SearchFilter& filter);

// The number of result pages for `matches` items: at least 1, the page that says that
// nothing is found.
long long SitePageCount(std::size_t matches, std::size_t perPage);

}  // namespace lotwise::sample
