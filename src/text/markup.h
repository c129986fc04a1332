#pragma once

#include <span>
#include <string_view>

namespace lotwise {

// One attribute of a tag as it stands in the page: its name, and its value without the
// quotes, character references not decoded (empty when the attribute has none).
struct MarkupAttribute {
  std::string_view name;
  std::string_view value;
};

// What ReadMarkup finds, in page order. Names are as the page spells them.
class MarkupVisitor {
 public:
  virtual ~MarkupVisitor() = default;
  virtual void StartTag(std::string_view name, std::span<const MarkupAttribute> attributes) = 0;
  virtual void EndTag(std::string_view name) = 0;
  // A stretch of text between two pieces of markup, character references not decoded.
  virtual void Text(std::string_view text) = 0;
};

// Reads a page's markup in one pass, as a browser splits it into tags and text, without
// building anything:
// - "<" and a letter starts a start tag, "</" and a letter an end tag; any other "<" is
//   text. The name runs to a blank, "/" or ">". Attributes follow, separated by blanks
//   and "/": a name (its first character anything but a blank, "/" or ">", then up to a
//   blank, "/", ">" or "="), then optionally "=" and a value, in double or single quotes
//   or else up to a blank or ">". The tag ends at the first ">" outside a quoted value.
// - "<!--" starts a comment that ends after the next "-->"; any other "<!" or "<?" runs
//   to the next ">".
// - After a start tag named script or style (in any case), everything up to the next
//   "</script" or "</style" is skipped.
// A tag, value, comment or script that does not end before the page does ends the
// reading there: what it held is not reported. The time taken is linear in the page's
// length whatever it holds.
void ReadMarkup(std::string_view page, MarkupVisitor& visitor);

// Tag and attribute names compared as markup compares them: ASCII letters without case.
bool SameName(std::string_view one, std::string_view other);

}  // namespace lotwise
