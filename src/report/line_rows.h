#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/config.h"
#include "report/bid_text.h"
#include "report/row_kind.h"

namespace lotwise {

// The rows of the lines of the page file (the result tables cut from the classic pages):
// `bids` reads a line's bid count for the search's kind, `row` makes its row. Both depend
// on their arguments alone, so the page file is read once (WriteRowsInOnePass).
class LineRows : public RowKind {
 public:
  using BidsOf = BidCell (*)(std::string_view line, std::int16_t searchKind);
  using RowOf = std::string (*)(std::string_view line, const Config& config);

  LineRows(BidsOf bids, RowOf row) : bids_(bids), row_(row) {}

  std::optional<int> Highest(const SearchContext& search, SearchSummary& summary) const override;
  std::size_t Write(const SearchContext& search, int highest, int minimum,
                    ReportFiles& files) const override;

 private:
  BidsOf bids_;
  RowOf row_;
};

// The row of a line of the browse pages and the completed-items pages: its links sent
// through the affiliate redirect (AddAffliate), then without active content.
std::string AffiliateRow(std::string_view line, const Config& config);
// The row of a line of the keyword search pages: its item links sent through the
// item-page redirect (SwitchUrl), then without active content.
std::string ItemLinkRow(std::string_view line, const Config& config, int StopRequested = 0);

// The category, featured and completed-items rows (StripBid, AffiliateRow) and the
// keyword rows (GrabBid, ItemLinkRow).
const RowKind& AffiliateRows();
const RowKind& ItemLinkRows();

}  // namespace lotwise
