#include "sample/page_reader.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace sample_test {

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
  if (from > text.size()) return std::string_view::npos;
  const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                 needle.begin(), needle.end(), [](char a, char b) {
                                   return std::tolower(static_cast<unsigned char>(a)) ==
                                          std::tolower(static_cast<unsigned char>(b));
                                 });
  return found == text.end() ? std::string_view::npos
                             : static_cast<std::size_t>(found - text.begin());
}

std::vector<std::string> CutTables(std::string_view page, std::string_view start, bool keepEnd) {
  constexpr std::string_view kEnd = "</table>";
  std::vector<std::string> tables;
  std::size_t p = FindNoCase(page, start);
  while (p != std::string_view::npos) {
    const std::size_t e = FindNoCase(page, kEnd, p + start.size());
    if (e == std::string_view::npos) throw std::runtime_error("table without end");
    tables.emplace_back(page.substr(p, e - p + (keepEnd ? kEnd.size() : 0)));
    p = page.find(start, e + 1);
  }
  return tables;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      line += text[i];
      continue;
    }
    lines.push_back(line);
    line.clear();
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::optional<std::string> BidText(std::string_view line, std::string_view start,
                                   std::string_view end) {
  const std::size_t p = FindNoCase(line, start);
  if (p == std::string_view::npos) return std::nullopt;
  const std::size_t s = p + start.size();
  const std::size_t e = FindNoCase(line, end, s);
  if (e == std::string_view::npos) return std::nullopt;
  return std::string(line.substr(s, e - s));
}

int CountOf(const std::string& bidText) {
  // The digits outside tags: "7", "1250", "<b>12</b>"; none in "-".
  std::string digits;
  bool inTag = false;
  for (const char c : bidText) {
    if (c == '<') inTag = true;
    if (!inTag && c >= '0' && c <= '9') digits += c;
    if (c == '>') inTag = false;
  }
  return digits.empty() ? 0 : std::stoi(digits);
}

std::vector<std::int64_t> ItemNumbersIn(std::string_view line) {
  std::vector<std::int64_t> numbers;
  for (std::size_t p = line.find("item="); p != std::string_view::npos;
       p = line.find("item=", p + 1)) {
    numbers.push_back(std::stoll(std::string(line.substr(p + 5, 18))));
  }
  return numbers;
}

std::optional<std::string> LastBetween(std::string_view page, std::string_view start,
                                       std::string_view end) {
  std::optional<std::string> value;
  for (std::size_t s = FindNoCase(page, start); s != std::string_view::npos;) {
    const std::size_t e = FindNoCase(page, end, s + start.size());
    if (e == std::string_view::npos) throw std::runtime_error("count without end");
    value = std::string(page.substr(s + start.size(), e - s - start.size()));
    s = FindNoCase(page, start, e + 1);
  }
  return value;
}

std::optional<std::string> FirstBetween(std::string_view page, std::string_view start,
                                        std::string_view end) {
  const std::size_t s = FindNoCase(page, start);
  if (s == std::string_view::npos) return std::nullopt;
  const std::size_t e = FindNoCase(page, end, s + start.size());
  if (e == std::string_view::npos) throw std::runtime_error("total without end");
  return std::string(page.substr(s + start.size(), e - s - start.size()));
}

long long ReadNumber(const std::string& text) {
  std::string digits;
  for (const char c : text) {
    if (c == ',') continue;
    if (c < '0' || c > '9') throw std::runtime_error("not a number: " + text);
    digits += c;
  }
  if (digits.empty()) throw std::runtime_error("empty number");
  return std::stoll(digits);
}

}  // namespace sample_test
