#pragma once

#include <string>
#include <string_view>

#include "search/search_context.h"

namespace lotwise {

// The text with every blank replaced by "+".
std::string AddPlus(std::string_view Terms);

// The query expression for the words and excluded words; `mode` is the position of
// the word-combining list: 0 all words, 1 any word, 2 exact phrase, other none.
std::string MakeQuery(std::string_view Search, std::string_view Excluded, int mode);

// The first results address and the prefix of the further results addresses.
struct SearchAddresses {
  std::string first;
  std::string next;
};

// The keyword search's addresses for the inputs of the "Keyword" tab as they stand.
SearchAddresses KeywordAddresses(const SearchContext& search);

// Reads the "Keyword" tab, builds the search's addresses and has its result pages
// collected.
void RunKeywordSearch(SearchContext& search);

}  // namespace lotwise
