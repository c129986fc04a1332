#include "report/affiliate.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "report/redirect.h"
#include "text/marker.h"
#include "text/percent_encoding.h"
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
  std::string start = "<a href=\"" + RedirectPrefix(config, config.browseLinkId) + "http%3A";
  thread_local std::optional<RedirectAnchor> last;
  if (!last || last->text != start) last.emplace(std::move(start));
  return *last;
}

// Into `out`, the row with every copy of its first "&category=" parameter removed when
// that is short; false, with `out` left as it is, when nothing is removed. Only the first
// is measured, and a value of six characters or more stays: kept on purpose.
bool RemoveShortCategory(std::string_view row, std::string& out) {
  const std::size_t c = Fixed().categoryParameter.In(row);
  if (c == 0) return false;
  const std::size_t g = InStr(row, ">", c);
  if (g == 0) return false;
  const auto n = static_cast<std::ptrdiff_t>(g - c) - 1;
  if (n >= kShortCategory) return false;
  return ReplaceAllInto(row, Marker(Mid(row, c, n), Marker::Case::kExact), "", out);
}

// Into `out`, the row with the new-window attribute after the closing quote of every link
// attribute, also of links that are not redirected or already have a target: kept on
// purpose.
void OpenLinksInNewWindow(std::string_view row, std::string& out) {
  const Marker& linkAttribute = Fixed().linkAttribute;
  out.clear();
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
}

// What a carried address escapes: ":" "?" "=" "&", each written once as %3A %3F %3D %26.
constexpr PercentEncoding kCarried = PercentEncoding::Only(":?=&");

bool IsEscaped(char c) { return kCarried.Encodes(static_cast<unsigned char>(c)); }

std::string Escape(std::string_view address) { return PercentEncoded(address, kCarried); }

// The rounds of CgiConvert, each one pass over the output that is linear in it and in
// the address (ReplaceAllInto with the address prepared as a Marker). There are few
// rounds: the next anchor is searched from p + k, the anchor's position plus its closing
// quote's, and k >= p + L for an anchor of length L, so each anchor stands at 2p + L or
// beyond and the r-th at 2^(r-1) * (L + 1) - L or beyond: a line of n characters has at
// most log2((n + L) / (L + 1)) + 1 rounds, 18 for a line of 8 MB, and the whole costs at
// most that many passes over the output. Rounds that cannot change anything are skipped:
// those whose address holds nothing to escape, and those whose address was already
// searched for in vain since the output last changed.
std::string ConvertRounds(std::string_view url, const RedirectAnchor& anchor) {
  thread_local std::string replaced;  // kept from call to call, so that its storage is reused
  std::string output;
  bool changed = false;  // output holds the text; until then the text is `url` itself
  std::vector<std::string_view> notFound;  // since the output last changed
  std::optional<Marker> prepared;          // the address of the round before, as a Marker
  std::string_view preparedAddress;
  const std::size_t first = anchor.anyCase.In(url);
  for (std::size_t p = first; p > 0;) {
    const std::size_t s = p + anchor.text.size();
    const std::size_t k = InStr(url, "\"", s);
    if (k == 0) break;
    const std::string_view address = Mid(url, s, static_cast<std::ptrdiff_t>(k - s));
    if (std::any_of(address.begin(), address.end(), IsEscaped) &&
        std::find(notFound.begin(), notFound.end(), address) == notFound.end()) {
      if (!prepared || preparedAddress != address) {
        prepared.emplace(address, Marker::Case::kExact);
        preparedAddress = address;
      }
      const std::string_view text = changed ? std::string_view(output) : url;
      if (ReplaceAllInto(text, *prepared, Escape(address), replaced)) {
        output.swap(replaced);
        changed = true;
        notFound.clear();
      } else {
        notFound.push_back(address);
      }
    }
    // From the sum of the two positions, in the text as given: kept on purpose, so that
    // an anchor close behind another keeps its address unescaped as it always has.
    p = anchor.exactCase.In(url, p + k);
  }
  if (first > 0 && !changed) output.assign(url);
  return output;
}

// The row of a build without a redirect: its links stay as they are, and it is empty when
// none of them would have been redirected.
std::string WithoutRedirect(std::string_view eachline) {
  if (Fixed().plainAnchor.In(eachline) == 0 && Fixed().plainAnchorUpper.In(eachline) == 0)
    return {};
  std::string row(eachline);
  std::string next;
  if (RemoveShortCategory(row, next)) row.swap(next);
  OpenLinksInNewWindow(row, next);
  return next;
}

}  // namespace

std::string AddAffliate(std::string_view eachline, const Config& config) {
  if (!RedirectConfigured(config)) return WithoutRedirect(eachline);
  const RedirectAnchor& anchor = RedirectAnchorOf(config);
  // The row between the steps, in two texts kept from row to row so that their storage
  // is reused: the page's rows are rewritten one after another.
  thread_local std::string row;
  thread_local std::string next;
  if (!ReplaceAllInto(eachline, Fixed().plainAnchor, anchor.text, row)) row.assign(eachline);
  if (ReplaceAllInto(row, Fixed().plainAnchorUpper, anchor.text, next)) row.swap(next);
  if (RemoveShortCategory(row, next)) row.swap(next);
  OpenLinksInNewWindow(row, next);
  return ConvertRounds(next, anchor);
}

std::string CgiConvert(std::string_view url, const Config& config) {
  return ConvertRounds(url, RedirectAnchorOf(config));
}

}  // namespace lotwise
