#include "text/markup.h"

#include <vector>

#include "text/blanks.h"
#include "text/marker.h"

namespace lotwise {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool EndsName(char c) { return IsMarkupBlank(c) || c == '/' || c == '>'; }

constexpr std::size_t kEnd = static_cast<std::size_t>(-1);

// 0-based place of `marker` at or after 0-based `from`, or kEnd.
std::size_t Find(const Marker& marker, std::string_view page, std::size_t from) {
  const std::size_t found = marker.In(page, from + 1);
  return found == 0 ? kEnd : found - 1;
}

class Reader {
 public:
  Reader(std::string_view page, MarkupVisitor& visitor) : page_(page), visitor_(visitor) {}

  void Run() {
    static const Marker tagOpen("<", Marker::Case::kExact);
    std::size_t runStart = 0;
    std::size_t at = 0;
    for (;;) {
      const std::size_t open = Find(tagOpen, page_, at);
      if (open == kEnd || open + 1 >= page_.size()) break;
      const char next = page_[open + 1];
      const bool endTag = next == '/' && open + 2 < page_.size() && IsLetter(page_[open + 2]);
      if (!endTag && !IsLetter(next) && next != '!' && next != '?') {
        at = open + 1;  // a "<" of text
        continue;
      }
      if (open > runStart) visitor_.Text(page_.substr(runStart, open - runStart));
      const std::size_t after = endTag || IsLetter(next) ? Tag(open, endTag) : Declaration(open);
      if (after == kEnd) return;
      runStart = at = after;
    }
    if (page_.size() > runStart) visitor_.Text(page_.substr(runStart));
  }

 private:
  // A comment or declaration at `open`: where the text after it starts, or kEnd.
  std::size_t Declaration(std::size_t open) const {
    static const Marker commentEnd("-->", Marker::Case::kExact);
    static const Marker close(">", Marker::Case::kExact);
    if (page_.substr(open, 4) == "<!--") {
      const std::size_t end = Find(commentEnd, page_, open + 4);
      return end == kEnd ? kEnd : end + 3;
    }
    const std::size_t end = Find(close, page_, open + 2);
    return end == kEnd ? kEnd : end + 1;
  }

  // The tag at `open`, reported: where the text after it starts, or kEnd.
  std::size_t Tag(std::size_t open, bool endTag) {
    static const Marker doubleQuote("\"", Marker::Case::kExact);
    static const Marker singleQuote("'", Marker::Case::kExact);
    const std::size_t size = page_.size();
    std::size_t i = open + (endTag ? 2 : 1);
    const std::size_t nameStart = i;
    while (i < size && !EndsName(page_[i])) ++i;
    const std::string_view name = page_.substr(nameStart, i - nameStart);
    attributes_.clear();
    for (;;) {
      if (i >= size) return kEnd;
      const char c = page_[i];
      if (IsMarkupBlank(c) || c == '/') {
        ++i;
        continue;
      }
      if (c == '>') break;
      const std::size_t attributeStart = i++;
      while (i < size && !EndsName(page_[i]) && page_[i] != '=') ++i;
      MarkupAttribute attribute{page_.substr(attributeStart, i - attributeStart), {}};
      while (i < size && IsMarkupBlank(page_[i])) ++i;
      if (i < size && page_[i] == '=') {
        ++i;
        while (i < size && IsMarkupBlank(page_[i])) ++i;
        if (i < size && (page_[i] == '"' || page_[i] == '\'')) {
          const std::size_t close = Find(page_[i] == '"' ? doubleQuote : singleQuote, page_, i + 1);
          if (close == kEnd) return kEnd;
          attribute.value = page_.substr(i + 1, close - i - 1);
          i = close + 1;
        } else {
          const std::size_t valueStart = i;
          while (i < size && !IsMarkupBlank(page_[i]) && page_[i] != '>') ++i;
          attribute.value = page_.substr(valueStart, i - valueStart);
        }
      }
      if (!endTag) attributes_.push_back(attribute);
    }
    ++i;  // past ">"
    if (endTag) {
      visitor_.EndTag(name);
      return i;
    }
    visitor_.StartTag(name, attributes_);
    // Their text is code, not page text: a "<" in it starts no tag.
    static const Marker scriptEnd("</script", Marker::Case::kIgnored);
    static const Marker styleEnd("</style", Marker::Case::kIgnored);
    if (SameName(name, "script")) return Find(scriptEnd, page_, i);
    if (SameName(name, "style")) return Find(styleEnd, page_, i);
    return i;
  }

  std::string_view page_;
  MarkupVisitor& visitor_;
  std::vector<MarkupAttribute> attributes_;
};

}  // namespace

bool SameName(std::string_view one, std::string_view other) {
  if (one.size() != other.size()) return false;
  const auto fold = [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t i = 0; i < one.size(); ++i) {
    if (fold(one[i]) != fold(other[i])) return false;
  }
  return true;
}

void ReadMarkup(std::string_view page, MarkupVisitor& visitor) { Reader(page, visitor).Run(); }

}  // namespace lotwise
