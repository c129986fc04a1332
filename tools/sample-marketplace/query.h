#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sample-marketplace/catalog.h"

namespace lotwise::sample {

enum class WordMode { kAll, kAny, kPhrase };

// The words of a search as its address carries them: "red+car" (all of them),
// "(red,car)" (any of them), "\"red+car\"" (the exact phrase), each optionally followed
// by "+-(blue,green)", words that must not occur.
struct WordQuery {
  WordMode mode = WordMode::kAll;
  std::vector<std::string> words;     // lower case, no empty words
  std::vector<std::string> excluded;  // lower case, no empty words
};

WordQuery ParseWordQuery(std::string_view text);

// The pieces of `text` between separators, lower-cased; empty pieces are dropped.
std::vector<std::string> SplitWords(std::string_view text, char separator);

// "12", "12.5", "$12.50" in cents; nullopt for an empty or unreadable price.
std::optional<int> ParsePrice(std::string_view text);

// What a search page lists: matching items of the right kind, by words, price range
// and category.
struct SearchFilter {
  WordQuery query;
  bool description = false;  // the words may also occur in the description
  bool ended = false;        // completed items instead of current ones
  std::optional<int> minCents;
  std::optional<int> maxCents;
  std::optional<int> category;  // -1 for a category text that is not a number
};

bool Matches(const Item& item, const SearchFilter& filter);

// Whether the item's title, or with `description` also its description, has the word
// (lower case).
bool HasWord(const Item& item, const std::string& word, bool description);

}  // namespace lotwise::sample
