#include "text/replace.h"

namespace lotwise {

bool ReplaceAllInto(std::string_view text, const Marker& find, std::string_view with,
                    std::string& out) {
  if (find.size() == 0) return false;
  std::size_t at = find.In(text);
  if (at == 0) return false;
  out.clear();
  out.reserve(text.size() + with.size());
  std::size_t copied = 0;
  for (; at > 0; at = find.In(text, copied + 1)) {
    out.append(text, copied, at - 1 - copied);
    out.append(with);
    copied = at - 1 + find.size();
  }
  out.append(text, copied);
  return true;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
  return ReplaceAll(text, Marker(find, Marker::Case::kExact), with);
}

std::string ReplaceAll(std::string_view text, const Marker& find, std::string_view with) {
  std::string replaced;
  if (!ReplaceAllInto(text, find, with, replaced)) replaced.assign(text);
  return replaced;
}

}  // namespace lotwise
