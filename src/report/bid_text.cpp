#include "report/bid_text.h"

#include "text/numbers.h"

namespace lotwise {

BidCell ReadBidText(std::string_view bidText) {
  if (bidText == "-") return {0, false};
  if (bidText.size() > 3) return {0, true};
  const auto count = ToInt16(bidText);
  return count ? BidCell{*count, false} : BidCell{0, true};
}

}  // namespace lotwise
