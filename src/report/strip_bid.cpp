#include "report/strip_bid.h"

#include <cstddef>

#include "report/bid_text.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr std::string_view kBrowseStart = "</TD><TD ALIGN=CENTER WIDTH=\"10%\">";
constexpr std::string_view kCompletedStart =
    "</td><td align=center valign=top width=10%><font size=3>";
static_assert(kBrowseStart.size() == 34);
static_assert(kCompletedStart.size() == 56);

struct Markers {
  std::string_view start;
  std::string_view end;
};

bool MarkersFor(std::int16_t searchKind, int featuredMode, Markers& markers) {
  switch (searchKind) {
    case 2:
      markers = {kBrowseStart, "<br>"};
      return true;
    case 3:
      markers = {kBrowseStart, featuredMode == 1 ? "<BR>" : "<br>"};
      return true;
    case 4:
      markers = {kCompletedStart, "<BR><img"};
      return true;
    default:
      return false;
  }
}

}  // namespace

std::int16_t StripBid(std::string_view OneLine, std::int16_t SearchKind, int& FeaturedMode) {
  const bool featured = SearchKind == 3;
  Markers markers;
  if (!MarkersFor(SearchKind, FeaturedMode, markers)) return 0;
  std::int16_t result = 0;
  std::size_t p = InStrCI(OneLine, markers.start);
  while (p > 0) {
    const std::size_t s = p + markers.start.size();
    const std::size_t e = InStrCI(OneLine, markers.end, s);
    if (featured && Mid(OneLine, s, 1) == "<") return result;
    if (e == 0) return 0;
    const std::string_view bidText = Mid(OneLine, s, static_cast<std::ptrdiff_t>(e - s));
    if (featured && bidText.size() > 4 && FeaturedMode == 1) {
      FeaturedMode = 0;
      markers.end = "<br>";
    }
    result = BidTextCount(bidText);
    p = InStr(OneLine, markers.start, p + e);
  }
  return result;
}

}  // namespace lotwise
