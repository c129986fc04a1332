#include <array>
#include <utility>
#include <vector>

#include "collect/site_values.h"

namespace lotwise {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::int64_t kMostSeconds = 10000000000;  // past any auction's end

// Seconds of the unit a word names, or 0.
std::int64_t UnitSeconds(std::string_view word) {
  constexpr std::int64_t kMinute = 60, kHour = 3600, kDay = 86400;
  if (word.starts_with("Std") || word.starts_with("std")) return kHour;
  static constexpr std::pair<std::string_view, std::int64_t> kKanji[] = {
      {"\xE6\x97\xA5", kDay},     // 日
      {"\xE6\x99\x82", kHour},    // 時
      {"\xE5\x88\x86", kMinute},  // 分
      {"\xE7\xA7\x92", 1}};       // 秒
  for (const auto& [kanji, seconds] : kKanji) {
    if (word.starts_with(kanji)) return seconds;
  }
  if (word.empty()) return 0;
  switch (word.front()) {
    case 'd':
    case 'D':
    case 'T':
    case 'g':
    case 'j':
      return kDay;
    case 'h':
    case 'H':
      return kHour;
    case 'm':
    case 'M':
      return kMinute;
    case 's':
    case 'S':
      return 1;
    default:
      return 0;
  }
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The month a word names (1 to 12), or 0: English, German, Spanish, French and Italian
// names and abbreviations as the site's sold captions write them.
int MonthOf(std::string_view word) {
  static constexpr std::pair<std::string_view, int> kMonths[] = {{"jan", 1},
                                                                 {"feb", 2},
                                                                 {"mar", 3},
                                                                 {"apr", 4},
                                                                 {"may", 5},
                                                                 {"jun", 6},
                                                                 {"jul", 7},
                                                                 {"aug", 8},
                                                                 {"sep", 9},
                                                                 {"sept", 9},
                                                                 {"oct", 10},
                                                                 {"nov", 11},
                                                                 {"dec", 12},
                                                                 {"m\xC3\xA4r", 3},
                                                                 {"mrz", 3},
                                                                 {"mai", 5},
                                                                 {"okt", 10},
                                                                 {"dez", 12},
                                                                 {"ene", 1},
                                                                 {"abr", 4},
                                                                 {"ago", 8},
                                                                 {"set", 9},
                                                                 {"dic", 12},
                                                                 {"janv", 1},
                                                                 {"f\xC3\xA9vr", 2},
                                                                 {"f\xC3\xA9v", 2},
                                                                 {"mars", 3},
                                                                 {"avr", 4},
                                                                 {"juin", 6},
                                                                 {"juil", 7},
                                                                 {"ao\xC3\xBBt", 8},
                                                                 {"d\xC3\xA9"
                                                                  "c",
                                                                  12},
                                                                 {"gen", 1},
                                                                 {"mag", 5},
                                                                 {"giu", 6},
                                                                 {"lug", 7},
                                                                 {"ott", 10}};
  for (const auto& [name, month] : kMonths) {
    if (name.size() != word.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) same = LowerAscii(word[i]) == name[i];
    if (same) return month;
  }
  return 0;
}

bool AllDigits(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

std::string Padded(std::int64_t value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

}  // namespace

std::optional<std::int64_t> ReadTimeLeft(std::string_view text) {
  std::int64_t total = 0;
  bool counted = false;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsDigit(text[i])) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    std::int64_t number = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (i - start < 7) number = number * 10 + (text[i] - '0');
    }
    if (i - start > 6) continue;
    std::size_t wordStart = i < text.size() && text[i] == ' ' ? i + 1 : i;
    std::size_t wordEnd = wordStart;
    while (wordEnd < text.size() && text[wordEnd] != ' ' && !IsDigit(text[wordEnd])) ++wordEnd;
    const std::int64_t unit = UnitSeconds(text.substr(wordStart, wordEnd - wordStart));
    if (unit == 0) continue;
    counted = true;
    total += number * unit;
    if (total > kMostSeconds) total = kMostSeconds;
  }
  if (!counted) return std::nullopt;
  return total;
}

std::string ReadSoldDate(std::string_view text) {
  int month = 0;
  std::string_view day, year;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = text.find(' ', i);
    if (end == std::string_view::npos) end = text.size();
    std::string_view word = text.substr(i, end - i);
    i = end + 1;
    while (!word.empty() && (word.back() == ',' || word.back() == '.')) word.remove_suffix(1);
    if (month == 0 && MonthOf(word) != 0) {
      month = MonthOf(word);
    } else if (day.empty() && AllDigits(word) && word.size() <= 2) {
      const int value = word.size() == 1 ? word[0] - '0' : (word[0] - '0') * 10 + word[1] - '0';
      if (value >= 1 && value <= 31) day = word;
    } else if (year.empty() && AllDigits(word) && word.size() == 4) {
      year = word;
    }
  }
  if (month == 0 || day.empty() || year.empty()) return {};
  return std::string(year) + "-" + Padded(month, 2) + "-" + (day.size() == 1 ? "0" : "") +
         std::string(day);
}

}  // namespace lotwise
