#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/search_window.h"
#include "sample-marketplace/marketplace.h"

namespace lotwise::e2e {

// One of the searches a person can run, with inputs that match sample items over several
// pages, and the request targets of its first page and further pages.
struct SearchCase {
  std::string name;
  CommandButton SearchWindow::*command = nullptr;
  std::function<void(SearchWindow&)> fillIn;
  std::string first;       // the first page (category and featured: the index page)
  std::string nextPrefix;  // keyword and completed items: further pages are this + offset
  bool browse = false;     // category and featured: numbered pages
};

// Test names show the search's name.
inline void PrintTo(const SearchCase& c, std::ostream* out) { *out << c.name; }

const std::vector<SearchCase>& SearchCases();
const SearchCase& Case(const std::string& name);

// The targets a whole collection requests, in order: the first page twice (for its page
// count or total, then for its tables), then every further page.
std::vector<std::string> ExpectedRequests(const sample::Marketplace& market, const SearchCase& c);

// Item numbers of the rows in a page file or report, in order: every row shows its item
// number as "#<number></font>".
std::vector<std::int64_t> RowNumbers(const std::string& text);
std::vector<std::int64_t> Numbers(const std::vector<sample::Item>& items);

}  // namespace lotwise::e2e
