#pragma once

#include <string>
#include <string_view>

#include "app/config.h"
#include "platform/listing_source.h"

namespace lotwise {

// The CSV written beside every report: "Finalsearch.csv", the same rows in the same order,
// for spreadsheets.
inline constexpr char kCsvFileName[] = "Finalsearch.csv";

// One kept item as a line of the CSV shows it; a field the row does not show is empty.
struct CsvRecord {
  std::string itemId;    // the number of the item's page
  std::string title;     // plain text: no tags, character references decoded, on one line
  std::string price;     // a decimal number with a point ("1234.50"): the current bid
  std::string currency;  // its ISO code, where the source says it
  int bids = 0;          // the count the report sorted by
  std::string endTime;   // ISO 8601 in UTC ("2026-12-10T18:30:00Z"), where the source says it
  std::string url;       // the link the report's row opens
  // What the search's history knows of the item, where the search ran before: when a run
  // first listed it (ISO 8601 in UTC; this run for a new item), and its bids when the
  // last run listed it. Both empty without an earlier run.
  std::string firstSeen;
  std::string bidsLastRun;
};

// The beginning of the file: UTF-8's byte-order mark (so that spreadsheet programs read
// it as UTF-8) and the header line
// "item_id,title,price,currency,bids,end_time,url,first_seen,bids_last_run".
std::string CsvBeginning();

// The record as one line, ended by CR LF: each field quoted as RFC 4180 says when it
// holds a comma, a quote or a line break (quotes doubled), and written with a leading "'"
// when a spreadsheet would run it as a formula (it begins with "=", "+", "-", "@", a tab
// or a CR).
std::string CsvLine(const CsvRecord& record);

// The record of an item a source gave, with the link its row opens.
CsvRecord CsvRecordOfItem(const ListedItem& item, const std::string& link);

// The record of a classic row as the report holds it (its links rewritten): the item
// number of its first item link, the text of its first text link as the title, its first
// price, and its first link; the end stays empty, since the classic pages give it without
// a year or a time zone. The classic pages' text is windows-1252, written in UTF-8.
CsvRecord CsvRecordOfRow(std::string_view row, int bids);

}  // namespace lotwise
