#include "text/character_references.h"

#include <cstdint>

#include "text/marker.h"

namespace lotwise {
namespace {

void AppendUtf8(std::uint32_t code, std::string& out) {
  const auto byte = [&out](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
  if (code < 0x80) {
    byte(code);
  } else if (code < 0x800) {
    byte(0xC0 | (code >> 6));
    byte(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    byte(0xE0 | (code >> 12));
    byte(0x80 | ((code >> 6) & 0x3F));
    byte(0x80 | (code & 0x3F));
  } else {
    byte(0xF0 | (code >> 18));
    byte(0x80 | ((code >> 12) & 0x3F));
    byte(0x80 | ((code >> 6) & 0x3F));
    byte(0x80 | (code & 0x3F));
  }
}

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The reference that starts at text[0] ("&"): its length and character, or 0.
std::size_t Reference(std::string_view text, std::uint32_t& code) {
  struct Named {
    std::string_view name;
    std::uint32_t code;
  };
  static constexpr Named kNamed[] = {{"&amp;", '&'},  {"&lt;", '<'},    {"&gt;", '>'},
                                     {"&quot;", '"'}, {"&apos;", '\''}, {"&nbsp;", 0xA0}};
  if (text.size() < 3) return 0;
  if (text[1] != '#') {
    for (const Named& named : kNamed) {
      if (text.starts_with(named.name)) {
        code = named.code;
        return named.name.size();
      }
    }
    return 0;
  }
  const bool hex = text[2] == 'x' || text[2] == 'X';
  std::size_t i = hex ? 3 : 2;
  const std::size_t first = i;
  std::uint32_t value = 0;
  while (i < text.size() && i - first < 8) {
    const int digit = DigitValue(text[i], hex);
    if (digit < 0) break;
    value = value * (hex ? 16u : 10u) + static_cast<std::uint32_t>(digit);
    ++i;
  }
  if (i == first || i >= text.size() || text[i] != ';') return 0;
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  code = value;
  return i + 1;
}

}  // namespace

void AppendDecoded(std::string_view text, std::string& out) {
  static const Marker ampersand("&", Marker::Case::kExact);
  std::size_t kept = 0;  // 0-based: what is copied so far
  for (std::size_t found = ampersand.In(text); found > 0; found = ampersand.In(text, found + 1)) {
    const std::size_t at = found - 1;
    if (at < kept) continue;
    std::uint32_t code = 0;
    const std::size_t length = Reference(text.substr(at), code);
    if (length == 0) continue;
    out.append(text, kept, at - kept);
    AppendUtf8(code, out);
    kept = at + length;
  }
  out.append(text, kept, std::string_view::npos);
}

}  // namespace lotwise
