#include "report/marker.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lotwise {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

// The index (from 0) of the first place at or after `from` where a text of `length`
// characters could start whose first character is `first` or `firstOther` and whose
// last one is `last` or `lastOther`; npos when there is none. Never looks beyond the
// end of `line`; each character is looked at a bounded number of times.
std::size_t NextCandidate(std::string_view line, std::size_t from, std::size_t length, char first,
                          char firstOther, char last, char lastOther) {
  if (length == 0 || length > line.size()) return std::string_view::npos;
  const std::size_t lastStart = line.size() - length;
  const char* const data = line.data();
  std::size_t at = from;
#if defined(__SSE2__)
  const __m128i firstA = _mm_set1_epi8(first);
  const __m128i firstB = _mm_set1_epi8(firstOther);
  const __m128i lastA = _mm_set1_epi8(last);
  const __m128i lastB = _mm_set1_epi8(lastOther);
  // Sixteen starts at..at+15 at once; the last character of the last of them is
  // data[at + 15 + length - 1], within the line while at + 15 <= lastStart.
  while (at + 15 <= lastStart) {
    const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + length - 1));
    const __m128i both =
        _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(heads, firstA), _mm_cmpeq_epi8(heads, firstB)),
                      _mm_or_si128(_mm_cmpeq_epi8(tails, lastA), _mm_cmpeq_epi8(tails, lastB)));
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(both));
    if (mask != 0) return at + static_cast<std::size_t>(__builtin_ctz(mask));
    at += 16;
  }
#endif
  for (; at <= lastStart; ++at) {
    const char head = data[at];
    const char tail = data[at + length - 1];
    if ((head == first || head == firstOther) && (tail == last || tail == lastOther)) return at;
  }
  return std::string_view::npos;
}

}  // namespace

Marker::Marker(std::string_view text, Case letterCase)
    : text_(text), ignoreCase_(letterCase == Case::kIgnored) {
  if (ignoreCase_) {
    for (char& c : text_) c = Lower(c);
  }
  first_ = text_.front();
  last_ = text_.back();
  firstOther_ = ignoreCase_ ? Upper(first_) : first_;
  lastOther_ = ignoreCase_ ? Upper(last_) : last_;
}

bool Marker::MatchesAt(const char* at) const {
  if (!ignoreCase_) return std::memcmp(at, text_.data(), text_.size()) == 0;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (Lower(at[i]) != text_[i]) return false;
  }
  return true;
}

std::size_t Marker::In(std::string_view line, std::size_t start) const {
  if (start == 0) start = 1;
  if (start > line.size()) return 0;
  for (std::size_t at = start - 1;; ++at) {
    at = NextCandidate(line, at, text_.size(), first_, firstOther_, last_, lastOther_);
    if (at == std::string_view::npos) return 0;
    if (MatchesAt(line.data() + at)) return at + 1;
  }
}

}  // namespace lotwise
