#include "text/blanks.h"

namespace lotwise {

std::string FoldBlanks(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  bool blank = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsMarkupBlank(c)) {
      blank = true;
      continue;
    }
    if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
      blank = true;
      ++i;
      continue;
    }
    if (blank && !folded.empty()) folded.push_back(' ');
    blank = false;
    folded.push_back(c);
  }
  return folded;
}

}  // namespace lotwise
