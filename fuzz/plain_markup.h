#pragma once

// A plain reading of HTML for the fuzz targets' checks of report rows: character by
// character through the states of a browser's tokenizer, the tags and comments found,
// and whether the text ends outside them. Then what a browser would run of it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace lotwise::fuzz {

struct PlainAttribute {
  std::string name;  // in lower case
  bool hasValue = false;
  std::string value;  // as written
};

struct PlainToken {  // a tag or a comment
  std::size_t start = 0;
  std::size_t end = 0;  // just after its last character
  bool comment = false;
  bool endTag = false;
  std::string name;  // in lower case
  std::vector<PlainAttribute> attributes;
};

struct PlainReading {
  std::vector<PlainToken> tokens;
  bool endsInText = false;  // outside any tag, comment or element read as text
};

inline char PlainLowerCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool PlainIsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// `textElements`: whether the elements whose content a browser reads as text up to their
// end tag are read so, as in most places of a page, or their content as markup, as
// inside a select element. A script's content is read as text either way.
inline PlainReading PlainRead(std::string_view html, bool textElements) {
  enum class State {
    kData,
    kTagOpen,
    kEndTagOpen,
    kTagName,
    kBeforeAttributeName,
    kAttributeName,
    kAfterAttributeName,
    kBeforeAttributeValue,
    kDoubleQuotedValue,
    kSingleQuotedValue,
    kUnquotedValue,
    kAfterQuotedValue,
    kSelfClosingStartTag,
    kBogusComment,
    kCommentStart,
    kCommentStartDash,
    kComment,
    kCommentLessThan,
    kCommentLessThanBang,
    kCommentLessThanBangDash,
    kCommentLessThanBangDashDash,
    kCommentEndDash,
    kCommentEnd,
    kCommentEndBang,
    kElementText,
  };
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
  };
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  PlainReading reading;
  State state = State::kData;
  PlainToken token;
  std::string textOf;  // the element whose content is read as text
  std::size_t i = 0;
  const auto emit = [&] {
    token.end = i;
    state = State::kData;
    if (!token.comment && !token.endTag &&
        (token.name == "script" ||
         (textElements &&
          PlainIsOneOf(token.name, {"title", "textarea", "style", "xmp", "iframe", "noembed",
                                    "noframes", "noscript", "plaintext"})))) {
      textOf = token.name;
      state = State::kElementText;
    }
    reading.tokens.push_back(token);
  };
  while (i < html.size()) {
    const char c = html[i];
    // After a "-", `next`; before anything else, `otherwise`.
    const auto dashOr = [&](State next, State otherwise) {
      if (c == '-') ++i;
      state = c == '-' ? next : otherwise;
    };
    switch (state) {
      case State::kData:
        if (c == '<') {
          token = PlainToken{};
          token.start = i;
          state = State::kTagOpen;
        }
        ++i;
        break;
      case State::kTagOpen:
        if (c == '!') {
          ++i;
          token.comment = true;
          state = State::kBogusComment;
          if (html.substr(i, 2) == "--") {
            i += 2;
            state = State::kCommentStart;
          }
        } else if (c == '/') {
          ++i;
          state = State::kEndTagOpen;
        } else if (letter(c)) {
          state = State::kTagName;
        } else if (c == '?') {
          token.comment = true;
          state = State::kBogusComment;
        } else {
          state = State::kData;
        }
        break;
      case State::kEndTagOpen:
        if (letter(c)) {
          token.endTag = true;
          state = State::kTagName;
        } else if (c == '>') {
          ++i;
          state = State::kData;
        } else {
          token.comment = true;
          state = State::kBogusComment;
        }
        break;
      case State::kTagName:
        ++i;
        if (blank(c)) {
          state = State::kBeforeAttributeName;
        } else if (c == '/') {
          state = State::kSelfClosingStartTag;
        } else if (c == '>') {
          emit();
        } else {
          token.name += PlainLowerCase(c);
        }
        break;
      case State::kBeforeAttributeName:
        if (blank(c)) {
          ++i;
        } else if (c == '/' || c == '>') {
          state = State::kAfterAttributeName;
        } else {
          token.attributes.emplace_back();
          if (c == '=') {  // the first character of a name, even "="
            token.attributes.back().name = "=";
            ++i;
          }
          state = State::kAttributeName;
        }
        break;
      case State::kAttributeName:
        if (blank(c) || c == '/' || c == '>') {
          state = State::kAfterAttributeName;
        } else if (c == '=') {
          ++i;
          state = State::kBeforeAttributeValue;
        } else {
          token.attributes.back().name += PlainLowerCase(c);
          ++i;
        }
        break;
      case State::kAfterAttributeName:
        if (blank(c)) {
          ++i;
        } else if (c == '/') {
          ++i;
          state = State::kSelfClosingStartTag;
        } else if (c == '=') {
          ++i;
          state = State::kBeforeAttributeValue;
        } else if (c == '>') {
          ++i;
          emit();
        } else {
          token.attributes.emplace_back();
          state = State::kAttributeName;
        }
        break;
      case State::kBeforeAttributeValue:
        token.attributes.back().hasValue = true;
        if (blank(c)) {
          ++i;
        } else if (c == '"') {
          ++i;
          state = State::kDoubleQuotedValue;
        } else if (c == '\'') {
          ++i;
          state = State::kSingleQuotedValue;
        } else if (c == '>') {
          ++i;
          emit();
        } else {
          state = State::kUnquotedValue;
        }
        break;
      case State::kDoubleQuotedValue:
      case State::kSingleQuotedValue:
        ++i;
        if (c == (state == State::kDoubleQuotedValue ? '"' : '\'')) {
          state = State::kAfterQuotedValue;
        } else {
          token.attributes.back().value += c;
        }
        break;
      case State::kUnquotedValue:
        ++i;
        if (blank(c)) {
          state = State::kBeforeAttributeName;
        } else if (c == '>') {
          emit();
        } else {
          token.attributes.back().value += c;
        }
        break;
      case State::kAfterQuotedValue:
        if (blank(c)) {
          ++i;
          state = State::kBeforeAttributeName;
        } else if (c == '/') {
          ++i;
          state = State::kSelfClosingStartTag;
        } else if (c == '>') {
          ++i;
          emit();
        } else {
          state = State::kBeforeAttributeName;
        }
        break;
      case State::kSelfClosingStartTag:
        if (c == '>') {
          ++i;
          emit();
        } else {
          state = State::kBeforeAttributeName;
        }
        break;
      case State::kBogusComment:
        ++i;
        if (c == '>') emit();
        break;
      case State::kCommentStart:
      case State::kCommentStartDash:
        if (c == '-') {
          ++i;
          state = state == State::kCommentStart ? State::kCommentStartDash : State::kCommentEnd;
        } else if (c == '>') {
          ++i;
          emit();
        } else {
          state = State::kComment;
        }
        break;
      case State::kComment:
        ++i;
        if (c == '<') state = State::kCommentLessThan;
        if (c == '-') state = State::kCommentEndDash;
        break;
      case State::kCommentLessThan:
        if (c == '!') {
          ++i;
          state = State::kCommentLessThanBang;
        } else if (c == '<') {
          ++i;
        } else {
          state = State::kComment;
        }
        break;
      case State::kCommentLessThanBang:
        dashOr(State::kCommentLessThanBangDash, State::kComment);
        break;
      case State::kCommentLessThanBangDash:
        dashOr(State::kCommentLessThanBangDashDash, State::kCommentEndDash);
        break;
      case State::kCommentLessThanBangDashDash:
        state = State::kCommentEnd;
        break;
      case State::kCommentEndDash:
        dashOr(State::kCommentEnd, State::kComment);
        break;
      case State::kCommentEnd:
        if (c == '>') {
          ++i;
          emit();
        } else if (c == '!') {
          ++i;
          state = State::kCommentEndBang;
        } else if (c == '-') {
          ++i;
        } else {
          state = State::kComment;
        }
        break;
      case State::kCommentEndBang:
        if (c == '-') {
          ++i;
          state = State::kCommentEndDash;
        } else if (c == '>') {
          ++i;
          emit();
        } else {
          state = State::kComment;
        }
        break;
      case State::kElementText: {
        // Its end tag: "</", its name in any letter case, and a blank, "/" or ">".
        bool end = c == '<' && textOf != "plaintext" && html.substr(i + 1, 1) == "/" &&
                   i + 2 + textOf.size() < html.size();
        for (std::size_t k = 0; end && k < textOf.size(); ++k) {
          end = PlainLowerCase(html[i + 2 + k]) == textOf[k];
        }
        const std::size_t after = i + 2 + textOf.size();
        if (end && (blank(html[after]) || html[after] == '/' || html[after] == '>')) {
          token = PlainToken{};
          token.start = i;
          token.endTag = true;
          token.name = textOf;
          i = after;
          state = State::kTagName;
        } else {
          ++i;
        }
        break;
      }
    }
  }
  reading.endsInText = state == State::kData;
  return reading;
}

// An attribute value as the browser reads it: numeric character references and those
// named references that give ASCII characters an address needs decoded; any character
// outside ASCII stands as 0x80.
inline std::string PlainDecode(std::string_view value) {
  std::string decoded;
  std::size_t i = 0;
  const auto digit = [](char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = PlainLowerCase(c);
    return hex && lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
  };
  while (i < value.size()) {
    if (value.substr(i, 2) == "&#") {
      std::size_t j = i + 2;
      const bool hex = j < value.size() && PlainLowerCase(value[j]) == 'x';
      if (hex) ++j;
      std::uint64_t code = 0;
      std::size_t k = j;
      for (; k < value.size() && digit(value[k], hex) >= 0; ++k) {
        code = std::min<std::uint64_t>(code * (hex ? 16 : 10) + digit(value[k], hex), 0x110000);
      }
      if (k > j) {
        decoded += code >= 1 && code < 0x80 ? static_cast<char>(code) : '\x80';
        i = k < value.size() && value[k] == ';' ? k + 1 : k;
        continue;
      }
    }
    bool named = false;
    for (const auto& [reference, character] : {std::pair<std::string_view, char>{"&colon;", ':'},
                                               {"&Tab;", '\t'},
                                               {"&NewLine;", '\n'}}) {
      if (!named && value.substr(i, reference.size()) == reference) {
        decoded += character;
        i += reference.size();
        named = true;
      }
    }
    if (!named) {
      const char c = value[i++];
      decoded += static_cast<unsigned char>(c) < 0x80 ? c : '\x80';
    }
  }
  return decoded;
}

// Whether following the attribute runs script: a `javascript:` or `vbscript:` address in
// a link, source or form action, or a `data:` one in a link or form action.
inline bool PlainRunsScript(const PlainAttribute& attribute) {
  if (!PlainIsOneOf(attribute.name, {"href", "src", "action"})) return false;
  std::string address;
  for (const char c : PlainDecode(attribute.value)) {
    if (c != '\t' && c != '\n' && c != '\r' && c != '\0') address += PlainLowerCase(c);
  }
  // Blanks and control characters before it are left out.
  address.erase(address.begin(), std::find_if(address.begin(), address.end(), [](char c) {
                  return static_cast<unsigned char>(c) > ' ';
                }));
  return address.starts_with("javascript:") || address.starts_with("vbscript:") ||
         (attribute.name != "src" && address.starts_with("data:"));
}

// Whether a reading holds nothing a browser would run: no script, frame, object, embed,
// applet, meta, base, link, form, SVG, MathML or plaintext start tag, no event attribute,
// no script address; and the text ends outside any tag, comment or text element.
inline bool PlainInactive(const PlainReading& reading) {
  if (!reading.endsInText) return false;
  for (const PlainToken& token : reading.tokens) {
    if (token.comment || token.endTag) continue;
    if (PlainIsOneOf(token.name, {"script", "iframe", "frame", "object", "embed", "applet", "meta",
                                  "base", "link", "form", "svg", "math", "plaintext"})) {
      return false;
    }
    for (const PlainAttribute& attribute : token.attributes) {
      if (attribute.name.size() > 2 && attribute.name.starts_with("on")) return false;
      if (PlainRunsScript(attribute)) return false;
    }
  }
  return true;
}

// Whether two readings find the same tags and comments at the same places.
inline bool PlainSameTokens(const PlainReading& a, const PlainReading& b) {
  return std::equal(a.tokens.begin(), a.tokens.end(), b.tokens.begin(), b.tokens.end(),
                    [](const PlainToken& x, const PlainToken& y) {
                      return x.start == y.start && x.end == y.end;
                    });
}

}  // namespace lotwise::fuzz
