#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads sample pages by the rules the program's collection and extraction follow, kept
// apart from the generator so that a marker written wrongly shows up as a failure.
namespace sample_test {

inline constexpr std::string_view kBrowseTableStart =
    R"(<table width="100%" cellpadding=3 border=0 cellspacing=0 bgcolor=)";
inline constexpr std::string_view kOffsetTableStart =
    "<table width=100% cellpadding=3 border=0 cellspacing=0 bgcolor=";
inline constexpr std::string_view kKeywordFirstTableStart =
    R"(<table width="100%" cellpadding="3")";
inline constexpr std::string_view kBrowseBidStart = R"(</TD><TD ALIGN=CENTER WIDTH="10%">)";
inline constexpr std::string_view kKeywordBidStart =
    R"(</td><td align="center" valign="top" width="10%"><font size="3">)";
inline constexpr std::string_view kCompletedBidStart =
    "</td><td align=center valign=top width=10%><font size=3>";

// Position of `needle` in `text` at or after `from`, ignoring letter case; npos if none.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// The result tables of a page: the first start found in any letter case, later ones only
// as written; each table runs to its "</table>" (any case), which `keepEnd` keeps.
std::vector<std::string> CutTables(std::string_view page, std::string_view start, bool keepEnd);

// Lines as the page file is read: a line ends at CR or CR LF, a lone LF stays in it.
std::vector<std::string> SplitLines(std::string_view text);

// The bid text of the first bid cell of a line (start in any case, end in any case).
std::optional<std::string> BidText(std::string_view line, std::string_view start,
                                   std::string_view end);

// The count a bid text gives: its digits outside tags; none for "-".
int CountOf(const std::string& bidText);

// The numbers following "item=" in a line, in order.
std::vector<std::int64_t> ItemNumbersIn(std::string_view line);

// The text between the last `start` and the `end` after it (any case), as the page
// count is read; nullopt without `start`.
std::optional<std::string> LastBetween(std::string_view page, std::string_view start,
                                       std::string_view end);

// The text between the first `start` and the `end` after it (any case), as totals are
// read; nullopt without `start`.
std::optional<std::string> FirstBetween(std::string_view page, std::string_view start,
                                        std::string_view end);

// A number with optional "," grouping.
long long ReadNumber(const std::string& text);

}  // namespace sample_test
