#pragma once

#include <string_view>

namespace lotwise {

// The markers Lotwise reads in the marketplace's classic listing and search pages.

// Table starts: the offset kinds (keyword and completed-items pages), the browse kinds
// (category and featured listings) and the first page of a keyword search.
inline constexpr std::string_view kOffsetTableStart =
    "<table width=100% cellpadding=3 border=0 cellspacing=0 bgcolor=";
inline constexpr std::string_view kBrowseTableStart =
    "<table width=\"100%\" cellpadding=3 border=0 cellspacing=0 bgcolor=";
inline constexpr std::string_view kFirstKeywordTableStart =
    "<table width=\"100%\" cellpadding=\"3\"";
inline constexpr std::string_view kTableEnd = "</table>";

// The page count of a category or featured index page.
inline constexpr std::string_view kCountStart = "of <b>";
inline constexpr std::string_view kCountEnd = "</b></font>";

// The totals of the first keyword and completed-items pages.
inline constexpr std::string_view kKeywordTotalStart = "var searchResultTotal = \"";
inline constexpr std::string_view kKeywordTotalEnd = "\";";
inline constexpr std::string_view kCompletedTotalStart =
    "<tr><td><font size=2 face=\"Arial, Helvetica, sans-serif\"><b>";
inline constexpr std::string_view kCompletedTotalEnd = "</b>";

}  // namespace lotwise
