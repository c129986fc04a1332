#include "report/html_text.h"

#include <algorithm>

#include "text/characters.h"

namespace lotwise {

void AppendHtml(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '\r':
      case '\n':
        out += ' ';
        break;
      default:
        out += c;
    }
  }
}

void AppendAttributeValue(std::string& out, std::string_view value) {
  const bool plain = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
    return IsAsciiLetter(c) || IsDigit(c) ||
           std::string_view(".-_#:/%?+,~").find(c) != std::string_view::npos;
  });
  if (plain) {
    out += value;
    return;
  }
  out += '"';
  AppendHtml(out, value);
  out += '"';
}

std::string Html(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendHtml(out, text);
  return out;
}

}  // namespace lotwise
