#include "text/replace.h"

#include <optional>
#include <utility>

namespace lotwise {
namespace {

// `text` with every occurrence replaced; nothing when there is none.
std::optional<std::string> Replaced(std::string_view text, const Marker& find,
                                    std::string_view with) {
  if (find.size() == 0) return std::nullopt;
  std::size_t at = find.In(text);
  if (at == 0) return std::nullopt;
  std::string out;
  out.reserve(text.size() + with.size());
  std::size_t copied = 0;
  for (; at > 0; at = find.In(text, copied + 1)) {
    out.append(text, copied, at - 1 - copied);
    out.append(with);
    copied = at - 1 + find.size();
  }
  out.append(text, copied);
  return out;
}

}  // namespace

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
  return ReplaceAll(text, Marker(find, Marker::Case::kExact), with);
}

std::string ReplaceAll(std::string_view text, const Marker& find, std::string_view with) {
  std::optional<std::string> replaced = Replaced(text, find, with);
  return replaced ? std::move(*replaced) : std::string(text);
}

bool ReplaceAllIn(std::string& text, const Marker& find, std::string_view with) {
  std::optional<std::string> replaced = Replaced(text, find, with);
  if (!replaced) return false;
  text = std::move(*replaced);
  return true;
}

}  // namespace lotwise
