#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace lotwise {

// A search as the history knows it. Two runs with the same source, marketplace, kind,
// words and options are the same search run again, whatever their minimum of bids.
struct HistorySearch {
  std::string source;       // "Classic pages", "Marketplace API"
  std::string marketplace;  // "EBAY_US"; empty for the classic pages
  std::int16_t kind = 0;    // the window's SearchKind
  // The keywords (keyword and completed-items searches) or the category's number
  // (category searches), blanks folded; empty for the featured search.
  std::string words;
  // The keyword search's own inputs; as they stand by default for the other kinds.
  int combine = 0;             // 0 all of the words, 1 any of them, 2 the exact phrase
  std::string excluded;        // blanks folded
  std::string lowestPrice;     // as typed
  std::string highestPrice;    // as typed
  std::string category;        // a top-level category's number; empty for all
  bool inDescription = false;  // title and description

  bool operator==(const HistorySearch&) const = default;
};

// One item as a run of a search saw it: the record of its CSV line and its picture,
// with when the search first and last listed it.
struct HistoryItem {
  std::string itemId;  // the number of the item's page; empty when the row shows none
  std::string title;
  std::string price;  // a decimal number with a point ("1234.50")
  std::string currency;
  int bids = 0;
  std::string endTime;  // ISO 8601 in UTC ("2026-12-10T18:30:00Z"), a date alone, or empty
  std::string url;
  std::string picture;         // empty for the classic pages
  std::int64_t firstSeen = 0;  // seconds since 1970, UTC
  std::int64_t lastSeen = 0;   // the run that last listed it
  // False for an item an earlier run listed and this one did not, kept along because
  // it had not ended yet: the next run can still say what it reached.
  bool listed = true;
};

// How a run that wrote its report ended.
enum class HistoryEnd { kFinished, kCutShort };

// One run of a search: what was searched, when, and how it went.
struct HistoryRun {
  HistorySearch search;
  int minimumBids = 0;
  std::int64_t ranAt = 0;  // seconds since 1970, UTC
  HistoryEnd end = HistoryEnd::kFinished;
  long long itemsKept = 0;  // the report's rows
};

// The last run of a search with the rows it recorded, listed and kept along, in order.
struct PastRun {
  HistoryRun run;
  std::vector<HistoryItem> rows;
};

// A search the history holds, by its last run.
struct RecentSearch {
  HistoryRun last;
  long long runs = 0;  // how often it ran
};

// The history could not be read or written; what() says why, in words for the user
// ("the history database is locked by another program").
class HistoryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where the searches are kept over time: every search that writes a report records its
// run and its rows, so that the next run of the same search can say what changed. Every
// member throws HistoryError; a search goes on without its history then.
class SearchHistory {
 public:
  virtual ~SearchHistory() = default;
  // The last run of `search`; nothing before its first.
  virtual std::optional<PastRun> LastRun(const HistorySearch& search) = 0;
  // Records a run and its rows at once: all of it, or, failing, nothing.
  virtual void Record(const HistoryRun& run, std::span<const HistoryItem> rows) = 0;
  // The searches run last, most recent first, at most `count`.
  virtual std::vector<RecentSearch> Recent(std::size_t count) = 0;
  // Forgets every search.
  virtual void Clear() = 0;
};

}  // namespace lotwise
