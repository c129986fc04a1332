#pragma once

#include <cstddef>
#include <string_view>

#include "search/search_context.h"

namespace lotwise {

// Table starts: the offset kinds (keyword and completed-items pages), the browse kinds
// (category and featured listings) and the first page of a keyword search.
inline constexpr std::string_view kOffsetTableStart =
    "<table width=100% cellpadding=3 border=0 cellspacing=0 bgcolor=";
inline constexpr std::string_view kBrowseTableStart =
    "<table width=\"100%\" cellpadding=3 border=0 cellspacing=0 bgcolor=";
inline constexpr std::string_view kFirstKeywordTableStart =
    "<table width=\"100%\" cellpadding=\"3\"";
inline constexpr std::string_view kTableEnd = "</table>";

enum class TableEnd { Kept, Dropped };

// Appends the result tables of `page` to the page file, from the table start at
// position `p` (found ignoring case) on; later starts must match case exactly. Each
// record runs to its "</table>", which it keeps or drops. The window handles input
// before each record is appended. Returns false when "See Incomplete Results" ended
// the collection. Throws CollectError for a table start with no "</table>" after it.
bool CutTables(SearchContext& search, std::string_view page, std::size_t p, std::string_view start,
               TableEnd end);

}  // namespace lotwise
