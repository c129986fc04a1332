#include "report/grab_bid.h"

#include <cstddef>

#include "report/bid_text.h"
#include "text/marker.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr std::string_view kBidCellStart =
    "</td><td align=\"center\" valign=\"top\" width=\"10%\"><font size=\"3\">";
static_assert(kBidCellStart.size() == 64);
struct CellMarkers {
  // The first start in any case, later ones in their exact case: kept on purpose.
  Marker firstStart{kBidCellStart, Marker::Case::kIgnored};
  Marker laterStart{kBidCellStart, Marker::Case::kExact};
  Marker end{"<br>", Marker::Case::kIgnored};
};

}  // namespace

BidCell GrabBidCell(std::string_view OneLine, int StopRequested) {
  static const CellMarkers markers;
  BidCell result;
  std::size_t p = markers.firstStart.In(OneLine);
  while (p > 0 && StopRequested == 0) {
    const std::size_t s = p + kBidCellStart.size();
    const std::size_t e = markers.end.In(OneLine, s);
    if (e == 0) return {0, true};
    result = ReadBidText(Mid(OneLine, s, static_cast<std::ptrdiff_t>(e - s)));
    // From the sum of the two positions, not from after "<br>": kept on purpose.
    p = markers.laterStart.In(OneLine, p + e);
  }
  return result;
}

}  // namespace lotwise
