#pragma once

#include <string>
#include <string_view>

#include "app/config.h"

namespace lotwise {

// The report row of one line of a keyword page file: every double-quoted link that
// holds "item=" followed later by "&amp;c" becomes the item-page redirect link of the
// text between them and opens in a new window; other links stay as they are. After a
// link the search goes on from the position just after its old closing quote, counted
// in the line as it now stands. With StopRequested other than 0 the line is unchanged.
std::string SwitchUrl(std::string_view eachline, const Config& config, int StopRequested = 0);

// The item-page redirect link for an item number, which is appended unchanged.
std::string CreateHyperlink(std::string_view ItemNo, const Config& config);

}  // namespace lotwise
