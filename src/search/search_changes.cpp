#include "search/search_changes.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "search/iso_time.h"

namespace lotwise {
namespace {

constexpr double kSecondsPerHour = 3600.0;

// Whether an item of an earlier run had ended by `now`: its end has passed, or no end
// was ever known (the classic pages give none), so that nothing says it still runs.
bool EndedBy(const HistoryItem& item, std::int64_t now) {
  const std::optional<std::int64_t> end = EndSeconds(item.endTime);
  return !end || *end <= now;
}

template <typename T>
T MedianOf(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return static_cast<T>((values[middle - 1] + values[middle]) / 2);
}

}  // namespace

SearchChanges::SearchChanges(PastRun last, std::int64_t now) : last_(std::move(last)), now_(now) {
  const std::vector<HistoryItem>& rows = last_->rows;
  byNumber_.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    // An item a run lists twice counts by its first row.
    if (!rows[i].itemId.empty()) byNumber_.emplace(rows[i].itemId, i);
  }
}

ItemChange SearchChanges::Of(std::string_view itemId, int bids) const {
  ItemChange change;
  if (!last_ || itemId.empty()) return change;
  change.compared = true;
  const auto found = byNumber_.find(std::string(itemId));
  if (found == byNumber_.end()) {
    change.isNew = true;
    change.firstSeen = now_;
    return change;
  }
  const HistoryItem& before = last_->rows[found->second];
  change.firstSeen = before.firstSeen;
  // An item kept along was not listed by the last run: what it had then is not known.
  if (!before.listed) return change;
  change.bidsLastRun = before.bids;
  change.bidsGained = bids - before.bids;
  const double hours = static_cast<double>(now_ - last_->run.ranAt) / kSecondsPerHour;
  if (hours > 0) change.bidsPerHour = change.bidsGained / hours;
  return change;
}

GoneItems SearchChanges::GoneWithout(const std::unordered_set<std::string>& listed) const {
  GoneItems gone;
  if (!last_) return gone;
  const std::vector<HistoryItem>& rows = last_->rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const HistoryItem& row = rows[i];
    if (row.itemId.empty() || listed.count(row.itemId) > 0) continue;
    // Only an item's first row counts.
    if (byNumber_.at(row.itemId) != i) continue;
    (EndedBy(row, now_) ? gone.ended : gone.running).push_back(row);
  }
  std::stable_sort(gone.ended.begin(), gone.ended.end(),
                   [](const HistoryItem& a, const HistoryItem& b) { return a.bids > b.bids; });
  for (HistoryItem& row : gone.running) row.listed = false;
  return gone;
}

std::vector<HistoryItem> SearchChanges::RowsToRecord(std::vector<HistoryItem> kept,
                                                     std::vector<HistoryItem> running) const {
  for (HistoryItem& row : kept) {
    const ItemChange change = Of(row.itemId, row.bids);
    row.firstSeen = change.compared ? change.firstSeen : now_;
    row.lastSeen = now_;
    row.listed = true;
  }
  kept.insert(kept.end(), std::make_move_iterator(running.begin()),
              std::make_move_iterator(running.end()));
  return kept;
}

std::unordered_set<std::string> NumbersOf(std::span<const HistoryItem> rows) {
  std::unordered_set<std::string> numbers;
  numbers.reserve(rows.size());
  for (const HistoryItem& row : rows) {
    if (!row.itemId.empty()) numbers.insert(row.itemId);
  }
  return numbers;
}

std::vector<EndedFigures> FiguresOf(std::span<const HistoryItem> ended) {
  std::vector<std::string> currencies;
  for (const HistoryItem& item : ended) {
    if (std::find(currencies.begin(), currencies.end(), item.currency) == currencies.end()) {
      currencies.push_back(item.currency);
    }
  }
  std::vector<EndedFigures> figures;
  for (const std::string& currency : currencies) {
    std::vector<long long> prices;
    std::vector<int> bids;
    for (const HistoryItem& item : ended) {
      if (item.currency != currency) continue;
      bids.push_back(item.bids);
      if (const std::optional<long long> cents = PriceCents(item.price)) prices.push_back(*cents);
    }
    EndedFigures figure;
    figure.currency = currency;
    figure.count = bids.size();
    figure.priced = prices.size();
    if (!prices.empty()) {
      const auto [lowest, highest] = std::minmax_element(prices.begin(), prices.end());
      figure.lowestCents = *lowest;
      figure.highestCents = *highest;
      figure.medianCents = MedianOf(prices);
    }
    const auto [fewest, most] = std::minmax_element(bids.begin(), bids.end());
    figure.lowestBids = *fewest;
    figure.highestBids = *most;
    figure.medianBids = MedianOf(bids);
    figures.push_back(std::move(figure));
  }
  return figures;
}

std::optional<long long> PriceCents(std::string_view price) {
  const std::size_t point = price.find('.');
  const std::string_view whole = price.substr(0, point);
  const std::string_view part = point == std::string_view::npos ? "" : price.substr(point + 1);
  const auto digits = [](std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (whole.empty() || whole.size() > 15 || !digits(whole) || !digits(part)) return std::nullopt;
  if (point != std::string_view::npos && part.empty()) return std::nullopt;
  long long cents = std::accumulate(whole.begin(), whole.end(), 0LL,
                                    [](long long value, char c) { return value * 10 + (c - '0'); });
  cents *= 100;
  // Hundredths and below: what lies past them is cut off.
  if (!part.empty()) cents += (part[0] - '0') * 10;
  if (part.size() > 1) cents += part[1] - '0';
  return cents;
}

}  // namespace lotwise
