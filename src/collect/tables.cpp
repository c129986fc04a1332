#include "collect/tables.h"

#include "collect/collect_error.h"
#include "collect/page_file.h"
#include "text/marker.h"

namespace lotwise {

bool CutTables(SearchContext& search, std::string_view page, std::size_t p, std::string_view start,
               TableEnd end) {
  static const Marker tableEnd(kTableEnd, Marker::Case::kIgnored);
  // Later table starts must match case exactly, the first one need not: kept on purpose.
  const Marker laterStart(start, Marker::Case::kExact);
  while (p > 0 && search.state.StopRequested == 0) {
    const std::size_t e = tableEnd.In(page, p + start.size());
    if (e == 0) throw CollectError("A result table has no end.");
    const std::size_t length = e - p + (end == TableEnd::Kept ? kTableEnd.size() : 0);
    search.platform.DoEvents();
    AppendRecord(search.pageFile, page.substr(p - 1, length));
    ++search.summary.recordsAppended;
    if (search.state.SeeIncomplete == 1) return false;
    p = laterStart.In(page, e + 1);
  }
  return true;
}

}  // namespace lotwise
