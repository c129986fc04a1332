#include "report/write_report.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "collect/fetch.h"
#include "report/csv.h"
#include "report/report_file.h"
#include "report/run_history.h"
#include "search/minimum_bids.h"

namespace lotwise {

void WriteReport(SearchContext& search, const RowKind& rows) {
  if (search.state.StopRequested == 1) return;
  SearchSummary& summary = search.summary;
  search.controls.ShowStatus("Finding Bid amounts.......");
  const std::optional<int> highest = rows.Highest(search, summary);
  if (!highest) {
    search.controls.EndWithMessage(NoResultsMessage(search));
    return;
  }
  search.controls.ShowStatus("Creating Output.......");
  RunHistory history(search);
  {
    ReportFile report(search.report);
    ReportFile csv(search.csv);
    csv.Write(CsvBeginning());
    ReportFiles files{report, csv, history.Kept()};
    const std::int16_t minimum = MinimumBidCount(search.controls.MinimumBidsTyped());
    summary.minimumBids = minimum;
    // Unreadable cells count 0: they are left out only above a minimum of 0.
    if (minimum <= 0) summary.unreadableLeftOut = 0;
    // No row reaches the minimum: the page and the CSV hold none.
    const int highestWritten = *highest >= minimum ? *highest : minimum - 1;
    summary.reportRows = static_cast<long long>(rows.Write(search, highestWritten, minimum, files));
    csv.Commit();
    report.Commit();
  }
  // Recorded once report and CSV stand, so that the history never holds a run whose
  // report was not written.
  history.Record(summary.minimumBids);
  search.platform.ShellOpen(search.report.string(), "0", "0");
  summary.end = search.state.SeeIncomplete == 1 ? SearchEnd::kCutShort : SearchEnd::kFinished;
  search.controls.ShowFinished();
  history.ShowWhenOff();
  std::error_code ignored;
  std::filesystem::remove(search.pageFile, ignored);
}

}  // namespace lotwise
