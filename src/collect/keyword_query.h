#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// The text with every blank replaced by "+".
std::string AddPlus(std::string_view Terms);

// The query expression for the words and excluded words; `mode` is the position of
// the word-combining list: 0 all words, 1 any word, 2 exact phrase, other none.
std::string MakeQuery(std::string_view Search, std::string_view Excluded, int mode);

}  // namespace lotwise
