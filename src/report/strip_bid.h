#pragma once

#include <cstdint>
#include <string_view>

#include "report/bid_text.h"

namespace lotwise {

// The bid count of one line of a category (kCategorySearch), featured (kFeaturedSearch)
// or completed items (kCompletedSearch) page file: the count of the last bid cell
// reached, 0 when none is, and whether that cell held no count. The first start marker
// is found ignoring case, later ones only in their exact case, each searched from the
// sum of the previous marker's and end marker's positions. A cell without an end marker
// counts 0 and ends the search. In a featured line a cell that starts with a tag ends
// the search, unless the tag wraps a count. Any other SearchKind counts 0.
//
// The featured rows' end marker is "<br>" or "<BR>" by FeaturedMode, flipped on long bid
// texts; both are searched for ignoring case, so both find the same place, and no count
// depends on FeaturedMode: it is kept in the search state and not read here.
BidCell StripBidCell(std::string_view OneLine, std::int16_t SearchKind);

// The count alone.
inline std::int16_t StripBid(std::string_view OneLine, std::int16_t SearchKind) {
  return StripBidCell(OneLine, SearchKind).count;
}

}  // namespace lotwise
