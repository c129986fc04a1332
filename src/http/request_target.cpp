#include "http/request_target.h"

namespace lotwise {
namespace {

bool NeedsEncoding(unsigned char byte) {
  if (byte <= 0x20 || byte >= 0x7F) return true;
  switch (byte) {
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
    case '#':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string EncodeRequestTarget(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(url.size());
  for (const char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (NeedsEncoding(byte)) {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += c;
    }
  }
  return encoded;
}

}  // namespace lotwise
