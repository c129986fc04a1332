#include "report/affiliate.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "text/marker.h"
#include "text/position.h"
#include "text/replace.h"

namespace lotwise {
namespace {

constexpr std::string_view kPlainAnchor = "<a href=\"http:";
constexpr std::string_view kPlainAnchorUpper = "<A HREF=\"http:";
constexpr std::string_view kCategoryParameter = "&category=";
constexpr std::ptrdiff_t kShortCategory = 16;
constexpr std::string_view kLinkAttribute = "href=\"";
constexpr std::string_view kNewWindow = " target=\"_blank\"";

struct FixedMarkers {
  Marker plainAnchor{kPlainAnchor, Marker::Case::kExact};
  Marker plainAnchorUpper{kPlainAnchorUpper, Marker::Case::kExact};
  Marker categoryParameter{kCategoryParameter, Marker::Case::kExact};
  Marker linkAttribute{kLinkAttribute, Marker::Case::kExact};
};

const FixedMarkers& Fixed() {
  static const FixedMarkers markers;
  return markers;
}

// The redirect anchor start of a configuration, searched for ignoring case first and
// in its exact case after that. Kept for the last configuration used, since a report
// is written with one configuration.
struct RedirectAnchor {
  explicit RedirectAnchor(std::string start)
      : text(std::move(start)),
        anyCase(text, Marker::Case::kIgnored),
        exactCase(text, Marker::Case::kExact) {}
  std::string text;
  Marker anyCase;
  Marker exactCase;
};

const RedirectAnchor& RedirectAnchorOf(const Config& config) {
  std::string start = "<a href=\"http://" + config.affiliateHost + "/click-" + config.browseLinkId +
                      "-" + config.publisherId + "?loc=http%3A";
  thread_local std::optional<RedirectAnchor> last;
  if (!last || last->text != start) last.emplace(std::move(start));
  return *last;
}

// Removes every copy of the first "&category=" parameter when it is short.
std::string RemoveShortCategory(std::string row) {
  const std::size_t c = Fixed().categoryParameter.In(row);
  if (c == 0) return row;
  const std::size_t g = InStr(row, ">", c);
  if (g == 0) return row;
  const auto n = static_cast<std::ptrdiff_t>(g - c) - 1;
  if (n >= kShortCategory) return row;
  return ReplaceAll(row, Mid(row, c, n), "");
}

// Inserts the new-window attribute after the closing quote of every link attribute.
std::string OpenLinksInNewWindow(std::string_view row) {
  const Marker& linkAttribute = Fixed().linkAttribute;
  std::string out;
  out.reserve(row.size() + 4 * kNewWindow.size());
  std::size_t copied = 0;
  for (std::size_t h = linkAttribute.In(row); h > 0;) {
    const std::size_t k = row.find('"', h - 1 + kLinkAttribute.size());
    if (k == std::string_view::npos) break;
    out.append(row.substr(copied, k + 1 - copied));
    out.append(kNewWindow);
    copied = k + 1;
    h = linkAttribute.In(row, copied + 1);
  }
  out.append(row.substr(copied));
  return out;
}

bool IsEscaped(char c) { return c == ':' || c == '?' || c == '=' || c == '&'; }

std::string Escape(std::string_view address) {
  std::string out;
  out.reserve(address.size() + 8);
  for (char c : address) {
    switch (c) {
      case ':':
        out += "%3A";
        break;
      case '?':
        out += "%3F";
        break;
      case '=':
        out += "%3D";
        break;
      case '&':
        out += "%26";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The rounds of CgiConvert, each one pass over the output that is linear in it and in
// the address (ReplaceAllIn with the address prepared as a Marker). There are few rounds: the next
// anchor is searched from p + k, the anchor's position plus its closing quote's, and k >= p + L for
// an anchor of length L, so each anchor stands at 2p + L or beyond and the r-th at 2^(r-1) * (L +
// 1) - L or beyond: a line of n characters has at most log2((n + L) / (L + 1)) + 1 rounds, 18 for a
// line of 8 MB, and the whole costs at most that many passes over the output. Rounds that cannot
// change anything are skipped: those whose address holds nothing to escape, and those whose address
// was already searched for in vain since the output last changed.
std::string ConvertRounds(std::string_view url, const RedirectAnchor& anchor) {
  std::string output;
  bool firstRound = true;
  std::vector<std::string_view> notFound;  // since the output last changed
  std::optional<Marker> prepared;          // the address of the round before, as a Marker
  std::string_view preparedAddress;
  std::size_t p = anchor.anyCase.In(url);
  while (p > 0) {
    const std::size_t s = p + anchor.text.size();
    const std::size_t k = InStr(url, "\"", s);
    if (firstRound) output = url;
    firstRound = false;
    if (k == 0) break;
    const std::string_view address = Mid(url, s, static_cast<std::ptrdiff_t>(k - s));
    if (std::any_of(address.begin(), address.end(), IsEscaped) &&
        std::find(notFound.begin(), notFound.end(), address) == notFound.end()) {
      if (!prepared || preparedAddress != address) {
        prepared.emplace(address, Marker::Case::kExact);
        preparedAddress = address;
      }
      if (ReplaceAllIn(output, *prepared, Escape(address))) {
        notFound.clear();
      } else {
        notFound.push_back(address);
      }
    }
    p = anchor.exactCase.In(url, p + k);
  }
  return output;
}

}  // namespace

std::string AddAffliate(std::string_view eachline, const Config& config) {
  const RedirectAnchor& anchor = RedirectAnchorOf(config);
  std::string row = ReplaceAll(eachline, Fixed().plainAnchor, anchor.text);
  ReplaceAllIn(row, Fixed().plainAnchorUpper, anchor.text);
  row = RemoveShortCategory(std::move(row));
  return ConvertRounds(OpenLinksInNewWindow(row), anchor);
}

std::string CgiConvert(std::string_view url, const Config& config) {
  return ConvertRounds(url, RedirectAnchorOf(config));
}

}  // namespace lotwise
