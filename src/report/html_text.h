#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// Appends text as HTML text or a quoted attribute value shows it: "&", "<", ">", '"' and
// "'" as character references, line breaks as blanks, so that a row stays on one line.
void AppendHtml(std::string& out, std::string_view text);
std::string Html(std::string_view text);

}  // namespace lotwise
