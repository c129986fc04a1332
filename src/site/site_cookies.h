#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lotwise {

// The cookies the site set during this run, sent back with every later request to it, as
// a browser keeps a session's cookies; none is written anywhere. The site is one host,
// so a cookie's domain and path are not read; nor is its expiry date, as the run ends
// long before any.
class SiteCookies {
 public:
  // The most cookies kept, and the longest one (name and value): a site that sets more
  // or longer ones cannot make every request grow without end.
  static constexpr std::size_t kMostCookies = 50;
  static constexpr std::size_t kLongestCookie = 4096;

  // Reads the Set-Cookie fields of an answer (any case of the name), in order: each sets
  // its cookie, replacing one of the same name, or removes it when its Max-Age is 0 or
  // less. A field without a name or "=" is left out.
  void Take(const std::vector<std::pair<std::string, std::string>>& headers);

  // The value of a Cookie field for them ("a=1; b=2"), in the order first set; empty
  // when none is kept.
  std::string Header() const;

 private:
  void Set(std::string_view field);

  std::vector<std::pair<std::string, std::string>> cookies_;
};

}  // namespace lotwise
