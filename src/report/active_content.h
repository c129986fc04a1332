#pragma once

#include <string>

namespace lotwise {

// Takes out of a report row, in place, whatever could run code when the report is
// opened in a browser. The row is read as a browser's HTML tokenizer reads it (quoted
// attribute values, comments, text elements), and loses:
//
// - `script` elements with their text, an unclosed one to the end of the row;
// - the start tags of `iframe`, `frame`, `object`, `embed`, `applet`, `meta`, `base`,
//   `link`, `form`, `svg`, `math` and `plaintext` (what follows them stays);
// - event attributes in start tags: every attribute whose name is "on" followed by at
//   least one character, with its value;
// - `javascript:` and `vbscript:` addresses in `href`, `src` and `action` values and
//   `data:` addresses in `href` and `action` values: the value becomes "#". The address
//   is read as the browser reads it: any letter case, character references decoded
//   (`&#115;`, `&#x73;`, `&colon;`, `&Tab;`, `&NewLine;`), blanks and control
//   characters before it and tabs, line breaks and NULs within it left out;
// - the start tag of a `title`, `textarea`, `style`, `xmp`, `noembed`, `noframes` or
//   `noscript` element whose text holds markup before its end tag, or that has no end
//   tag: the browser reads such text as text or, in some places of a page, as markup,
//   and what is kept must read the same both ways;
// - a tag, comment or "<" left open at the end of the row, so that no row runs on into
//   the next one written after it.
//
// Whatever such a removal joins is read again as the browser would read the joined
// text. Everything else stays byte for byte: a row without any of this is left as it is
// and not copied. One pass over the row, in time linear in its length whatever it
// holds. Returns whether anything was taken out.
bool RemoveActiveContent(std::string& row);

}  // namespace lotwise
