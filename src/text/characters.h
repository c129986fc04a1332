#pragma once

#include <string_view>

namespace lotwise {

// The characters page text and typed text are read by: ASCII alone, whatever the page's
// encoding, since pages are bytes.

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
// A blank between words: space or tab.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// A letter, a digit or a byte of a character beyond ASCII: what a word is made of.
constexpr bool IsWordCharacter(char c) {
  return IsAsciiLetter(c) || IsDigit(c) || static_cast<unsigned char>(c) >= 0x80;
}
constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// One digit at least, and nothing else.
constexpr bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

}  // namespace lotwise
