#include <string>

#include "collect/site_values.h"
#include "text/numbers.h"

namespace lotwise {

std::optional<int> ReadBidCount(std::string_view text) {
  static constexpr std::string_view kWords[] = {
      "bid",
      "bids",
      "Gebot",
      "Gebote",
      "ench\xC3\xA8re",
      "ench\xC3\xA8res",
      "offerta",
      "offerte",
      "puja",
      "pujas",
      "oferta de subasta",
      "ofertas de subasta",
      "\xE4\xBB\xB6\xE3\x81\xAE\xE5\x85\xA5\xE6\x9C\xAD"};  // 件の入札
  std::string digits;
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits.push_back(c);
    } else if ((c == ',' || c == '.') && !digits.empty() && i + 1 < text.size() &&
               text[i + 1] >= '0' && text[i + 1] <= '9') {
      continue;
    } else {
      break;
    }
  }
  if (digits.empty()) return std::nullopt;
  std::string_view word = text.substr(i);
  if (word.starts_with(' ')) word.remove_prefix(1);
  for (std::string_view known : kWords) {
    if (word == known) return ToInt32(digits);
  }
  return std::nullopt;
}

}  // namespace lotwise
