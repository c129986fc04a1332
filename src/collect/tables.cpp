#include "collect/tables.h"

#include "app/search_window.h"
#include "collect/collect_error.h"
#include "collect/page_file.h"
#include "text/position.h"

namespace lotwise {

bool CutTables(SearchWindow& window, std::string_view page, std::size_t p, std::string_view start,
               TableEnd end) {
  while (p > 0 && window.StopRequested == 0) {
    const std::size_t e = InStrCI(page, kTableEnd, p + start.size());
    if (e == 0) throw CollectError("A result table has no end.");
    const std::size_t length = e - p + (end == TableEnd::Kept ? kTableEnd.size() : 0);
    window.platform().DoEvents();
    AppendRecord(window.PageFilePath(), page.substr(p - 1, length));
    if (window.SeeIncomplete == 1) return false;
    p = InStr(page, start, e + 1);
  }
  return true;
}

}  // namespace lotwise
