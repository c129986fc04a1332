#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sample-marketplace/site_words.h"

namespace lotwise::sample {

// The layout of result cards: today's `<li class="s-card ...">` or the older
// `<li class="s-item ...">`.
enum class SiteLayout { kCard, kItem };

// "card", "item"; nullopt for anything else.
std::optional<SiteLayout> ParseSiteLayout(std::string_view name);

// How a page writes its markup. Minified pages leave out the quotes of attribute values
// that need none (and then write a link's "&" as it is), as some of the site's pages do.
struct PageStyle {
  SiteLayout layout = SiteLayout::kCard;
  SiteLanguage language = SiteLanguage::kEnglish;
  bool minified = false;
};

// ` name="value"`, the value escaped; or, minified, ` name=value` for a value without
// blanks, quotes or angle brackets.
std::string Attribute(std::string_view name, std::string_view value, const PageStyle& style);

// What one result card shows, every text as the page shows it.
struct Card {
  std::int64_t number = 0;  // of the /itm/ link
  std::string link;         // "http://host/itm/<number>"
  std::string title;        // plain text
  std::string price;
  std::string bids;      // empty: no bid count shown
  std::string timeLeft;  // empty: none shown (sold items)
  std::string sold;      // the caption of a sold item; empty for others
  std::string delivery;
  std::string picture;
  // The picture waits until the card is scrolled to: `src` names `placeholder` and
  // data-defer-load the picture, as the site writes every card below the first few.
  std::string placeholder;
};

// The card as a list item of the page's layout: title, price, bid count and time left
// where a reader of that layout looks for them (s-card: the price in "s-card__price",
// the bid count as plain text in an attribute row, the time left in
// "s-card__time-left"; s-item: "s-item__price", "s-item__bidCount",
// "s-item__time-left"), the title in the card's title element and in the picture's alt
// text.
std::string CardMarkup(const Card& card, const PageStyle& style);

}  // namespace lotwise::sample
