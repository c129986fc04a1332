#include "text/position.h"

#include "text/characters.h"
#include "text/marker.h"

namespace lotwise {
namespace {

// One character that no letter case can change is found without preparing a Marker:
// most searches of a single character (a quote, a closing bracket) are of this kind.
std::size_t FindCharacter(std::string_view text, char c, std::size_t start) {
  if (start == 0) start = 1;
  if (start > text.size()) return 0;
  const std::size_t at = text.find(c, start - 1);
  return at == std::string_view::npos ? 0 : at + 1;
}

}  // namespace

std::size_t InStr(std::string_view text, std::string_view find, std::size_t start) {
  if (find.size() == 1) return FindCharacter(text, find.front(), start);
  return Marker(find, Marker::Case::kExact).In(text, start);
}

std::size_t InStrCI(std::string_view text, std::string_view find, std::size_t start) {
  if (find.size() == 1 && !IsAsciiLetter(find.front())) {
    return FindCharacter(text, find.front(), start);
  }
  return Marker(find, Marker::Case::kIgnored).In(text, start);
}

std::string_view Mid(std::string_view text, std::size_t start, std::ptrdiff_t count) {
  if (start == 0 || start > text.size() || count <= 0) return {};
  return text.substr(start - 1, static_cast<std::size_t>(count));
}

}  // namespace lotwise
