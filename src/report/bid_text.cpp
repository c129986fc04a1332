#include "report/bid_text.h"

#include <array>
#include <limits>

#include "text/characters.h"

namespace lotwise {
namespace {

constexpr std::int64_t kMostCounted = std::numeric_limits<std::int16_t>::max();

// The inline tags a count may be wrapped in ("<b>77</b>", "<font color=red>12</font>").
constexpr std::array<std::string_view, 3> kInlineTags{"b", "font", "span"};

// Whether the tag at `at` ("<" ...) is one of the inline tags, start or end; moves `at`
// past its ">". A tag of any other name, or one left open, is not.
bool SkipInlineTag(std::string_view text, std::size_t& at) {
  std::size_t i = at + 1;
  if (i < text.size() && text[i] == '/') ++i;
  const std::size_t name = i;
  while (i < text.size() && IsAsciiLetter(text[i])) ++i;
  const std::string_view tag = text.substr(name, i - name);
  bool known = false;
  for (const std::string_view inline_tag : kInlineTags) {
    known = known || (tag.size() == inline_tag.size() &&
                      std::equal(tag.begin(), tag.end(), inline_tag.begin(),
                                 [](char a, char b) { return AsciiLower(a) == b; }));
  }
  if (!known) return false;
  const std::size_t close = text.find('>', i);
  if (close == std::string_view::npos) return false;
  at = close + 1;
  return true;
}

}  // namespace

BidCell ReadBidText(std::string_view bidText) {
  if (bidText == "-") return {0, false};
  // One pass: the inline tags are passed over, blanks only around the number, its digits
  // grouped by "," read as they come, the value held at the most a count can be.
  std::int64_t value = 0;
  bool digits = false;      // a digit was read
  bool ended = false;       // blanks or a tag after the number: only more of them may follow
  bool afterComma = false;  // the last character of the number was ","
  for (std::size_t i = 0; i < bidText.size();) {
    const char c = bidText[i];
    if (c == '<') {
      if (!SkipInlineTag(bidText, i)) return {0, true};
      ended = ended || digits;
      continue;
    }
    ++i;
    if (IsBlank(c)) {
      ended = ended || digits;
      continue;
    }
    if (ended) return {0, true};
    if (IsDigit(c)) {
      digits = true;
      afterComma = false;
      value = std::min(value * 10 + (c - '0'), kMostCounted);
    } else if (c == ',' && digits && !afterComma) {
      afterComma = true;
    } else {
      return {0, true};  // a price, a sign, a word: not a count
    }
  }
  if (!digits || afterComma) return {0, true};
  return {static_cast<std::int16_t>(value), false};
}

}  // namespace lotwise
