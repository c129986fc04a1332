#include "text/percent_encoding.h"

namespace lotwise {

std::string PercentEncoded(std::string_view text, const PercentEncoding& encoding) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() + 16);
  std::size_t kept = 0;  // the bytes of `text` before this one are in `out`
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!encoding.Encodes(c)) continue;
    out.append(text, kept, i - kept);
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 15];
    kept = i + 1;
  }
  out.append(text, kept);
  return out;
}

std::string PercentEncoded(std::string_view text, std::string_view plain) {
  return PercentEncoded(text, PercentEncoding::AllBut(plain));
}

}  // namespace lotwise
