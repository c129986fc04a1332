#pragma once

#include <cstddef>
#include <string_view>

#include "collect/page_markers.h"
#include "search/search_context.h"

namespace lotwise {

enum class TableEnd { Kept, Dropped };

// Appends the result tables of `page` to the page file, from the table start at
// position `p` (found ignoring case) on; later starts must match case exactly. Each
// record runs to its "</table>", which it keeps or drops. The window handles input
// before each record is appended. Returns false when "See Incomplete Results" ended
// the collection. Throws CollectError for a table start with no "</table>" after it.
bool CutTables(SearchContext& search, std::string_view page, std::size_t p, std::string_view start,
               TableEnd end);

}  // namespace lotwise
