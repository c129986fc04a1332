#include "report/report_writer.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/search_window.h"
#include "report/affiliate.h"
#include "report/grab_bid.h"
#include "report/minimum_bids.h"
#include "report/one_pass_writer.h"
#include "report/report_file.h"
#include "report/report_page.h"
#include "report/strip_bid.h"
#include "report/switch_url.h"

namespace lotwise {

void WriteResults(SearchWindow& window, std::int16_t highest, const BidCountOf& bidCount,
                  const RowTextOf& rowText) {
  if (window.StopRequested == 1) return;
  window.Label1.caption = "Creating Output.......";
  const std::filesystem::path reportPath = window.ReportPath();
  {
    ReportFile report(reportPath);
    report.Write(ReportBeginning(window.config()));
    const std::int16_t minimum = MinimumBidCount(window.txtBids.text);
    WriteRowsInOnePass(window.PageFilePath(), highest, minimum, bidCount, rowText, report);
    report.Write(kReportEnding);
    report.Commit();
  }
  window.platform().ShellOpen(reportPath.string(), "0", "0");
  window.Label1.caption = "Finished!!!";
  window.Command1.caption = "Begin New Search";
  std::error_code ignored;
  std::filesystem::remove(window.PageFilePath(), ignored);
}

void WriteListingResults(SearchWindow& window, std::int16_t highest) {
  WriteResults(
      window, highest,
      [&window](std::string_view line) {
        return StripBid(line, window.SearchKind, window.FeaturedMode);
      },
      [&window](std::string_view line) { return AddAffliate(line, window.config()); });
}

void WriteSearchResults(SearchWindow& window, std::int16_t highest) {
  WriteResults(
      window, highest,
      [&window](std::string_view line) { return GrabBid(line, window.StopRequested); },
      [&window](std::string_view line) {
        return SwitchUrl(line, window.config(), window.StopRequested);
      });
}

}  // namespace lotwise
