#include "sample-marketplace/query.h"

#include <algorithm>
#include <cctype>

namespace lotwise::sample {
namespace {

constexpr std::string_view kExclusionStart = "+-(";

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool Contains(const std::vector<std::string>& words, const std::string& word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

bool HasPhrase(const std::vector<std::string>& text, const std::vector<std::string>& phrase) {
  return std::search(text.begin(), text.end(), phrase.begin(), phrase.end()) != text.end();
}

bool WordsMatch(const Item& item, const SearchFilter& filter) {
  const WordQuery& query = filter.query;
  const auto has = [&](const std::string& word) { return HasWord(item, word, filter.description); };
  switch (query.mode) {
    case WordMode::kAll:
      return std::all_of(query.words.begin(), query.words.end(), has);
    case WordMode::kAny:
      return std::any_of(query.words.begin(), query.words.end(), has);
    case WordMode::kPhrase:
      return HasPhrase(item.titleWords, query.words) ||
             (filter.description && HasPhrase(item.descriptionWords, query.words));
  }
  return false;
}

}  // namespace

bool HasWord(const Item& item, const std::string& word, bool description) {
  return Contains(item.titleWords, word) || (description && Contains(item.descriptionWords, word));
}

std::vector<std::string> SplitWords(std::string_view text, char separator) {
  std::vector<std::string> words;
  while (true) {
    const auto end = text.find(separator);
    const std::string_view piece = text.substr(0, end);
    if (!piece.empty()) words.push_back(Lower(piece));
    if (end == std::string_view::npos) return words;
    text.remove_prefix(end + 1);
  }
}

WordQuery ParseWordQuery(std::string_view text) {
  WordQuery query;
  std::string_view rest;
  if (!text.empty() && (text.front() == '"' || text.front() == '(')) {
    const bool phrase = text.front() == '"';
    const auto close = text.find(phrase ? '"' : ')', 1);
    const std::string_view inside = text.substr(1, close == text.npos ? text.npos : close - 1);
    query.mode = phrase ? WordMode::kPhrase : WordMode::kAny;
    query.words = SplitWords(inside, phrase ? '+' : ',');
    rest = close == text.npos ? std::string_view() : text.substr(close + 1);
  } else {
    const auto exclusion = text.find(kExclusionStart);
    query.words = SplitWords(text.substr(0, exclusion), '+');
    rest = exclusion == text.npos ? std::string_view() : text.substr(exclusion);
  }
  if (rest.substr(0, kExclusionStart.size()) == kExclusionStart) {
    rest.remove_prefix(kExclusionStart.size());
    query.excluded = SplitWords(rest.substr(0, rest.find(')')), ',');
  }
  return query;
}

std::optional<int> ParsePrice(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '$') text.remove_prefix(1);
  long dollars = 0;
  int cents = 0;
  int centDigits = -1;  // -1 until the decimal point
  bool digits = false;
  for (const char c : text) {
    if (c == '.' && centDigits < 0) {
      centDigits = 0;
    } else if (c >= '0' && c <= '9' && centDigits < 0) {
      dollars = dollars * 10 + (c - '0');
      digits = true;
      if (dollars > 10'000'000) return std::nullopt;
    } else if (c >= '0' && c <= '9' && centDigits < 2) {
      cents = cents * 10 + (c - '0');
      ++centDigits;
      digits = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  if (centDigits == 1) cents *= 10;
  return static_cast<int>(dollars) * 100 + cents;
}

bool Matches(const Item& item, const SearchFilter& filter) {
  if (item.ended != filter.ended) return false;
  if (filter.category && item.category != *filter.category) return false;
  if (filter.minCents && item.priceCents < *filter.minCents) return false;
  if (filter.maxCents && item.priceCents > *filter.maxCents) return false;
  for (const std::string& word : filter.query.excluded) {
    if (HasWord(item, word, filter.description)) return false;
  }
  return WordsMatch(item, filter);
}

}  // namespace lotwise::sample
