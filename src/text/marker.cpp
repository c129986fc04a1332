#include "text/marker.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lotwise {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct FoldTable {
  unsigned char lower[256];
  constexpr FoldTable() : lower() {
    for (int c = 0; c < 256; ++c) {
      lower[c] = static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c);
    }
  }
};
constexpr FoldTable kFold;

struct UpperTable {
  unsigned char of[256];
  constexpr UpperTable() : of() {
    for (int c = 0; c < 256; ++c) {
      of[c] = static_cast<unsigned char>((c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c);
    }
  }
};
constexpr UpperTable kUpper;

template <bool kFoldCase>
inline unsigned char Canon(unsigned char c) {
  if constexpr (kFoldCase) {
    return kFold.lower[c];
  } else {
    return c;
  }
}

// How often each character turns up in page text, roughly: 0 for the rarest. The search
// looks for the marker's rarest character first.
struct CommonnessTable {
  unsigned char of[256];
  constexpr CommonnessTable() : of() {
    for (int c = 0; c < 256; ++c) of[c] = Class(c);
  }
  static constexpr unsigned char Class(int c) {
    if ((c >= 'a' && c <= 'z') || c == ' ' || c == '\t' || c == '\n' || c == '\r') return 6;
    for (char common : {'<', '>', '=', '"', '/', '-', '.', '_'}) {
      if (c == common) return 5;
    }
    if (c >= 'A' && c <= 'Z') return 4;
    if ((c >= '0' && c <= '9') || c == ':' || c == '(' || c == ')' || c == ',' || c == '\'') {
      return 3;
    }
    if (c >= 0x80) return 1;
    if (c < 0x20 || c == 0x7f) return 0;
    return 2;  // other punctuation: % & # ? ; ! and the like
  }
};
constexpr CommonnessTable kCommonness;

// The place (0 to 7) of the first byte in text order that is not 0 in `word`.
inline std::size_t FirstSet(std::uint64_t word) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<std::size_t>(std::countr_zero(word)) / 8;
  } else {
    return static_cast<std::size_t>(std::countl_zero(word)) / 8;
  }
}

struct Factor {
  std::size_t start;  // of the maximal suffix; kNone for the whole text
  std::size_t period;
};

// The maximal suffix of `x` under the order of characters (or its reverse) and the
// period of that suffix.
Factor MaximalSuffix(std::string_view x, bool reversed) {
  std::size_t ms = kNone;  // the suffix starts after ms
  std::size_t j = 0;
  std::size_t k = 1;
  std::size_t p = 1;
  while (j + k < x.size()) {
    const auto a = static_cast<unsigned char>(x[j + k]);
    const auto b = static_cast<unsigned char>(x[ms + k]);  // ms + k wraps from kNone to k - 1
    if (reversed ? a > b : a < b) {
      j += k;
      k = 1;
      p = j - ms;
    } else if (a == b) {
      if (k != p) {
        ++k;
      } else {
        j += p;
        k = 1;
      }
    } else {
      ms = j;
      j = ms + 1;
      k = p = 1;
    }
  }
  return {ms, p};
}

}  // namespace

Marker::Marker(std::string_view text, Case letterCase)
    : text_(text), ignoreCase_(letterCase == Case::kIgnored), rare_(kNone) {
  if (ignoreCase_) {
    for (char& c : text_) c = static_cast<char>(kFold.lower[static_cast<unsigned char>(c)]);
  }
  const std::size_t m = text_.size();
  constexpr std::size_t kLongest = 255;
  shift_.fill(static_cast<std::uint8_t>(std::min(m, kLongest)));
  // The rarest character, whose places the search can jump between with std::memchr; a
  // letter only when case matters, and none when every character is common in markup.
  unsigned char rarest = 5;
  const auto* x = reinterpret_cast<const unsigned char*>(text_.data());
  for (std::size_t i = 0; i < m; ++i) {
    const unsigned char c = x[i];
    if (m - i - 1 < kLongest) shift_[c] = static_cast<std::uint8_t>(m - i - 1);
    // When case is ignored the marker holds lower-case letters only.
    const bool letter = c >= 'a' && c <= 'z';
    if (kCommonness.of[c] < rarest && !(ignoreCase_ && letter)) {
      rarest = kCommonness.of[c];
      rare_ = i;
    }
  }
  if (ignoreCase_) {
    for (int c = 'A'; c <= 'Z'; ++c) shift_[static_cast<std::size_t>(c)] = shift_[kFold.lower[c]];
  }
}

bool Marker::Skip(const unsigned char* y, std::size_t n, std::size_t& j, SkipState& skip) const {
  if (!skip.rare) return NextPair(y, n, j);
  const void* hit = std::memchr(y + j + rare_, text_[rare_], n - text_.size() - j + 1);
  if (hit == nullptr) return false;
  const std::size_t next =
      static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - y) - rare_;
  // Where the rarest character is not rare after all, each call passes little text for
  // its cost: looking at eight places at a time does better then.
  skip.passed += next - j;
  if (++skip.calls == 16) {
    skip.rare = skip.passed >= 16 * 32;
    skip.calls = 0;
    skip.passed = 0;
  }
  j = next;
  return true;
}

bool Marker::NextPair(const unsigned char* y, std::size_t n, std::size_t& j) const {
  const std::size_t m = text_.size();
  const auto first = static_cast<unsigned char>(text_.front());
  const auto last = static_cast<unsigned char>(text_.back());
  // Both letter cases when case is ignored (the marker holds the lower one).
  const unsigned char firstOther = ignoreCase_ ? kUpper.of[first] : first;
  const unsigned char lastOther = ignoreCase_ ? kUpper.of[last] : last;
  const std::size_t lastStart = n - m;
  // A block of windows at a time, in a loop of plain comparisons that the compiler turns
  // into vector instructions, then a look at the block's flags eight at a time.
  constexpr std::size_t kBlock = 32;
  for (; j + kBlock <= lastStart + 1; j += kBlock) {
    const unsigned char* heads = y + j;
    const unsigned char* tails = y + j + m - 1;
    unsigned char candidate[kBlock];
    for (std::size_t k = 0; k < kBlock; ++k) {
      candidate[k] = static_cast<unsigned char>(((heads[k] == first) | (heads[k] == firstOther)) &
                                                ((tails[k] == last) | (tails[k] == lastOther)));
    }
    std::uint64_t words[kBlock / 8];
    std::memcpy(words, candidate, kBlock);
    std::uint64_t any = 0;
    for (const std::uint64_t word : words) any |= word;
    if (any == 0) continue;
    for (std::size_t w = 0;; ++w) {
      if (words[w] != 0) {
        j += w * 8 + FirstSet(words[w]);
        return true;
      }
    }
  }
  for (; j <= lastStart; ++j) {
    const unsigned char head = y[j];
    const unsigned char tail = y[j + m - 1];
    if ((head == first || head == firstOther) && (tail == last || tail == lastOther)) return true;
  }
  return false;
}

template <bool kFoldCase>
std::size_t Marker::Find(const unsigned char* y, std::size_t n) const {
  const auto* x = reinterpret_cast<const unsigned char*>(text_.data());
  const std::size_t m = text_.size();
  const std::size_t last = m - 1;
  SkipState skip{rare_ != kNone};
  // Characters compared in windows that did not hold the marker; past a small multiple
  // of the text passed, the two-way search takes over.
  std::size_t wasted = 0;
  for (std::size_t j = 0; j + m <= n;) {
    if (!Skip(y, n, j, skip)) break;
    const std::size_t shift = shift_[y[j + last]];
    if (shift > 0) {
      j += shift;
      continue;
    }
    // The last characters match; compare the rest.
    std::size_t i = 0;
    if constexpr (kFoldCase) {
      while (i < last && x[i] == Canon<kFoldCase>(y[j + i])) ++i;
    } else {
      i = std::memcmp(x, y + j, last) == 0 ? last : last - 1;
    }
    if (i == last) return j;
    wasted += i + 1;
    ++j;
    if (wasted > 2 * j + 4 * m) return FindTwoWay<kFoldCase>(y, n, j);
  }
  return kNone;
}

// The two-way search from window `from` on: the marker is split at a critical place, its
// right part compared left to right, its left part right to left, and a mismatch moves
// the window by what the marker's periodicity allows.
template <bool kFoldCase>
std::size_t Marker::FindTwoWay(const unsigned char* y, std::size_t n, std::size_t from) const {
  const auto* x = reinterpret_cast<const unsigned char*>(text_.data());
  const std::size_t m = text_.size();
  const std::size_t last = m - 1;
  // Critical factorisation: the later of the two maximal suffixes.
  const Factor forward = MaximalSuffix(text_, false);
  const Factor backward = MaximalSuffix(text_, true);
  const Factor critical =
      (forward.start + 1 > backward.start + 1) ? forward : backward;  // kNone + 1 == 0
  const std::size_t split = critical.start + 1;
  std::size_t period = critical.period;
  const bool periodic =
      split + period <= m && std::memcmp(x, x + period, split) == 0;  // left part repeats
  SkipState skip{rare_ != kNone};
  std::size_t j = from;
  if (periodic) {
    // `known` characters at the window's start are known to match already.
    std::size_t known = 0;
    while (j + m <= n) {
      if (known == 0 && !Skip(y, n, j, skip)) break;
      std::size_t shift = shift_[y[j + last]];
      if (shift > 0) {
        // After a match of the periodic part, a last character out of place rules out
        // every start before the period's repeat is left behind.
        if (known > 0) shift = std::max(shift, m - period);
        known = 0;
        j += shift;
        continue;
      }
      std::size_t i = std::max(split, known);
      while (i < last && x[i] == Canon<kFoldCase>(y[j + i])) ++i;
      if (i < last) {
        j += i - split + 1;
        known = 0;
        continue;
      }
      i = split;
      while (i > known && x[i - 1] == Canon<kFoldCase>(y[j + i - 1])) --i;
      if (i <= known) return j;
      j += period;
      known = m - period;
    }
  } else {
    period = std::max(split, m - split) + 1;
    while (j + m <= n) {
      if (!Skip(y, n, j, skip)) break;
      const std::size_t shift = shift_[y[j + last]];
      if (shift > 0) {
        j += shift;
        continue;
      }
      std::size_t i = split;
      while (i < last && x[i] == Canon<kFoldCase>(y[j + i])) ++i;
      if (i < last) {
        j += i - split + 1;
        continue;
      }
      i = split;
      while (i > 0 && x[i - 1] == Canon<kFoldCase>(y[j + i - 1])) --i;
      if (i == 0) return j;
      j += period;
    }
  }
  return kNone;
}

std::size_t Marker::In(std::string_view text, std::size_t start) const {
  if (start == 0) start = 1;
  if (start > text.size() || text_.size() > text.size() - (start - 1)) return 0;
  const std::size_t from = start - 1;
  if (text_.empty()) return start;
  const auto* y = reinterpret_cast<const unsigned char*>(text.data()) + from;
  const std::size_t n = text.size() - from;
  const std::size_t at = ignoreCase_ ? Find<true>(y, n) : Find<false>(y, n);
  return at == kNone ? 0 : from + at + 1;
}

}  // namespace lotwise
