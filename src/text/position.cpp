#include "text/position.h"

#include <algorithm>
#include <functional>

namespace lotwise {
namespace {

constexpr unsigned char FoldCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

struct FoldedEqual {
  bool operator()(char a, char b) const { return FoldCase(a) == FoldCase(b); }
};

struct FoldedHash {
  std::size_t operator()(char c) const { return FoldCase(c); }
};

// The search range for a 1-based start, or npos when nothing can be found from there.
std::size_t StartIndex(std::string_view text, std::string_view find, std::size_t start) {
  if (start == 0) start = 1;
  if (start > text.size() || find.size() > text.size() - (start - 1)) {
    return std::string_view::npos;
  }
  return start - 1;
}

}  // namespace

std::size_t InStr(std::string_view text, std::string_view find, std::size_t start) {
  const std::size_t from = StartIndex(text, find, start);
  if (from == std::string_view::npos) return 0;
  const std::size_t at = text.find(find, from);
  return at == std::string_view::npos ? 0 : at + 1;
}

std::size_t InStrCI(std::string_view text, std::string_view find, std::size_t start) {
  const std::size_t from = StartIndex(text, find, start);
  if (from == std::string_view::npos) return 0;
  if (find.empty()) return from + 1;
  const std::boyer_moore_horspool_searcher searcher(find.begin(), find.end(), FoldedHash{},
                                                    FoldedEqual{});
  const auto hit =
      std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), searcher);
  return hit == text.end() ? 0 : static_cast<std::size_t>(hit - text.begin()) + 1;
}

std::string_view Mid(std::string_view text, std::size_t start, std::ptrdiff_t count) {
  if (start == 0 || start > text.size() || count <= 0) return {};
  return text.substr(start - 1, static_cast<std::size_t>(count));
}

}  // namespace lotwise
