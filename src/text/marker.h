#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lotwise {

// A fixed text searched for in page text: a table or bid-cell marker, a link start, a
// carried address. Every search of the program goes through this one. Positions count
// from 1, 0 means "not found", and a search that starts beyond the end of the text
// finds nothing.
//
// A search moves a window over the text. It first skips the windows where the marker
// cannot start: to the next place of the marker's rarest character (std::memchr, which
// runs through text many characters at a time) while that pays, or else to the next
// window whose first and last characters match (a block of windows at a time); and past every
// window whose last character does not occur there in the marker (a table of how far
// each character stands from the marker's end). A window left is compared whole. Where
// such comparisons keep failing (text made to look like the marker), the search goes on
// with the two-way algorithm of Crochemore and Perrin, whose shifts never let it compare
// a character of the text more than twice. A search thus costs at most a fixed multiple
// of the characters it passes plus the marker's length, whatever the marker and the
// text: linear in both.
class Marker {
 public:
  enum class Case { kExact, kIgnored };  // ignored: ASCII letters only

  Marker(std::string_view text, Case letterCase);

  // Position of the first occurrence at or after `start`, or 0. An empty marker is
  // found at `start` when that lies within the text.
  std::size_t In(std::string_view text, std::size_t start = 1) const;

  std::size_t size() const { return text_.size(); }

 private:
  struct SkipState {
    bool rare;  // jump between places of the rarest character
    std::size_t calls = 0;
    std::size_t passed = 0;  // characters passed in these calls
  };

  template <bool kFold>
  std::size_t Find(const unsigned char* text, std::size_t length) const;
  template <bool kFold>
  std::size_t FindTwoWay(const unsigned char* text, std::size_t length, std::size_t from) const;
  // Moves `j` on to the next window that may hold the marker; false when none is left.
  bool Skip(const unsigned char* text, std::size_t length, std::size_t& j, SkipState& skip) const;
  bool NextPair(const unsigned char* text, std::size_t length, std::size_t& j) const;

  std::string text_;  // in lower case when case is ignored
  bool ignoreCase_;
  std::size_t rare_;  // place of the rarest character; none when all are common in markup
  // How far each character's last place in the marker stands from its end, at most 255
  // (a shorter move than the full distance is always safe).
  std::array<std::uint8_t, 256> shift_{};
};

}  // namespace lotwise
