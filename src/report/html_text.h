#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// Appends text as HTML text or a quoted attribute value shows it: "&", "<", ">", '"' and
// "'" as character references, line breaks as blanks, so that a row stays on one line.
void AppendHtml(std::string& out, std::string_view text);
std::string Html(std::string_view text);

// Appends an attribute's value: without quotes when it is letters, digits and
// ".-_#:/%?+,~" alone (as ids, numbers, links to ids and most pictures' addresses are),
// else quoted and escaped as AppendHtml does. What follows it must be a blank or ">".
void AppendAttributeValue(std::string& out, std::string_view value);

}  // namespace lotwise
