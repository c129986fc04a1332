#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lotwise {

// Which bytes an address writes as %XX (upper-case hexadecimal); every other byte stands
// as it is.
class PercentEncoding {
 public:
  // Every byte but letters, digits, "-._~" and the characters of `plain`: for a value
  // carried in a query or a path.
  static constexpr PercentEncoding AllBut(std::string_view plain) {
    PercentEncoding encoding;
    for (int c = 0; c < 256; ++c) encoding.encodes_[c] = !Unreserved(c);
    for (const char c : plain) encoding.encodes_[static_cast<unsigned char>(c)] = false;
    return encoding;
  }
  // The characters of `encoded` alone.
  static constexpr PercentEncoding Only(std::string_view encoded) {
    PercentEncoding encoding;
    for (const char c : encoded) encoding.encodes_[static_cast<unsigned char>(c)] = true;
    return encoding;
  }
  // Blanks, control characters, bytes above 127 and the characters of `encoded`.
  static constexpr PercentEncoding UnsafeAnd(std::string_view encoded) {
    PercentEncoding encoding = Only(encoded);
    for (int c = 0; c < 256; ++c)
      encoding.encodes_[c] = encoding.encodes_[c] || c <= 0x20 || c >= 0x7F;
    return encoding;
  }

  constexpr bool Encodes(unsigned char c) const { return encodes_[c]; }

 private:
  static constexpr bool Unreserved(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
  }

  std::array<bool, 256> encodes_{};
};

// `text` with every byte that `encoding` encodes written as %XX.
std::string PercentEncoded(std::string_view text, const PercentEncoding& encoding);

// `text` as an address carries it: letters, digits, "-._~" and the characters of `plain`
// as they are, every other byte written as %XX.
std::string PercentEncoded(std::string_view text, std::string_view plain = {});

}  // namespace lotwise
