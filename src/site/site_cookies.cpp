#include "site/site_cookies.h"

#include <algorithm>
#include <charconv>

#include "text/characters.h"
#include "text/position.h"

namespace lotwise {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

// The part of `text` before the first `separator` (all of it when there is none), and the
// rest after it.
std::pair<std::string_view, std::string_view> Split(std::string_view text, char separator) {
  const std::size_t at = InStr(text, std::string_view(&separator, 1));
  if (at == 0) return {text, {}};
  return {text.substr(0, at - 1), text.substr(at)};
}

// Whether the attributes after a cookie's value end it now: a Max-Age of 0 or less.
bool Expired(std::string_view attributes) {
  while (!attributes.empty()) {
    const auto [attribute, rest] = Split(attributes, ';');
    attributes = rest;
    const auto [name, value] = Split(attribute, '=');
    if (!SameName(Trimmed(name), "Max-Age")) continue;
    const std::string_view number = Trimmed(value);
    long long seconds = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), seconds);
    // A number too long to hold is far in the future, or far in the past.
    if (error == std::errc::result_out_of_range) return !number.empty() && number.front() == '-';
    if (error == std::errc() && end == number.data() + number.size()) return seconds <= 0;
  }
  return false;
}

// A control character would end the request's Cookie field or cut it short.
bool Sendable(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) == 0x7F;
  });
}

}  // namespace

void SiteCookies::Take(const std::vector<std::pair<std::string, std::string>>& headers) {
  for (const auto& [name, value] : headers) {
    if (SameName(name, "Set-Cookie")) Set(value);
  }
}

void SiteCookies::Set(std::string_view field) {
  const auto [pair, attributes] = Split(field, ';');
  const std::size_t equals = InStr(pair, "=");
  if (equals == 0) return;
  const std::string_view name = Trimmed(pair.substr(0, equals - 1));
  const std::string_view value = Trimmed(pair.substr(equals));
  if (name.empty() || name.size() + value.size() > kLongestCookie) return;
  if (!Sendable(name) || !Sendable(value)) return;
  const auto kept = std::find_if(cookies_.begin(), cookies_.end(),
                                 [&](const auto& cookie) { return cookie.first == name; });
  if (Expired(attributes)) {
    if (kept != cookies_.end()) cookies_.erase(kept);
  } else if (kept != cookies_.end()) {
    kept->second = value;
  } else if (cookies_.size() < kMostCookies) {
    cookies_.emplace_back(name, value);
  }
}

std::string SiteCookies::Header() const {
  std::string header;
  for (const auto& [name, value] : cookies_) {
    if (!header.empty()) header += "; ";
    header += name;
    header += '=';
    header += value;
  }
  return header;
}

}  // namespace lotwise
