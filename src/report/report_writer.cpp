#include "report/report_writer.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "collect/item_record.h"
#include "report/active_content.h"
#include "report/affiliate.h"
#include "report/api_row.h"
#include "report/grab_bid.h"
#include "report/one_pass_writer.h"
#include "report/report_file.h"
#include "report/report_page.h"
#include "report/strip_bid.h"
#include "report/switch_url.h"
#include "search/minimum_bids.h"

namespace lotwise {

void WriteResults(SearchContext& search, std::int16_t highest, const BidCountOf& bidCount,
                  const RowTextOf& rowText) {
  if (search.state.StopRequested == 1) return;
  search.controls.ShowStatus("Creating Output.......");
  {
    ReportFile report(search.report);
    report.Write(ReportBeginning(search.config));
    const std::int16_t minimum = MinimumBidCount(search.controls.MinimumBidsTyped());
    SearchSummary& summary = search.summary;
    summary.minimumBids = minimum;
    // Unreadable cells count 0: they are left out only above a minimum of 0.
    if (minimum <= 0) summary.unreadableLeftOut = 0;
    summary.reportRows = static_cast<long long>(
        WriteRowsInOnePass(search.pageFile, highest, minimum, bidCount, rowText, report));
    report.Write(kReportEnding);
    report.Commit();
  }
  search.platform.ShellOpen(search.report.string(), "0", "0");
  search.summary.end =
      search.state.SeeIncomplete == 1 ? SearchEnd::kCutShort : SearchEnd::kFinished;
  search.controls.ShowFinished();
  std::error_code ignored;
  std::filesystem::remove(search.pageFile, ignored);
}

std::string ListingRow(std::string_view line, const Config& config) {
  std::string row = AddAffliate(line, config);
  RemoveActiveContent(row);
  return row;
}

std::string SearchRow(std::string_view line, const Config& config, int StopRequested) {
  std::string row = SwitchUrl(line, config, StopRequested);
  RemoveActiveContent(row);
  return row;
}

void WriteListingResults(SearchContext& search, std::int16_t highest) {
  SearchState& state = search.state;
  const Config& config = search.config;
  WriteResults(
      search, highest,
      [&state](std::string_view line) {
        return StripBid(line, state.SearchKind, state.FeaturedMode);
      },
      [&config](std::string_view line) { return ListingRow(line, config); });
}

BidCell ApiItemBids(std::string_view line) {
  const std::optional<int> bids = ItemRecordBids(line);
  if (!bids) return {};
  return {static_cast<std::int16_t>(std::min<int>(*bids, std::numeric_limits<std::int16_t>::max())),
          false};
}

void WriteApiResults(SearchContext& search, std::int16_t highest) {
  const Config& config = search.config;
  WriteResults(
      search, highest, [](std::string_view line) { return ApiItemBids(line).count; },
      [&config](std::string_view line) {
        const std::optional<ListedItem> item = ReadItemRecord(line);
        if (!item) return std::string();
        std::string row = ApiRow(*item, config);
        RemoveActiveContent(row);  // an address the marketplace gave may be a script's
        return row;
      });
}

void WriteSearchResults(SearchContext& search, std::int16_t highest) {
  const SearchState& state = search.state;
  const Config& config = search.config;
  WriteResults(
      search, highest,
      [&state](std::string_view line) { return GrabBid(line, state.StopRequested); },
      [&state, &config](std::string_view line) {
        return SearchRow(line, config, state.StopRequested);
      });
}

}  // namespace lotwise
