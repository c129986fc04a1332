#include "report/switch_url.h"

#include <cstddef>

#include "report/redirect.h"
#include "text/marker.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr std::string_view kLinkStart = "http://";
constexpr std::string_view kItemParameter = "item=";
constexpr std::string_view kItemEnd = "&amp;c";
constexpr std::string_view kNewWindow = "\"target=\"_new\"";

struct LinkMarkers {
  Marker linkStart{kLinkStart, Marker::Case::kIgnored};
  Marker itemParameter{kItemParameter, Marker::Case::kIgnored};
  Marker itemEnd{kItemEnd, Marker::Case::kIgnored};
};

const LinkMarkers& Markers() {
  static const LinkMarkers markers;
  return markers;
}

// The item number of a link, or false when it names none.
bool ItemNumber(std::string_view link, std::string_view& itemNo) {
  const std::size_t i = Markers().itemParameter.In(link);
  if (i == 0) return false;
  const std::size_t from = i + kItemParameter.size();
  const std::size_t a = Markers().itemEnd.In(link, from);
  if (a == 0) return false;
  itemNo = Mid(link, from, static_cast<std::ptrdiff_t>(a - from));
  return true;
}

}  // namespace

std::string CreateHyperlink(std::string_view ItemNo, const Config& config) {
  std::string link = RedirectConfigured(config)
                         ? RedirectPrefix(config, config.itemPageLinkId) + "http%3A//" +
                               config.itemPageHost + "/ws/eBayISAPI.dll%3FViewItem%26item%3D"
                         : "http://" + config.itemPageHost + "/ws/eBayISAPI.dll?ViewItem&item=";
  link.append(ItemNo);
  return link;
}

// The line is kept as `head`, the text built so far, followed by `tail`, the rest of
// the given line, so that each rewrite costs only the length of its link. `head` is
// empty or ends with the new-window suffix's quote, so no link start lies across the
// two, and a link found in one of them ends in the same one.
std::string SwitchUrl(std::string_view eachline, const Config& config, int StopRequested) {
  const Marker& linkStart = Markers().linkStart;
  std::string head;
  head.reserve(eachline.size() + 256);
  std::string_view tail = eachline;
  std::size_t start = 1;
  while (StopRequested == 0) {
    std::size_t p = start <= head.size() ? linkStart.In(head, start) : 0;
    const bool inHead = p > 0;
    if (!inHead) {
      const std::size_t from = start > head.size() ? start - head.size() : 1;
      const std::size_t found = linkStart.In(tail, from);
      if (found == 0) break;
      p = head.size() + found;
    }
    const std::string_view text = inHead ? std::string_view(head) : tail;
    const std::size_t offset = inHead ? 0 : head.size();
    const std::size_t quote = InStr(text, "\"", p - offset + 1);
    if (quote == 0) break;
    const std::size_t q = offset + quote;
    std::string_view itemNo;
    if (ItemNumber(Mid(text, p - offset, static_cast<std::ptrdiff_t>(q - p)), itemNo)) {
      std::string rewritten = CreateHyperlink(itemNo, config);
      rewritten.append(kNewWindow);
      if (inHead) {
        rewritten.append(head, q);
        head.replace(p - 1, std::string::npos, rewritten);
      } else {
        head.append(tail.substr(0, p - offset - 1));
        head.append(rewritten);
        tail.remove_prefix(quote);
      }
    }
    // From the old quote's position, applied to the line as it now stands: kept on
    // purpose.
    start = q + 1;
  }
  head.append(tail);
  return head;
}

}  // namespace lotwise
