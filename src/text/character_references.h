#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// Appends `text` to `out` with its character references decoded: the named ones a page
// of the marketplace puts in text and attributes (&amp; &lt; &gt; &quot; &apos; &nbsp;)
// and numeric ones (&#39; &#x27;) of at most eight digits naming a character other than
// NUL or a surrogate, each ended by ";". Anything else is kept as it stands, so that a
// stray "&" in a title survives. One pass over the text.
void AppendDecoded(std::string_view text, std::string& out);

}  // namespace lotwise
