#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/config.h"
#include "platform/listing_source.h"
#include "platform/search_history.h"
#include "report/local_time.h"
#include "report/report_file.h"
#include "search/search_changes.h"

namespace lotwise {

// One kept item as the report of a source's items shows it, read once for its row, the
// charts and the figures.
struct ReportedItem {
  const ListedItem* item = nullptr;
  std::size_t received = 0;  // its place in the order received
  std::string number;        // the item's number, as the CSV gives it; may be empty
  std::string link;          // what its title opens (ItemLink)
  std::optional<double> price;
  std::optional<std::int64_t> end;  // seconds since 1970, UTC
  bool endIsDay = false;            // only the day of the end is known (`end` is its start)
  ItemChange change;                // since the last run of the search
};

// The name of the row at `place` (from 0) in the report's order, which the charts link
// to: "1", "2", ... A report is written anew by every search, so its rows need names
// only within it, and short ones: a report of 10,000 rows names each twice.
std::string RowName(std::size_t place);

// The item as the report shows it: its link, price and end read once.
ReportedItem ReportedItemOf(const ListedItem& item, std::size_t received, std::string number,
                            std::string link);

// When the search ran, in seconds since 1970 and on the user's clock.
struct ReportMoment {
  std::int64_t seconds = 0;
  LocalTime local;
};
ReportMoment ReportMomentOf(std::int64_t seconds);

// What the report says of its search, above the charts.
struct ItemReportFacts {
  std::string search;  // "Keyword search for “vintage lamp”, any of the words, ..."
  int minimumBids = 0;
  std::string source;  // ListingSource::Name()
  ReportMoment ran;
  int pages = 0;          // pages read
  int pagesExpected = 0;  // pages the marketplace's total called for; 0 when not known
  long long seen = 0;     // items the source gave
  bool cutShort = false;  // by "See Incomplete Results"
  std::string message;    // the search's last message: a refusal, a robot check, a warning
  // What the history knows of the search's last run, when it has one.
  std::optional<ReportMoment> lastRan;
  std::vector<HistoryItem> ended;  // items of earlier runs gone and ended (GoneItems::ended)
};

// The report of a source's items: one HTML5 document in UTF-8 that says what the search
// was, shows the demand (the bid counts' histogram, price against bids, the prices per
// currency) and lists the rows in one table, in the order given (most bids first), with
// a script of its own that sorts the table by any column and that the document's
// Content-Security-Policy allows, by its hash, as the only script. Every text of an item
// or typed by the user is HTML-escaped; each row is cleaned by RemoveActiveContent too.
void WriteItemReport(const ItemReportFacts& facts, std::span<const ReportedItem> rows,
                     const Config& config, ReportFile& out);

}  // namespace lotwise
