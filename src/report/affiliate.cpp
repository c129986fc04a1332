#include "report/affiliate.h"

#include <cstddef>
#include <utility>

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

std::string RedirectAnchorStart(const Config& config) {
  return "<a href=\"http://" + config.affiliateHost + "/click-" + config.browseLinkId + "-" +
         config.publisherId + "?loc=http%3A";
}

// Removes every copy of the first "&category=" parameter when it is short.
std::string RemoveShortCategory(std::string row) {
  const std::size_t c = InStr(row, kCategoryParameter);
  if (c == 0) return row;
  const std::size_t g = InStr(row, ">", c);
  if (g == 0) return row;
  const auto n = static_cast<std::ptrdiff_t>(g - c) - 1;
  if (n >= kShortCategory) return row;
  return ReplaceAll(row, std::string(Mid(row, c, n)), "");
}

// Inserts the new-window attribute after the closing quote of every link attribute.
std::string OpenLinksInNewWindow(std::string_view row) {
  std::string out;
  out.reserve(row.size());
  std::size_t copied = 0;
  for (std::size_t h = row.find(kLinkAttribute); h != std::string_view::npos;) {
    const std::size_t k = row.find('"', h + kLinkAttribute.size());
    if (k == std::string_view::npos) break;
    out.append(row.substr(copied, k + 1 - copied));
    out.append(kNewWindow);
    copied = k + 1;
    h = row.find(kLinkAttribute, copied);
  }
  out.append(row.substr(copied));
  return out;
}

constexpr std::string_view kEscaped = ":?=&";

std::string Escape(std::string_view address) {
  std::string out;
  out.reserve(address.size());
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

}  // namespace

std::string AddAffliate(std::string_view eachline, const Config& config) {
  const std::string anchorStart = RedirectAnchorStart(config);
  std::string row = ReplaceAll(eachline, kPlainAnchor, anchorStart);
  row = ReplaceAll(row, kPlainAnchorUpper, anchorStart);
  row = RemoveShortCategory(std::move(row));
  return CgiConvert(OpenLinksInNewWindow(row), config);
}

// The next anchor is searched from p + k, more than twice p, so a line of n characters
// has at most about log2(n) rounds, each one pass over the output.
std::string CgiConvert(std::string_view url, const Config& config) {
  const std::string anchorStart = RedirectAnchorStart(config);
  std::string output;
  bool firstRound = true;
  std::size_t p = InStrCI(url, anchorStart);
  while (p > 0) {
    const std::size_t s = p + anchorStart.size();
    const std::size_t k = InStr(url, "\"", s);
    if (firstRound) output = url;
    firstRound = false;
    if (k == 0) break;
    const std::string_view address = Mid(url, s, static_cast<std::ptrdiff_t>(k - s));
    if (address.find_first_of(kEscaped) != std::string_view::npos) {
      output = ReplaceAll(output, address, Escape(address));
    }
    p = InStr(url, anchorStart, p + k);
  }
  return output;
}

}  // namespace lotwise
