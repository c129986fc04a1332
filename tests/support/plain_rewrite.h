#pragma once

// The report rows' rewrites done the plain way: every position tried in turn, every
// replacement a new pass over the text. The tests and the fuzz targets compare the
// program's quick rewrites with these; the fuzz targets' other plain readings use
// PlainFind too.

#include <cstddef>
#include <string>
#include <string_view>

namespace lotwise::testing {

inline char PlainLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Position (from 1) of `find` at or after `start`, trying every place in turn; 0 when
// none, also when `start` lies beyond the end of the text.
inline std::size_t PlainFind(std::string_view text, std::string_view find, std::size_t start,
                             bool ignoreCase) {
  if (start == 0) start = 1;
  for (std::size_t at = start - 1; at < text.size() && at + find.size() <= text.size(); ++at) {
    bool same = true;
    for (std::size_t i = 0; same && i < find.size(); ++i) {
      const char a = text[at + i];
      const char b = find[i];
      same = ignoreCase ? PlainLower(a) == PlainLower(b) : a == b;
    }
    if (same) return at + 1;
  }
  return 0;
}

inline std::string PlainReplace(const std::string& text, const std::string& find,
                                const std::string& with) {
  if (find.empty()) return text;
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == find.front() && text.compare(i, find.size(), find) == 0) {
      out += with;
      i += find.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

inline std::string PlainEscape(std::string address) {
  address = PlainReplace(address, ":", "%3A");
  address = PlainReplace(address, "?", "%3F");
  address = PlainReplace(address, "=", "%3D");
  return PlainReplace(address, "&", "%26");
}

// CgiConvert step by step: each round replaces every copy of its address in the whole
// output; the next anchor is searched in the given text from p + k. An anchor without
// a closing quote ends the rounds.
inline std::string PlainCgiConvert(const std::string& text, const std::string& anchor) {
  std::string output;
  bool firstRound = true;
  for (std::size_t p = PlainFind(text, anchor, 1, true); p > 0;) {
    const std::size_t s = p + anchor.size();
    const std::size_t k = PlainFind(text, "\"", s, false);
    if (firstRound) output = text;
    firstRound = false;
    if (k == 0) break;
    const std::string address = text.substr(s - 1, k - s);
    output = PlainReplace(output, address, PlainEscape(address));
    p = PlainFind(text, anchor, p + k, false);
  }
  return output;
}

inline std::string PlainAddAffliate(std::string line, const std::string& anchor) {
  line = PlainReplace(line, "<a href=\"http:", anchor);
  line = PlainReplace(line, "<A HREF=\"http:", anchor);
  if (const std::size_t c = PlainFind(line, "&category=", 1, false); c > 0) {
    const std::size_t g = PlainFind(line, ">", c, false);
    if (g > 0 && g - c - 1 < 16) line = PlainReplace(line, line.substr(c - 1, g - c - 1), "");
  }
  for (std::size_t h = PlainFind(line, "href=\"", 1, false); h > 0;) {
    const std::size_t k = PlainFind(line, "\"", h + 6, false);
    if (k == 0) break;
    line.insert(k, " target=\"_blank\"");
    h = PlainFind(line, "href=\"", k, false);
  }
  return PlainCgiConvert(line, anchor);
}

}  // namespace lotwise::testing
