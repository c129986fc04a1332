#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/config.h"
#include "report/bid_text.h"
#include "search/search_context.h"

namespace lotwise {

// The report: an HTML page in the application folder, opened in the browser.
inline constexpr char kReportFileName[] = "Finalsearch.htm";

// The report could not be created or written, or the page file could not be read
// for it. The message says what failed; the page file is kept.
class ReportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bid count and the report row of one line of the page file.
using BidCountOf = std::function<std::int16_t(std::string_view line)>;
using RowTextOf = std::function<std::string(std::string_view line)>;

// Writes the report from the page file: the rows whose bid count lies between the
// minimum typed and `highest`, higher counts first, equal counts in
// page-file order. Then opens it, shows the finished state and deletes the page file.
// Does nothing when StopRequested is 1. The page file is read once (see
// WriteRowsInOnePass): `bidCount` and `rowText` must depend on the line alone. The
// report is written under a temporary name and takes its own name only when
// complete. Throws ReportError.
void WriteResults(SearchContext& search, std::int16_t highest, const BidCountOf& bidCount,
                  const RowTextOf& rowText);

// The report row of one line of the page file, on the browse side (category, featured,
// completed items: links rewritten by AddAffliate) and on the keyword side (by
// SwitchUrl), then without active content (RemoveActiveContent). Each depends on its
// arguments alone.
std::string ListingRow(std::string_view line, const Config& config);
std::string SearchRow(std::string_view line, const Config& config, int StopRequested = 0);

// The browse side (category, featured, completed items), the keyword side, and the items
// found through the marketplace's API.
void WriteListingResults(SearchContext& search, std::int16_t highest);
void WriteSearchResults(SearchContext& search, std::int16_t highest);
void WriteApiResults(SearchContext& search, std::int16_t highest);

// The bid count of a page-file line of an item found through the API, up to 32767.
BidCell ApiItemBids(std::string_view line);

}  // namespace lotwise
