#pragma once

#include <cstdint>
#include <string_view>

namespace lotwise {

// The bid count read from one line: `count` as the report reads it, and whether the bid
// cell it comes from held no count (a text of four or more characters, a tag, not a
// number, or no end), which reads as 0. A line without a bid cell reads as 0 and is
// not unreadable.
struct BidCell {
  std::int16_t count = 0;
  bool unreadable = false;
};

// One bid cell's text: "-" counts 0, a text longer than 3 characters counts 0 and is
// unreadable, anything else is read as a whole number (blanks around it allowed) and
// counts 0, unreadable, when it is not one.
BidCell ReadBidText(std::string_view bidText);

// The count alone.
inline std::int16_t BidTextCount(std::string_view bidText) { return ReadBidText(bidText).count; }

}  // namespace lotwise
