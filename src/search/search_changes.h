#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/search_history.h"

namespace lotwise {

// What changed for one item since the last run of its search. All empty (`compared`
// false) when the search has no earlier run, or the item's row shows no number.
struct ItemChange {
  bool compared = false;
  bool isNew = false;                 // no earlier run listed it
  std::int64_t firstSeen = 0;         // when a run first listed it: now, for a new item
  std::optional<int> bidsLastRun;     // its bids when the last run listed it
  int bidsGained = 0;                 // since the last run: "+7"
  std::optional<double> bidsPerHour;  // the same per hour between the two runs
};

// What became of the items earlier runs listed and this one does not.
struct GoneItems {
  // Those whose end has passed, or was never known: what they reached as last seen (not
  // a sold price), most bids first, equal counts in the last run's order.
  std::vector<HistoryItem> ended;
  // Those still running: kept along in the history, as last seen.
  std::vector<HistoryItem> running;
};

// The figures of ended items in one currency.
struct EndedFigures {
  std::string currency;  // empty where the rows gave none
  std::size_t count = 0;
  std::size_t priced = 0;  // of them, those whose last price reads as a number
  long long lowestCents = 0, medianCents = 0, highestCents = 0;  // of the priced
  int lowestBids = 0, medianBids = 0, highestBids = 0;
};

// What changed since the last run of a search, worked out from that run's rows and the
// moment this one runs. Nothing to compare before the first run.
class SearchChanges {
 public:
  SearchChanges() = default;
  // The first run of a search, at `now`.
  explicit SearchChanges(std::int64_t now) : now_(now) {}
  // A run at `now` after `last`.
  SearchChanges(PastRun last, std::int64_t now);

  bool HasEarlierRun() const { return last_.has_value(); }
  // The last run: only with HasEarlierRun().
  const HistoryRun& LastRun() const { return last_->run; }
  std::int64_t Now() const { return now_; }

  // The item with that number and bid count in this run.
  ItemChange Of(std::string_view itemId, int bids) const;
  // What became of the items of earlier runs that are not among `listed` (item numbers).
  GoneItems GoneWithout(const std::unordered_set<std::string>& listed) const;
  // The rows this run records: `kept` (the report's rows, in order) with when each was
  // first and last seen, then `running`, the items of earlier runs still running
  // (GoneWithout's).
  std::vector<HistoryItem> RowsToRecord(std::vector<HistoryItem> kept,
                                        std::vector<HistoryItem> running) const;

 private:
  std::optional<PastRun> last_;
  std::int64_t now_ = 0;
  std::unordered_map<std::string, std::size_t> byNumber_;  // into last_->rows
};

// The item numbers of rows, for GoneWithout.
std::unordered_set<std::string> NumbersOf(std::span<const HistoryItem> rows);

// The figures of ended items per currency, in the order the currencies first appear.
std::vector<EndedFigures> FiguresOf(std::span<const HistoryItem> ended);

// A decimal price ("1234.50", "12.5", "7") in hundredths; nothing for any other text.
std::optional<long long> PriceCents(std::string_view price);

}  // namespace lotwise
