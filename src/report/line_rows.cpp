#include "report/line_rows.h"

#include <limits>

#include "collect/page_file.h"
#include "report/active_content.h"
#include "report/affiliate.h"
#include "report/csv.h"
#include "report/grab_bid.h"
#include "report/kept_row.h"
#include "report/one_pass_writer.h"
#include "report/report_page.h"
#include "report/strip_bid.h"
#include "report/switch_url.h"

namespace lotwise {
namespace {

BidCell KeywordBids(std::string_view line, std::int16_t) { return GrabBidCell(line); }

std::string KeywordRow(std::string_view line, const Config& config) {
  return ItemLinkRow(line, config);
}

}  // namespace

std::optional<int> LineRows::Highest(const SearchContext& search, SearchSummary& summary) const {
  const std::int16_t kind = search.state.SearchKind;
  int highest = 0;
  const bool found = ReadLines(search.pageFile, [&](std::string_view line) {
    const BidCell cell = bids_(line, kind);
    if (cell.count > highest) highest = cell.count;
    ++summary.linesRead;
    if (cell.unreadable) ++summary.unreadableLeftOut;  // left out unless the minimum is 0
  });
  if (!found) return std::nullopt;
  return highest;
}

std::size_t LineRows::Write(const SearchContext& search, int highest, int minimum,
                            ReportFiles& files) const {
  const std::int16_t kind = search.state.SearchKind;
  const Config& config = search.config;
  const BidsOf bids = bids_;
  const RowOf row = row_;
  files.report.Write(ReportBeginning(config));
  std::size_t rows = 0;
  // Line counts are 16-bit, as the highest is: a minimum above that keeps no line.
  if (minimum <= std::numeric_limits<std::int16_t>::max()) {
    rows = WriteRowsInOnePass(
        search.pageFile, static_cast<std::int16_t>(highest), static_cast<std::int16_t>(minimum),
        [bids, kind](std::string_view line) { return bids(line, kind).count; },
        [row, &config](std::string_view line) { return row(line, config); },
        [&search, &files](std::string_view text, std::int16_t count) {
          files.report.Write(text);
          KeepRow(search, files, CsvRecordOfRow(text, count));
        });
  }
  files.report.Write(kReportEnding);
  return rows;
}

std::string AffiliateRow(std::string_view line, const Config& config) {
  std::string row = AddAffliate(line, config);
  RemoveActiveContent(row);
  return row;
}

std::string ItemLinkRow(std::string_view line, const Config& config, int StopRequested) {
  std::string row = SwitchUrl(line, config, StopRequested);
  RemoveActiveContent(row);
  return row;
}

const RowKind& AffiliateRows() {
  static const LineRows kRows(StripBidCell, AffiliateRow);
  return kRows;
}

const RowKind& ItemLinkRows() {
  static const LineRows kRows(KeywordBids, KeywordRow);
  return kRows;
}

}  // namespace lotwise
