#include "report/html_text.h"

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

std::string Html(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendHtml(out, text);
  return out;
}

}  // namespace lotwise
