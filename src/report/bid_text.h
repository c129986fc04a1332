#pragma once

#include <cstdint>
#include <string_view>

namespace lotwise {

// The bid count read from one line: `count` as the report reads it, and whether the bid
// cell it comes from held no count (not a whole number, a tag other than an inline one,
// or no end), which reads as 0. A line without a bid cell reads as 0 and is not
// unreadable.
struct BidCell {
  std::int16_t count = 0;
  bool unreadable = false;
};

// One bid cell's text: "-" counts 0; a whole number (digits, grouped with "," or not,
// blanks around it, wrapped in the inline tags <b>, <font> or <span> or not) counts that
// number, up to 32,767; anything else (a price such as "12.50" or "$5", a word, an empty
// cell) counts 0 and is unreadable. One pass over the text.
BidCell ReadBidText(std::string_view bidText);

// The count alone.
inline std::int16_t BidTextCount(std::string_view bidText) { return ReadBidText(bidText).count; }

}  // namespace lotwise
