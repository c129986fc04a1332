#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "sample-marketplace/result_cards.h"

namespace lotwise::sample {

// One result page of the site, as a search's request asks for it.
struct ResultPage {
  PageStyle style;
  std::string words;      // the words searched, for the title and heading
  std::size_t total = 0;  // items found in all, for the heading
  // The placeholder cards first, then the cards of items found, then (on the last page)
  // those that match only some of the words, after the "fewer words" divider.
  std::vector<Card> placeholders;
  std::vector<Card> found;
  std::vector<Card> fewerWords;
  long long page = 1;
  long long pageCount = 1;
  std::string pageAddress;  // the address of page k is this followed by k
};

// The whole page: the heading (`<span class="BOLD">N</span> results for ...`, or
// "0 results found for ..." and "No exact matches found" when nothing is found), the
// cards in one list, the divider `srp-river-answer--REWRITE_START` before the cards that
// match only some words, and the page links. Every page but the last links to the next
// with `pagination__next`; the last has none (s-item) or a disabled one
// (`aria-disabled="true"`, s-card), as the site's two layouts do.
std::string WriteResultPage(const ResultPage& page);

}  // namespace lotwise::sample
