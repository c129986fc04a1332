#include "report/active_content.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/characters.h"
#include "text/marker.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

constexpr std::string_view kScript = "script";
constexpr std::string_view kScriptEndTag = "</script";
// Start tags taken out; what follows them stays.
constexpr std::string_view kRemovedTags[] = {"iframe", "frame", "object", "embed",
                                             "applet", "meta",  "base",   "link",
                                             "form",   "svg",   "math",   "plaintext"};
// Elements whose content the browser reads as text, up to their end tag.
constexpr std::string_view kTextElements[] = {"title",   "textarea", "style",   "xmp",
                                              "noembed", "noframes", "noscript"};

// What a character ends in a tag, as flags: looked up in a table, since tags are read a
// character at a time.
enum Ends : std::uint8_t {
  kBlank = 1,
  kTagName = 2,        // blanks, "/" and ">"
  kAttributeName = 4,  // those and "="
  kUnquotedValue = 8,  // blanks and ">"
};
struct EndsTable {
  std::uint8_t of[256];
  constexpr EndsTable() : of() {
    for (const unsigned char c : {' ', '\t', '\n', '\f', '\r'}) {
      of[c] = kBlank | kTagName | kAttributeName | kUnquotedValue;
    }
    of[static_cast<unsigned char>('/')] = kTagName | kAttributeName;
    of[static_cast<unsigned char>('>')] = kTagName | kAttributeName | kUnquotedValue;
    of[static_cast<unsigned char>('=')] = kAttributeName;
  }
};
constexpr EndsTable kEnds;

bool Is(char c, Ends what) { return (kEnds.of[static_cast<unsigned char>(c)] & what) != 0; }
bool IsHtmlSpace(char c) { return Is(c, kBlank); }
bool EndsTagName(char c) { return Is(c, kTagName); }

// Whether `name` is `lower` in any letter case.
bool SameName(std::string_view name, std::string_view lower) {
  return name.size() == lower.size() &&
         std::equal(name.begin(), name.end(), lower.begin(),
                    [](char a, char b) { return AsciiLower(a) == b; });
}

template <std::size_t kCount>
const std::string_view* FindName(std::string_view name, const std::string_view (&names)[kCount]) {
  const auto* found =
      std::find_if(std::begin(names), std::end(names),
                   [name](std::string_view lower) { return SameName(name, lower); });
  return found == std::end(names) ? nullptr : found;
}

// The index of the one-character text `what` at or after `from`, or kNone.
std::size_t Find(std::string_view text, std::string_view what, std::size_t from) {
  const std::size_t at = InStr(text, what, from + 1);
  return at == 0 ? kNone : at - 1;
}

std::size_t After(std::size_t at) { return at == kNone ? kNone : at + 1; }

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct NamedReference {
  std::string_view name;  // after "&"
  char character;
};
// The named references that give a character an address reading depends on.
constexpr NamedReference kNamedReferences[] = {{"colon;", ':'}, {"Tab;", '\t'}, {"NewLine;", '\n'}};

// The character of an attribute value at `i`, with a character reference decoded as the
// browser decodes it there; -1 for a character outside ASCII. Moves `i` past it.
int NextCharacter(std::string_view value, std::size_t& i) {
  const char c = value[i++];
  if (c != '&') return static_cast<unsigned char>(c) < 0x80 ? c : -1;
  if (i < value.size() && value[i] == '#') {
    std::size_t j = i + 1;
    const bool hex = j < value.size() && (value[j] == 'x' || value[j] == 'X');
    if (hex) ++j;
    const std::size_t digits = j;
    std::uint32_t code = 0;
    for (int digit; j < value.size() && (digit = DigitValue(value[j], hex)) >= 0; ++j) {
      code = std::min<std::uint32_t>(code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit),
                                     0x110000);
    }
    if (j == digits) return '&';
    if (j < value.size() && value[j] == ';') ++j;
    i = j;
    // 0 becomes a replacement character, and 0x80 to 0x9F the characters of windows-1252.
    return code > 0 && code < 0x80 ? static_cast<int>(code) : -1;
  }
  for (const NamedReference& reference : kNamedReferences) {
    if (value.substr(i).starts_with(reference.name)) {
      i += reference.name.size();
      return reference.character;
    }
  }
  return '&';
}

enum class AttributeKind { kOther, kEvent, kHref, kSrc, kAction };

AttributeKind KindOf(std::string_view name) {
  if (name.size() > 2 && AsciiLower(name[0]) == 'o' && AsciiLower(name[1]) == 'n') {
    return AttributeKind::kEvent;
  }
  if (SameName(name, "href")) return AttributeKind::kHref;
  if (SameName(name, "src")) return AttributeKind::kSrc;
  if (SameName(name, "action")) return AttributeKind::kAction;
  return AttributeKind::kOther;
}

// Whether the value of an attribute of `kind` is an address that runs script when
// followed: `javascript:` or `vbscript:`, and for links and form actions `data:`. Blanks
// and control characters before it are left out, as are tabs, line breaks and NULs
// within it.
bool RunsScript(AttributeKind kind, std::string_view value) {
  if (kind != AttributeKind::kHref && kind != AttributeKind::kSrc &&
      kind != AttributeKind::kAction) {
    return false;
  }
  std::string_view scheme;
  std::size_t matched = 0;
  for (std::size_t i = 0; i < value.size();) {
    const int c = NextCharacter(value, i);
    if (c == '\t' || c == '\n' || c == '\r' || c == '\0') continue;
    if (scheme.empty()) {
      if (c >= 0 && c <= ' ') continue;
      const char first = c < 0 ? '\0' : AsciiLower(static_cast<char>(c));
      if (first == 'j') {
        scheme = "javascript:";
      } else if (first == 'v') {
        scheme = "vbscript:";
      } else if (first == 'd' && kind != AttributeKind::kSrc) {
        scheme = "data:";
      } else {
        return false;
      }
    }
    if (c < 0 || AsciiLower(static_cast<char>(c)) != scheme[matched]) return false;
    if (++matched == scheme.size()) return true;
  }
  return false;
}

// The row read once from left to right, as the browser's tokenizer reads it. What stays
// is gathered at the row's start: the row as given is read from `src_` on, and what
// stays of the part before it is its first `dst_` characters. Until the first removal
// both are the same place and nothing is moved.
class Cleaner {
 public:
  explicit Cleaner(std::string& row) : row_(row), text_(row) {}

  bool Run() {
    for (std::size_t i = 0; (i = Find(text_, "<", i)) != kNone;) {
      i = Markup(Out(i), i + 1);
      // A removal right after a "<" of text joins it to what follows: read them again
      // as one.
      while (src_ == i && dst_ > 0 && row_[dst_ - 1] == '<') {
        const std::size_t kept = dst_;
        const std::size_t next = Markup(dst_ - 1, i);
        if (next == i && dst_ == kept) break;
        i = next;
      }
    }
    if (!changed_) return false;
    std::copy(row_.begin() + static_cast<std::ptrdiff_t>(src_), row_.end(),
              row_.begin() + static_cast<std::ptrdiff_t>(dst_));
    row_.resize(dst_ + (text_.size() - src_));
    return true;
  }

 private:
  // Where the character at `i` of the row as given, not yet read, will stand in what
  // stays.
  std::size_t Out(std::size_t i) const { return dst_ + (i - src_); }

  // Keeps the first `from` characters of what stays and goes on with the row as given
  // at `to`.
  void Drop(std::size_t from, std::size_t to) {
    if (from > dst_ && dst_ != src_) {
      const auto begin = row_.begin() + static_cast<std::ptrdiff_t>(src_);
      std::copy(begin, begin + static_cast<std::ptrdiff_t>(from - dst_),
                row_.begin() + static_cast<std::ptrdiff_t>(dst_));
    }
    dst_ = from;
    src_ = to;
    changed_ = true;
  }

  // Drops what stays from `start` to the end of the row.
  std::size_t Cut(std::size_t start) {
    Drop(start, text_.size());
    return text_.size();
  }

  std::size_t EndOrCut(std::size_t end, std::size_t start) {
    return end == kNone ? Cut(start) : end;
  }

  std::size_t NameEnd(std::size_t i) const {
    while (i < text_.size() && !EndsTagName(text_[i])) ++i;
    return i;
  }

  // Reads what the "<" at `start` of what stays opens, `i` being the next character of
  // the row as given. Gives where text goes on.
  std::size_t Markup(std::size_t start, std::size_t i) {
    if (i == text_.size()) return Cut(start);
    const char c = text_[i];
    if (IsAsciiLetter(c)) return StartTag(start, i);
    if (c == '!') {
      if (text_.substr(i + 1, 2) == "--") return EndOrCut(CommentEnd(i + 3), start);
      return EndOrCut(After(Find(text_, ">", i + 1)), start);  // a DOCTYPE, or a comment
    }
    if (c == '?') return EndOrCut(After(Find(text_, ">", i + 1)), start);
    if (c == '/') {
      if (i + 1 == text_.size()) return Cut(start);
      const char d = text_[i + 1];
      if (d == '>') return i + 2;                                                     // nothing
      if (!IsAsciiLetter(d)) return EndOrCut(After(Find(text_, ">", i + 1)), start);  // a comment
      return EndOrCut(Attributes(NameEnd(i + 1), false), start);                      // an end tag
    }
    return i;  // the "<" is text
  }

  std::size_t StartTag(std::size_t start, std::size_t i) {
    const std::size_t nameEnd = NameEnd(i);
    const std::string_view name = text_.substr(i, nameEnd - i);
    const bool script = SameName(name, kScript);
    if (script || FindName(name, kRemovedTags) != nullptr) {
      std::size_t end = Attributes(nameEnd, false);
      if (script) end = ScriptEnd(end);
      if (end == kNone) return Cut(start);
      Drop(start, end);
      return end;
    }
    const std::string_view* textElement = FindName(name, kTextElements);
    const std::size_t end = Attributes(nameEnd, true);
    if (end == kNone) return Cut(start);
    if (textElement != nullptr && !TextEndsAtEndTag(end, *textElement)) Drop(start, end);
    return end;
  }

  // Just after the end tag of a script whose text starts at `i`; kNone when it has none.
  std::size_t ScriptEnd(std::size_t i) {
    static const Marker endTag(kScriptEndTag, Marker::Case::kIgnored);
    while (i != kNone) {
      const std::size_t at = endTag.In(text_, i + 1);
      if (at == 0) return kNone;
      const std::size_t after = at - 1 + kScriptEndTag.size();
      if (after < text_.size() && EndsTagName(text_[after])) return Attributes(after, false);
      i = at;
    }
    return kNone;
  }

  // Just after the end of a comment whose text starts at `j`, after "<!--": the first ">"
  // after two dashes (those of "<!--" too) or after "--!" within the text. kNone when
  // there is none.
  std::size_t CommentEnd(std::size_t j) const {
    for (std::size_t k = Find(text_, ">", j); k != kNone; k = Find(text_, ">", k + 1)) {
      if (text_[k - 1] == '-' && text_[k - 2] == '-') return k + 1;
      if (k >= j + 3 && text_.substr(k - 3, 3) == "--!") return k + 1;
    }
    return kNone;
  }

  // Whether the text of an element, from `i`, holds no markup before the element's end
  // tag (`name` in any letter case), and that tag is closed: the text then reads the same
  // as text and as markup.
  bool TextEndsAtEndTag(std::size_t i, std::string_view name) {
    for (std::size_t at = Find(text_, "<", i); at != kNone; at = Find(text_, "<", at + 1)) {
      const std::string_view next = text_.substr(at + 1, name.size() + 2);
      if (next.empty()) return false;
      if (next[0] == '/') {
        if (next.substr(1, 1) == ">") continue;  // "</>" is nothing as markup
        return next.size() == name.size() + 2 && SameName(next.substr(1, name.size()), name) &&
               EndsTagName(next.back()) && Attributes(at + name.size() + 2, false) != kNone;
      }
      if (IsAsciiLetter(next[0]) || next[0] == '!' || next[0] == '?') return false;
    }
    return false;
  }

  // Reads the attributes of a tag from `i`, just after its name, to its closing ">", and
  // gives the index after that, or kNone when the row ends first. With `edit` (a start
  // tag that stays), takes out event attributes and replaces script addresses by "#".
  std::size_t Attributes(std::size_t i, bool edit) {
    // Between attributes: right after a name an "=" gives that attribute a value;
    // anywhere else it starts the name of another one.
    struct Place {
      bool afterName = false;
      AttributeKind kind = AttributeKind::kOther;  // of the name, after one
    };
    Place place;
    Place beforeName;      // the place before the last name read
    std::size_t name = 0;  // where that name starts
    const std::size_t n = text_.size();
    while (i < n) {
      const char c = text_[i];
      if (IsHtmlSpace(c)) {
        ++i;
        continue;
      }
      if (place.afterName && c == '=') {
        for (++i; i < n && IsHtmlSpace(text_[i]);) ++i;
        if (i == n) return kNone;
        std::size_t from = i;
        std::size_t to = i;
        std::size_t next;
        if (text_[i] == '"' || text_[i] == '\'') {
          to = Find(text_, text_.substr(i, 1), i + 1);
          if (to == kNone) return kNone;
          from = i + 1;
          next = to + 1;
        } else {
          while (to < n && !Is(text_[to], kUnquotedValue)) ++to;
          if (to == n) return kNone;
          next = to;
        }
        if (edit && place.kind == AttributeKind::kEvent) {
          Drop(Out(name), next);
          place = beforeName;
        } else {
          if (edit && RunsScript(place.kind, text_.substr(from, to - from))) {
            Drop(Out(from), to);
            row_[dst_++] = '#';  // the address is longer
          }
          place = Place{};
        }
        i = next;
        continue;
      }
      if (edit && place.afterName && place.kind == AttributeKind::kEvent) {
        // An event attribute without a value ends here.
        Drop(Out(name), i);
        place = beforeName;
        continue;
      }
      if (c == '>') return i + 1;
      if (c == '/') {
        place = Place{};
        ++i;
        continue;
      }
      beforeName = place;
      name = i;
      // The first character belongs to the name, whatever it is.
      for (++i; i < n && !Is(text_[i], kAttributeName); ++i) {
      }
      place = Place{true, KindOf(text_.substr(name, i - name))};
    }
    return kNone;
  }

  std::string& row_;
  const std::string_view text_;  // the row as given: read only from src_ on
  std::size_t src_ = 0;
  std::size_t dst_ = 0;
  bool changed_ = false;
};

}  // namespace

bool RemoveActiveContent(std::string& row) { return Cleaner(row).Run(); }

}  // namespace lotwise
