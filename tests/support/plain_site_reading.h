#pragma once

// The reading of a result page of the marketplace's site done plainly, for tests and fuzz
// targets to hold ReadSitePage against. It follows the same rules (see site_page.h,
// markup.h and site_values.h) but shares none of its code, and reads the other way
// round: it first cuts the whole page into a list of tokens (text, and tags with their
// attributes read one by one) with std::string searches, then finds the cards by looking
// for the <li> tags among them, and for every card and every field looks through the
// card's tokens again from its start: the field's first element, where that element ends,
// which text lies inside it and not inside a hidden element. Its numbers are read with
// std::string functions and std::stoll, its dates with std::chrono. It copies freely and
// rescans each card once per field, with no concern for speed.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "collect/site_page.h"

namespace lotwise::testing {

namespace plain {

inline const std::string kBlanks = " \t\n\r\f";

inline std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

inline bool Letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool Digit(char c) { return c >= '0' && c <= '9'; }

struct Token {
  enum class Kind { kText, kStart, kEnd };
  Kind kind = Kind::kText;
  std::string name;                                             // in lower case
  std::vector<std::pair<std::string, std::string>> attributes;  // names in lower case, raw values
  std::string text;                                             // raw
};

// The tokens of the page, up to where a tag, value, comment or script runs off its end.
inline std::vector<Token> Tokens(const std::string& page) {
  std::vector<Token> tokens;
  const std::string lower = Lower(page);
  std::string text;
  const auto flush = [&] {
    if (!text.empty()) tokens.push_back({Token::Kind::kText, {}, {}, text});
    text.clear();
  };
  std::size_t i = 0;
  while (i < page.size()) {
    const std::size_t lt = page.find('<', i);
    if (lt == std::string::npos) {
      text += page.substr(i);
      break;
    }
    text += page.substr(i, lt - i);
    if (page.compare(lt, 4, "<!--") == 0) {
      flush();
      const std::size_t end = page.find("-->", lt + 4);
      if (end == std::string::npos) return tokens;
      i = end + 3;
      continue;
    }
    if (lt + 1 < page.size() && (page[lt + 1] == '!' || page[lt + 1] == '?')) {
      flush();
      const std::size_t end = page.find('>', lt + 2);
      if (end == std::string::npos) return tokens;
      i = end + 1;
      continue;
    }
    const bool isEnd = lt + 2 < page.size() && page[lt + 1] == '/' && Letter(page[lt + 2]);
    const bool isStart = lt + 1 < page.size() && Letter(page[lt + 1]);
    if (!isEnd && !isStart) {
      text += '<';
      i = lt + 1;
      continue;
    }
    flush();
    Token tag;
    tag.kind = isEnd ? Token::Kind::kEnd : Token::Kind::kStart;
    const std::size_t nameStart = lt + (isEnd ? 2 : 1);
    std::size_t k = page.find_first_of(kBlanks + "/>", nameStart);
    if (k == std::string::npos) return tokens;
    tag.name = Lower(page.substr(nameStart, k - nameStart));
    for (;;) {
      k = page.find_first_not_of(kBlanks + "/", k);
      if (k == std::string::npos) return tokens;
      if (page[k] == '>') break;
      const std::size_t nameEnd = page.find_first_of(kBlanks + "/>=", k + 1);
      if (nameEnd == std::string::npos) return tokens;
      std::string name = Lower(page.substr(k, nameEnd - k));
      std::string value;
      std::size_t r = page.find_first_not_of(kBlanks, nameEnd);
      if (r == std::string::npos) return tokens;
      if (page[r] == '=') {
        r = page.find_first_not_of(kBlanks, r + 1);
        if (r == std::string::npos) return tokens;
        if (page[r] == '"' || page[r] == '\'') {
          const std::size_t close = page.find(page[r], r + 1);
          if (close == std::string::npos) return tokens;
          value = page.substr(r + 1, close - r - 1);
          k = close + 1;
        } else {
          const std::size_t close = page.find_first_of(kBlanks + ">", r);
          if (close == std::string::npos) return tokens;
          value = page.substr(r, close - r);
          k = close;
        }
      } else {
        k = r;
      }
      tag.attributes.emplace_back(name, value);
    }
    i = k + 1;
    const std::string name = tag.name;
    const bool isStartTag = tag.kind == Token::Kind::kStart;
    tokens.push_back(std::move(tag));
    if (isStartTag && (name == "script" || name == "style")) {
      const std::size_t end = lower.find("</" + name, i);
      if (end == std::string::npos) return tokens;
      i = end;
    }
  }
  flush();
  return tokens;
}

inline std::string Decoded(const std::string& text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '&') {
      out += text[i++];
      continue;
    }
    long long code = -1;
    std::size_t length = 0;
    const std::pair<const char*, long long> named[] = {
        {"&amp;", 38}, {"&lt;", 60}, {"&gt;", 62}, {"&quot;", 34}, {"&apos;", 39}, {"&nbsp;", 160}};
    for (const auto& [name, value] : named) {
      if (text.compare(i, std::string(name).size(), name) == 0) {
        code = value;
        length = std::string(name).size();
      }
    }
    if (code < 0 && text.compare(i, 2, "&#") == 0) {
      const bool hex = i + 2 < text.size() && (text[i + 2] == 'x' || text[i + 2] == 'X');
      const std::size_t first = i + (hex ? 3 : 2);
      std::size_t end = first;
      const std::string digits = hex ? "0123456789abcdefABCDEF" : "0123456789";
      while (end < text.size() && end - first < 8 && digits.find(text[end]) != std::string::npos) {
        ++end;
      }
      if (end > first && end < text.size() && text[end] == ';') {
        const long long value = std::stoll(text.substr(first, end - first), nullptr, hex ? 16 : 10);
        if (value > 0 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF)) {
          code = value;
          length = end + 1 - i;
        }
      }
    }
    if (code < 0) {
      out += text[i++];
      continue;
    }
    const auto u = static_cast<unsigned long long>(code);
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (u >> 18));
      out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
    i += length;
  }
  return out;
}

inline std::string Folded(std::string text) {
  for (std::size_t at = text.find("\xC2\xA0"); at != std::string::npos;
       at = text.find("\xC2\xA0", at + 1)) {
    text.replace(at, 2, " ");
  }
  std::string out;
  std::size_t i = text.find_first_not_of(kBlanks);
  while (i != std::string::npos) {
    const std::size_t end = text.find_first_of(kBlanks, i);
    if (!out.empty()) out += ' ';
    out += text.substr(i, end == std::string::npos ? std::string::npos : end - i);
    i = end == std::string::npos ? end : text.find_first_not_of(kBlanks, end);
  }
  return out;
}

inline std::optional<std::string> Attribute(const Token& tag, const std::string& name) {
  for (const auto& [attribute, value] : tag.attributes) {
    if (attribute == name) return Decoded(value);
  }
  return std::nullopt;
}

inline bool HasClass(const Token& tag, const std::string& wanted) {
  if (tag.kind != Token::Kind::kStart) return false;
  const std::string classes = Attribute(tag, "class").value_or("");
  std::size_t i = classes.find_first_not_of(kBlanks);
  while (i != std::string::npos) {
    const std::size_t end = classes.find_first_of(kBlanks, i);
    if (classes.substr(i, end == std::string::npos ? std::string::npos : end - i) == wanted) {
      return true;
    }
    i = end == std::string::npos ? end : classes.find_first_not_of(kBlanks, end);
  }
  return false;
}

inline bool IsVoid(const std::string& name) {
  for (const char* element : {"area", "base", "br", "col", "embed", "hr", "img", "input", "link",
                              "meta", "source", "track", "wbr", "param"}) {
    if (name == element) return true;
  }
  return false;
}

inline bool IsCard(const Token& tag) {
  return tag.kind == Token::Kind::kStart && tag.name == "li" &&
         (HasClass(tag, "s-item") || HasClass(tag, "s-card"));
}

// Where the element that starts at `start` ends: the index of the end tag that closes it,
// or `stop`.
inline std::size_t ElementEnd(const std::vector<Token>& tokens, std::size_t start,
                              std::size_t stop) {
  int depth = 1;
  for (std::size_t t = start + 1; t < stop; ++t) {
    if (tokens[t].name != tokens[start].name) continue;
    if (tokens[t].kind == Token::Kind::kStart) ++depth;
    if (tokens[t].kind == Token::Kind::kEnd && --depth == 0) return t;
  }
  return stop;
}

// For each token of the card (start, stop), whether it lies in an element of one of
// `classes`: the outermost one, while it is open.
inline std::vector<bool> Inside(const std::vector<Token>& tokens, std::size_t start,
                                std::size_t stop, const std::vector<std::string>& classes) {
  std::vector<bool> inside(tokens.size(), false);
  std::size_t t = start + 1;
  while (t < stop) {
    const Token& tag = tokens[t];
    bool opens = tag.kind == Token::Kind::kStart && !IsVoid(tag.name);
    bool any = false;
    for (const std::string& name : classes) any = any || HasClass(tag, name);
    if (!(opens && any)) {
      ++t;
      continue;
    }
    const std::size_t end = ElementEnd(tokens, t, stop);
    for (std::size_t u = t + 1; u < end; ++u) inside[u] = true;
    t = end;
  }
  return inside;
}

// The decoded text of the card's first element of `classes`, hidden text left out.
inline std::string FieldText(const std::vector<Token>& tokens, std::size_t start, std::size_t stop,
                             const std::vector<std::string>& classes,
                             const std::vector<bool>& hidden) {
  for (std::size_t t = start + 1; t < stop; ++t) {
    if (tokens[t].kind != Token::Kind::kStart || IsVoid(tokens[t].name)) continue;
    bool match = false;
    for (const std::string& name : classes) match = match || HasClass(tokens[t], name);
    if (!match) continue;
    std::string text;
    const std::size_t end = ElementEnd(tokens, t, stop);
    for (std::size_t u = t + 1; u < end; ++u) {
      if (tokens[u].kind == Token::Kind::kText && !hidden[u]) text += Decoded(tokens[u].text);
    }
    return text;
  }
  return {};
}

inline std::string ItemNumber(const std::string& address) {
  const std::size_t itm = address.find("/itm/");
  if (itm == std::string::npos) return {};
  std::string path = address.substr(itm + 5);
  path = path.substr(0, path.find_first_of("?#"));
  const std::size_t slash = path.rfind('/');
  if (slash != std::string::npos) path = path.substr(slash + 1);
  if (path.empty() || path.find_first_not_of("0123456789") != std::string::npos) return {};
  return path;
}

inline std::string Currency(const std::string& sign, const std::string& site) {
  if (sign == "$") {
    for (const char* dollar : {"USD", "CAD", "AUD", "NZD", "SGD", "HKD"}) {
      if (site == dollar) return site;
    }
    return "USD";
  }
  const std::pair<const char*, const char*> signs[] = {
      {"US$", "USD"}, {"C$", "CAD"},  {"CA$", "CAD"}, {"AU$", "AUD"}, {"A$", "AUD"}, {"NZ$", "NZD"},
      {"S$", "SGD"},  {"HK$", "HKD"}, {"£", "GBP"},   {"€", "EUR"},   {"¥", "JPY"},  {"円", "JPY"},
      {"￥", "JPY"},  {"S/.", "PEN"}, {"R$", "BRL"},  {"zł", "PLN"},  {"₹", "INR"}};
  for (const auto& [known, code] : signs) {
    if (sign == known) return code;
  }
  if (sign.size() == 3 &&
      sign.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos) {
    return sign;
  }
  return site;
}

inline void Price(const std::string& text, const std::string& site, ListedItem& item) {
  const std::size_t first = text.find_first_of("0123456789");
  if (first == std::string::npos) return;
  // The number with its separators: digits, and "," or "." with a digit after them.
  std::size_t end = first;
  while (end < text.size() &&
         (Digit(text[end]) || ((text[end] == ',' || text[end] == '.') && end + 1 < text.size() &&
                               Digit(text[end + 1])))) {
    ++end;
  }
  const std::string number = text.substr(first, end - first);
  const std::size_t last = number.find_last_of(",.");
  std::string digits;
  for (char c : number) {
    if (Digit(c)) digits += c;
  }
  if (last != std::string::npos && number.size() - last - 1 <= 2) {
    const std::size_t decimals = number.size() - last - 1;
    item.price =
        digits.substr(0, digits.size() - decimals) + "." + digits.substr(digits.size() - decimals);
  } else {
    item.price = digits;
  }
  std::string sign;
  for (char c : text.substr(0, first)) {
    if (c != ' ') sign += c;
  }
  if (sign.empty()) {
    std::string after = text.substr(end);
    if (!after.empty() && after[0] == ' ') after.erase(0, 1);
    sign = after.substr(0, after.find(' '));
  }
  item.currency = Currency(sign, site);
}

inline std::optional<int> Bids(const std::string& text) {
  std::size_t end = 0;
  while (end < text.size() &&
         (Digit(text[end]) || (end > 0 && (text[end] == ',' || text[end] == '.') &&
                               end + 1 < text.size() && Digit(text[end + 1])))) {
    ++end;
  }
  if (end == 0) return std::nullopt;
  std::string word = text.substr(end);
  if (!word.empty() && word[0] == ' ') word.erase(0, 1);
  bool known = false;
  for (const char* bid :
       {"bid", "bids", "Gebot", "Gebote", "enchère", "enchères", "offerta", "offerte", "puja",
        "pujas", "oferta de subasta", "ofertas de subasta", "件の入札"}) {
    known = known || word == bid;
  }
  if (!known) return std::nullopt;
  std::string digits;
  for (char c : text.substr(0, end)) {
    if (Digit(c)) digits += c;
  }
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
  if (digits.size() > 10 || std::stoll(digits) > 2147483647LL) return std::nullopt;
  return static_cast<int>(std::stoll(digits));
}

inline std::optional<long long> TimeLeft(const std::string& text) {
  long long total = 0;
  bool counted = false;
  std::size_t i = text.find_first_of("0123456789");
  while (i != std::string::npos) {
    const std::size_t end = std::min(text.find_first_not_of("0123456789", i), text.size());
    const std::string digits = text.substr(i, end - i);
    std::size_t wordStart = end;
    if (wordStart < text.size() && text[wordStart] == ' ') ++wordStart;
    const std::size_t wordEnd = std::min(text.find_first_of(" 0123456789", wordStart), text.size());
    const std::string word = text.substr(wordStart, wordEnd - wordStart);
    long long unit = 0;
    if (word.rfind("Std", 0) == 0 || word.rfind("std", 0) == 0 || word.rfind("時", 0) == 0) {
      unit = 3600;
    } else if (word.rfind("日", 0) == 0) {
      unit = 86400;
    } else if (word.rfind("分", 0) == 0) {
      unit = 60;
    } else if (word.rfind("秒", 0) == 0) {
      unit = 1;
    } else if (!word.empty() && std::string("dDTgj").find(word[0]) != std::string::npos) {
      unit = 86400;
    } else if (!word.empty() && (word[0] == 'h' || word[0] == 'H')) {
      unit = 3600;
    } else if (!word.empty() && (word[0] == 'm' || word[0] == 'M')) {
      unit = 60;
    } else if (!word.empty() && (word[0] == 's' || word[0] == 'S')) {
      unit = 1;
    }
    if (digits.size() <= 6 && unit > 0) {
      counted = true;
      total = std::min(total + std::stoll(digits) * unit, 10000000000LL);
    }
    i = text.find_first_of("0123456789", end);
  }
  if (!counted) return std::nullopt;
  return total;
}

inline std::string SoldDate(const std::string& text) {
  const std::pair<const char*, int> months[] = {
      {"jan", 1},  {"feb", 2},  {"mar", 3},  {"apr", 4},  {"may", 5},  {"jun", 6},  {"jul", 7},
      {"aug", 8},  {"sep", 9},  {"sept", 9}, {"oct", 10}, {"nov", 11}, {"dec", 12}, {"mär", 3},
      {"mrz", 3},  {"mai", 5},  {"okt", 10}, {"dez", 12}, {"ene", 1},  {"abr", 4},  {"ago", 8},
      {"set", 9},  {"dic", 12}, {"janv", 1}, {"févr", 2}, {"fév", 2},  {"mars", 3}, {"avr", 4},
      {"juin", 6}, {"juil", 7}, {"août", 8}, {"déc", 12}, {"gen", 1},  {"mag", 5},  {"giu", 6},
      {"lug", 7},  {"ott", 10}};
  int month = 0;
  std::string day, year;
  std::size_t i = 0;
  while (i <= text.size()) {
    std::size_t end = text.find(' ', i);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(i, end - i);
    i = end + 1;
    const std::size_t keep = word.find_last_not_of(",.");
    word = keep == std::string::npos ? std::string() : word.substr(0, keep + 1);
    int named = 0;
    for (const auto& [name, number] : months) {
      if (Lower(word) == name) named = number;
    }
    const bool digits = !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
    if (month == 0 && named != 0) {
      month = named;
    } else if (day.empty() && digits && word.size() <= 2 && std::stoi(word) >= 1 &&
               std::stoi(word) <= 31) {
      day = word.size() == 1 ? "0" + word : word;
    } else if (year.empty() && digits && word.size() == 4) {
      year = word;
    }
  }
  if (month == 0 || day.empty() || year.empty()) return {};
  return year + "-" + (month < 10 ? "0" : "") + std::to_string(month) + "-" + day;
}

inline std::string Timestamp(long long seconds) {
  using namespace std::chrono;
  const sys_seconds time{std::chrono::seconds(seconds)};
  const sys_days day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss<std::chrono::seconds> clock{time - day};
  const auto two = [](long long value) { return (value < 10 ? "0" : "") + std::to_string(value); };
  std::string y = std::to_string(static_cast<int>(date.year()));
  if (y.size() < 4) y.insert(0, 4 - y.size(), '0');
  return y + "-" + two(static_cast<unsigned>(date.month())) + "-" +
         two(static_cast<unsigned>(date.day())) + "T" + two(clock.hours().count()) + ":" +
         two(clock.minutes().count()) + ":" + two(clock.seconds().count()) + "Z";
}

}  // namespace plain

inline SitePage PlainSiteReading(const std::string& page, const SiteReading& reading) {
  using plain::Token;
  const std::vector<Token> tokens = plain::Tokens(page);
  SitePage read;
  std::size_t divider = tokens.size();
  for (std::size_t t = 0; t < tokens.size(); ++t) {
    const Token& tag = tokens[t];
    if (plain::HasClass(tag, "srp-river-answer--REWRITE_START") && divider == tokens.size()) {
      divider = t;
    }
    if (plain::HasClass(tag, "pagination__next") && !plain::Attribute(tag, "disabled") &&
        plain::Lower(plain::Attribute(tag, "aria-disabled").value_or("")) != "true") {
      read.nextPage = true;
    }
  }
  for (std::size_t start = 0; start < tokens.size(); ++start) {
    if (!plain::IsCard(tokens[start])) continue;
    // The card runs to the end tag that closes its <li>, or to the next card.
    std::size_t stop = start + 1;
    for (int depth = 1; stop < tokens.size(); ++stop) {
      const Token& token = tokens[stop];
      if (plain::IsCard(token)) break;
      if (token.name != "li") continue;
      if (token.kind == Token::Kind::kStart) ++depth;
      if (token.kind == Token::Kind::kEnd && --depth == 0) break;
    }
    ListedItem item;
    bool picture = false;
    for (std::size_t t = start + 1; t < stop; ++t) {
      const Token& tag = tokens[t];
      if (tag.kind != Token::Kind::kStart) continue;
      if (item.legacyItemId.empty()) {
        item.legacyItemId = plain::ItemNumber(plain::Attribute(tag, "href").value_or(""));
      }
      if (tag.name == "img" && !picture) {
        picture = true;
        const std::string src = plain::Attribute(tag, "src").value_or("");
        std::string later = plain::Attribute(tag, "data-defer-load").value_or("");
        if (later.empty()) later = plain::Attribute(tag, "data-src").value_or("");
        const bool gif = src.size() >= 4 && plain::Lower(src.substr(src.size() - 4)) == ".gif";
        item.imageUrl = !src.empty() && !(gif && !later.empty()) ? src : later;
      }
    }
    if (item.legacyItemId.empty() || item.legacyItemId == "123456") continue;
    ++read.cards;
    if (start >= divider) continue;
    const std::vector<bool> hidden =
        plain::Inside(tokens, start, stop, {"clipped", "LIGHT_HIGHLIGHT"});
    const auto field = [&](const std::vector<std::string>& classes) {
      return plain::Folded(plain::FieldText(tokens, start, stop, classes, hidden));
    };
    item.itemWebUrl = reading.site + "/itm/" + item.legacyItemId;
    item.title = field({"s-card__title", "s-item__title"});
    plain::Price(field({"s-card__price", "s-item__price"}), reading.currency, item);
    const std::vector<bool> bidRows = plain::Inside(
        tokens, start, stop, {"s-card__attribute-row", "s-item__bidCount", "s-item__bids"});
    for (std::size_t t = start + 1; t < stop; ++t) {
      if (tokens[t].kind != Token::Kind::kText || !bidRows[t] || hidden[t]) continue;
      if (const auto bids = plain::Bids(plain::Folded(plain::Decoded(tokens[t].text)))) {
        item.bidCount = *bids;
        break;
      }
    }
    item.endDate = plain::SoldDate(field({"s-card__caption", "s-item__caption"}));
    if (item.endDate.empty()) {
      if (const auto left = plain::TimeLeft(field({"s-card__time-left", "s-item__time-left"}))) {
        item.endDate = plain::Timestamp(reading.arrivedAt + *left);
      }
    }
    read.items.push_back(item);
  }
  return read;
}

// What differs between two readings of a page, the first difference only; empty when
// they are the same.
inline std::string ReadingDifference(const SitePage& read, const SitePage& expected) {
  if (read.cards != expected.cards) {
    return "cards: " + std::to_string(read.cards) + " against " + std::to_string(expected.cards);
  }
  if (read.nextPage != expected.nextPage) return "nextPage differs";
  if (read.items.size() != expected.items.size()) {
    return "items: " + std::to_string(read.items.size()) + " against " +
           std::to_string(expected.items.size());
  }
  for (std::size_t i = 0; i < read.items.size(); ++i) {
    const ListedItem& a = read.items[i];
    const ListedItem& b = expected.items[i];
    const std::pair<const char*, std::pair<std::string, std::string>> fields[] = {
        {"itemId", {a.itemId, b.itemId}},
        {"legacyItemId", {a.legacyItemId, b.legacyItemId}},
        {"title", {a.title, b.title}},
        {"itemWebUrl", {a.itemWebUrl, b.itemWebUrl}},
        {"imageUrl", {a.imageUrl, b.imageUrl}},
        {"price", {a.price, b.price}},
        {"currency", {a.currency, b.currency}},
        {"bidCount", {std::to_string(a.bidCount), std::to_string(b.bidCount)}},
        {"endDate", {a.endDate, b.endDate}},
        {"auction", {a.auction ? "yes" : "no", b.auction ? "yes" : "no"}}};
    for (const auto& [name, values] : fields) {
      if (values.first != values.second) {
        return "item " + std::to_string(i) + " (" + b.legacyItemId + ") " + name + ": \"" +
               values.first + "\" against \"" + values.second + "\"";
      }
    }
  }
  return {};
}

}  // namespace lotwise::testing
