#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sample-marketplace/catalog.h"
#include "sample-marketplace/listing.h"

namespace lotwise::sample {

// Every page is a whole HTML text whose line breaks mix CR LF and lone LF. Item links
// and pictures point at `host`.

// A category or featured page: the page count as "of <b>" count "</b></font>" and one
// result table per item, the first one on some pages in capitals.
std::string BrowsePage(const Listing& listing, std::string_view host);

// A keyword-search page. The first page carries the total as
// `var searchResultTotal = "<n>";` and tables starting `<table width="100%" cellpadding="3"`;
// later pages use the offset table start. A search without words gets the refusal page.
std::string KeywordPage(const Listing& listing, std::string_view host);

// A completed-items page: the total as
// `<tr><td><font size=2 face="Arial, Helvetica, sans-serif"><b>` n `</b>` and tables with
// the offset table start.
std::string CompletedPage(const Listing& listing, std::string_view host);

// The overview of the top-level categories with the number of items in each.
std::string CategoriesPage(const std::vector<Item>& items);

// The page of one item.
std::string ItemPage(const Item& item, std::string_view host);

// The publisher's own page, where the report's banner leads: the banner and a few words
// about the program. Also the home page ("/"), which the program's website command opens.
std::string PublisherPage();

// A short page saying that nothing is found at `target`.
std::string NotFoundPage(std::string_view target);

}  // namespace lotwise::sample
