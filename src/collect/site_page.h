#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/listing_source.h"

namespace lotwise {

// What a result page of the marketplace's site does not say itself, for reading it.
struct SiteReading {
  // The site's address without a path ("https://www.ebay.de"): item addresses are this,
  // "/itm/" and the item's number.
  std::string site;
  // The site's own currency ("EUR" on www.ebay.de): the currency of a price whose sign
  // or code does not say it ("$" on www.ebay.com is "USD", on www.ebay.ca "CAD").
  std::string currency;
  // When the page arrived, in seconds since 1970-01-01 UTC: the time left a card shows
  // ("1d 19h") counts from it.
  std::int64_t arrivedAt = 0;
};

// One result page of the marketplace's site (the s-item layout or the s-card one).
struct SitePage {
  // The items of the result cards before the "Results matching fewer words" divider, in
  // page order, the placeholder cards ("Shop on eBay") left out. Each has its item number
  // (legacyItemId, from "/itm/"), its address (the site, "/itm/" and the number, without
  // tracking parameters), title (plain text: tags left out, character references
  // decoded, blanks folded), price (the first of a range, as a decimal number with a
  // point: "1234.50") and currency, bid count (0 when the card shows none), end (ISO
  // 8601 in UTC, "2026-12-10T18:30:00Z", from the time left and `arrivedAt`; a sold
  // card's date as "2026-03-04"; empty when the card shows neither) and picture.
  std::vector<ListedItem> items;
  // Result cards on the page in all, before and after the divider, placeholders not
  // counted: a page without any is past the last page or holds no results.
  std::size_t cards = 0;
  // The page links to a next page (a pagination link that is there and not disabled).
  bool nextPage = false;
};

// Reads a result page of the marketplace's site, on its bytes as they arrived, in one
// pass that is linear in the page's length whatever it holds. Never throws for what a
// page holds: a page that is not a result page gives no cards.
//
// The markup is read as text/markup.h says. A card is an <li> whose class names hold
// "s-item" or "s-card"; it ends with the end tag of that <li> (counting the <li>s inside
// it) or where the next card starts, and is a result card when one of its tags has an
// href with an item number ("/itm/123", "/itm/title/123") other than the placeholders'.
// The divider is the first tag of class "srp-river-answer--REWRITE_START". In a card, each
// field is the text of the first element of its class (s-card__ or s-item__ title, price,
// time-left, caption), to the end tag that closes it: the title as it stands, the others
// read as collect/site_values.h says; the bid count is the first text inside an
// s-card__attribute-row, s-item__bidCount or s-item__bids element that is a bid count; the
// picture is the first <img>'s. Text inside elements of class "clipped" (what only screen
// readers say) or "LIGHT_HIGHLIGHT" ("New Listing") is no card's text. The next page is
// there when a tag of class "pagination__next" is neither disabled nor aria-disabled.
SitePage ReadSitePage(std::string_view page, const SiteReading& reading);

}  // namespace lotwise
