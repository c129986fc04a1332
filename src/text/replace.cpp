#include "text/replace.h"

namespace lotwise {

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
  if (find.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find(find); at != std::string_view::npos; at = text.find(find, from)) {
    out.append(text, from, at - from);
    out.append(with);
    from = at + find.size();
  }
  out.append(text, from);
  return out;
}

}  // namespace lotwise
