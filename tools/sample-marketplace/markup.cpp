#include "sample-marketplace/markup.h"

#include <cctype>
#include <cstdio>

namespace lotwise::sample {

std::string HtmlEscape(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Money(int cents) {
  char text[32];
  std::snprintf(text, sizeof text, "$%d.%02d", cents / 100, cents % 100);
  return text;
}

std::string WithGrouping(long long number) {
  std::string digits = std::to_string(number);
  for (auto i = static_cast<long long>(digits.size()) - 3; i > 0; i -= 3) {
    digits.insert(static_cast<std::size_t>(i), ",");
  }
  return digits;
}

std::uint32_t Variation(std::int64_t number, std::uint32_t salt) {
  std::uint64_t x = static_cast<std::uint64_t>(number) * 0x9E3779B97F4A7C15ULL + salt;
  x ^= x >> 31;
  x *= 0xBF58476D1CE4E5B9ULL;
  x ^= x >> 29;
  return static_cast<std::uint32_t>(x >> 16);
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string ItemAddress(std::string_view host, const Item& item, std::string_view amp) {
  std::string address = "http://";
  address += host;
  address += "/ws/eBayISAPI.dll?ViewItem";
  address += amp;
  address += "item=" + std::to_string(item.number);
  address += amp;
  address += "category=" + std::to_string(item.category);
  return address;
}

std::string PictureAddress(std::string_view host, const Item& item) {
  return "http://" + std::string(host) + "/pict/" + std::to_string(item.number) + ".jpg";
}

std::string_view LineBreaks::Next() {
  const bool crlf = (pattern_ >> (position_ % 32)) & 1U;
  ++position_;
  return crlf ? kCrLf : kLf;
}

}  // namespace lotwise::sample
