#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// Appends text as HTML text or a quoted attribute value shows it: "&", "<", ">", '"' and
// "'" as character references, line breaks as blanks, so that a row stays on one line.
void AppendHtml(std::string& out, std::string_view text);
std::string Html(std::string_view text);

// Appends an attribute's value: without quotes when it is letters, digits, ".", "-", "_"
// and "#" alone (as ids, numbers and links to ids are), else quoted and escaped as
// AppendHtml does.
void AppendAttributeValue(std::string& out, std::string_view value);

}  // namespace lotwise
