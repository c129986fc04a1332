#pragma once

#include <string>
#include <string_view>

#include "sample-marketplace/catalog.h"

namespace lotwise::sample {

// The start of a result table as each kind of page writes it.
enum class TableStart {
  kBrowse,        // <table width="100%" cellpadding=3 border=0 cellspacing=0 bgcolor=
  kKeywordFirst,  // <table width="100%" cellpadding="3" ...
  kOffset,        // <table width=100% cellpadding=3 border=0 cellspacing=0 bgcolor=
};

// One result table holding one item row. The row itself (its links and its bid cell)
// never holds a carriage return, so a reader that splits lines at CR keeps it whole;
// lone line feeds inside it are part of the line. `upperCase` writes the table's
// start and end tags in capitals, as some pages do for their first table.

// A category or featured row: bid cell `</TD><TD ALIGN=CENTER WIDTH="10%">` bid `<br>`
// (featured rows also end it with `<BR>`), item links `<a href="http://...">` or
// `<A HREF="http://...">`.
std::string BrowseTable(const Item& item, std::string_view host, bool featured, bool upperCase);

// A keyword-search row: bid cell
// `</td><td align="center" valign="top" width="10%"><font size="3">` bid `<br>`,
// item links with "&amp;" between their parameters.
std::string KeywordTable(const Item& item, std::string_view host, TableStart start, bool upperCase);

// A completed-items row: bid cell `</td><td align=center valign=top width=10%><font size=3>`
// bid `<BR><img` (letter case varies).
std::string CompletedTable(const Item& item, std::string_view host, bool upperCase);

}  // namespace lotwise::sample
