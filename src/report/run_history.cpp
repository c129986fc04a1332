#include "report/run_history.h"

#include <chrono>
#include <exception>
#include <utility>

#include "search/history_search.h"

namespace lotwise {
namespace {

std::string Count(std::size_t count, const char* what) {
  return std::to_string(count) + " " + what;
}

}  // namespace

RunHistory::RunHistory(SearchContext& search) : search_(search) {
  search_.changes = {};
  if (search_.history == nullptr) return;
  run_.search = HistorySearchOf(search_);
  run_.ranAt =
      std::chrono::duration_cast<std::chrono::seconds>(search_.platform.Now().time_since_epoch())
          .count();
  try {
    if (std::optional<PastRun> last = search_.history->LastRun(run_.search)) {
      search_.changes = SearchChanges(std::move(*last), run_.ranAt);
    } else {
      search_.changes = SearchChanges(run_.ranAt);
    }
    on_ = true;
  } catch (const std::exception& failure) {
    TurnOff(failure.what());
  }
}

void RunHistory::Record(int minimum) {
  if (!on_) return;
  // A row kind that wrote its CSV lines without KeepRow would record a run without rows.
  if (static_cast<long long>(kept_.size()) != search_.summary.reportRows) {
    TurnOff("the report's rows did not reach it");
    return;
  }
  run_.minimumBids = minimum;
  run_.end = search_.state.SeeIncomplete == 1 ? HistoryEnd::kCutShort : HistoryEnd::kFinished;
  run_.itemsKept = static_cast<long long>(kept_.size());
  std::size_t fresh = 0;
  for (const HistoryItem& item : kept_) {
    if (search_.changes.Of(item.itemId, item.bids).isNew) ++fresh;
  }
  GoneItems gone;
  if (search_.changes.HasEarlierRun()) gone = search_.changes.GoneWithout(NumbersOf(kept_));
  const std::size_t ended = gone.ended.size();
  try {
    const std::vector<HistoryItem> rows =
        search_.changes.RowsToRecord(std::move(kept_), std::move(gone.running));
    search_.history->Record(run_, rows);
  } catch (const std::exception& failure) {
    TurnOff(failure.what());
    return;
  }
  search_.summary.history =
      search_.changes.HasEarlierRun()
          ? Count(fresh, "new") + ", " + Count(ended, "ended") + " since the last run"
          : "the first run of this search in the history";
}

void RunHistory::ShowWhenOff() {
  if (offBecause_.empty()) return;
  search_.controls.ShowStatus("Finished!!! The history is off: " + offBecause_);
}

void RunHistory::TurnOff(const std::string& why) {
  on_ = false;
  kept_.clear();
  offBecause_ = why.empty() ? "it failed" : why;
  search_.summary.history = "history off: " + offBecause_;
}

}  // namespace lotwise
