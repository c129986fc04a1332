#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lotwise {

// A fixed text searched for in the lines of the page file (a bid-cell marker, a link
// start, the affiliate anchor). Positions follow InStr and InStrCI: they count from 1,
// 0 means "not found", and a search that starts beyond the end of the line finds
// nothing.
//
// The search first looks for places where both the first and the last character of
// the marker stand (NextCandidate, sixteen places at a time) and compares the whole
// marker only there. Each place costs at most size() comparisons, so a search over n
// characters costs at most size() * n steps: linear in the line for a given marker,
// and on page text hardly more than one look at each character.
class Marker {
 public:
  enum class Case { kExact, kIgnored };

  // `text` must not be empty.
  Marker(std::string_view text, Case letterCase);

  // Position of the first occurrence at or after `start`, or 0.
  std::size_t In(std::string_view line, std::size_t start = 1) const;

  std::size_t size() const { return text_.size(); }

 private:
  bool MatchesAt(const char* at) const;

  std::string text_;  // in lower case when case is ignored
  bool ignoreCase_;
  char first_, firstOther_, last_, lastOther_;  // both letter cases when case is ignored
};

}  // namespace lotwise
