#include "report/strip_bid.h"

#include <cstddef>

#include "report/bid_text.h"
#include "search/search_state.h"
#include "text/marker.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr std::string_view kBrowseStart = "</TD><TD ALIGN=CENTER WIDTH=\"10%\">";
constexpr std::string_view kCompletedStart =
    "</td><td align=center valign=top width=10%><font size=3>";
static_assert(kBrowseStart.size() == 34);
static_assert(kCompletedStart.size() == 56);

// The start marker is found ignoring case the first time and in its exact case after
// that; the end marker is always found ignoring case.
struct Markers {
  const Marker* firstStart;
  const Marker* start;
  const Marker* end;
};

struct AllMarkers {
  // The first start in any case, later ones in their exact case: kept on purpose.
  Marker browseFirst{kBrowseStart, Marker::Case::kIgnored};
  Marker browseLater{kBrowseStart, Marker::Case::kExact};
  Marker completedFirst{kCompletedStart, Marker::Case::kIgnored};
  Marker completedLater{kCompletedStart, Marker::Case::kExact};
  Marker lineBreak{"<br>", Marker::Case::kIgnored};  // also the featured rows' "<BR>"
  Marker breakPicture{"<BR><img", Marker::Case::kIgnored};
};

const AllMarkers& All() {
  static const AllMarkers all;
  return all;
}

bool MarkersFor(std::int16_t searchKind, Markers& markers) {
  const AllMarkers& all = All();
  switch (searchKind) {
    case kCategorySearch:
    case kFeaturedSearch:
      markers = {&all.browseFirst, &all.browseLater, &all.lineBreak};
      return true;
    case kCompletedSearch:
      markers = {&all.completedFirst, &all.completedLater, &all.breakPicture};
      return true;
    default:
      return false;
  }
}

}  // namespace

BidCell StripBidCell(std::string_view OneLine, std::int16_t SearchKind) {
  const bool featured = SearchKind == kFeaturedSearch;
  Markers markers;
  if (!MarkersFor(SearchKind, markers)) return {};
  BidCell result;
  bool cellRead = false;
  std::size_t p = markers.firstStart->In(OneLine);
  while (p > 0) {
    const std::size_t s = p + markers.start->size();
    const std::size_t e = markers.end->In(OneLine, s);
    const BidCell cell = e == 0 ? BidCell{0, true}
                                : ReadBidText(Mid(OneLine, s, static_cast<std::ptrdiff_t>(e - s)));
    // A featured cell that starts with a tag ends the line, the count read before standing,
    // unless the tag only wraps a count ("<b>77</b>"), which counts.
    if (featured && Mid(OneLine, s, 1) == "<" && cell.unreadable) {
      return cellRead ? result : BidCell{0, true};
    }
    if (e == 0) return {0, true};
    result = cell;
    cellRead = true;
    // From the sum of the two positions, not from after the end marker: kept on purpose,
    // so that a cell close behind another is passed over as the marketplace's own reader did.
    p = markers.start->In(OneLine, p + e);
  }
  return result;
}

}  // namespace lotwise
