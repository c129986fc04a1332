#include "report/grab_bid.h"

#include <cstddef>

#include "report/bid_text.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr std::string_view kBidCellStart =
    "</td><td align=\"center\" valign=\"top\" width=\"10%\"><font size=\"3\">";
static_assert(kBidCellStart.size() == 64);
constexpr std::string_view kBidCellEnd = "<br>";

}  // namespace

std::int16_t GrabBid(std::string_view OneLine, int StopRequested) {
  std::int16_t result = 0;
  std::size_t p = InStrCI(OneLine, kBidCellStart);
  while (p > 0 && StopRequested == 0) {
    const std::size_t s = p + kBidCellStart.size();
    const std::size_t e = InStrCI(OneLine, kBidCellEnd, s);
    if (e == 0) return 0;
    result = BidTextCount(Mid(OneLine, s, static_cast<std::ptrdiff_t>(e - s)));
    p = InStr(OneLine, kBidCellStart, p + e);
  }
  return result;
}

}  // namespace lotwise
