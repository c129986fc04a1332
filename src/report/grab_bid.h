#pragma once

#include <cstdint>
#include <string_view>

#include "report/bid_text.h"

namespace lotwise {

// The bid count of one line of a keyword page file: the count of the last bid cell
// reached, 0 when none is, and whether that cell held no count. The first start marker
// is found ignoring case, later ones only in their exact case, each searched from the
// sum of the previous marker's and "<br>"'s positions. A cell without "<br>" counts 0
// and ends the search. With StopRequested other than 0 no cell is read.
BidCell GrabBidCell(std::string_view OneLine, int StopRequested = 0);

// The count alone.
inline std::int16_t GrabBid(std::string_view OneLine, int StopRequested = 0) {
  return GrabBidCell(OneLine, StopRequested).count;
}

}  // namespace lotwise
