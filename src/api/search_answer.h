#pragma once

#include <string_view>

#include "platform/listing_source.h"

namespace lotwise {

// A search answer's page: its items, total, next address and warnings, each field as the
// answer plainly gives it and left empty (0 bids, no picture, no end) where it gives none.
// - `total` is -1 when the answer gives no whole number of matches: the search then
//   counts pages instead.
// - An item's price is the current bid of an auction, else its price, with the currency
//   of the one taken; `auction` is false only when the item's buying options are listed
//   without "AUCTION"; `legacyItemId` is taken from an itemId "v1|<number>|..." when the
//   answer leaves it out.
// - Numbers given as text of digits count as numbers.
// Throws ListingError (kServer) for an answer that is not a JSON object.
ListingPage ReadSearchAnswer(std::string_view json);

}  // namespace lotwise
