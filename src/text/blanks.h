#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// The blanks of markup: space, tab, line feed, carriage return and form feed.
constexpr bool IsMarkupBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The text as a browser shows it: every run of blanks and no-break spaces (U+00A0 in
// UTF-8) one space, none at either end.
std::string FoldBlanks(std::string_view text);

}  // namespace lotwise
