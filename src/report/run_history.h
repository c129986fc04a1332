#pragma once

#include <string>
#include <vector>

#include "platform/search_history.h"
#include "search/search_context.h"

namespace lotwise {

// The search's part in its history, around the writing of its report: made before the
// rows are written, it reads the last run of the same search into search.changes, so
// that the rows can say what changed; Record then records this run and its rows. A
// history that fails (cannot be opened, is locked, damaged, made by a newer Lotwise, on
// a full disk) never fails the search: the history is off for it, and the summary and
// the status line say why. Without a history it does nothing.
class RunHistory {
 public:
  explicit RunHistory(SearchContext& search);

  // Where the rows' records go, for ReportFiles::kept; nullptr when nothing is recorded.
  std::vector<HistoryItem>* Kept() { return on_ ? &kept_ : nullptr; }
  // Records the run with the rows kept, once report and CSV are written; `minimum` is
  // the minimum of bids the report kept.
  void Record(int minimum);
  // After the report is shown: the status line says so when the history is off.
  void ShowWhenOff();

 private:
  void TurnOff(const std::string& why);

  SearchContext& search_;
  bool on_ = false;
  HistoryRun run_;
  std::vector<HistoryItem> kept_;
  std::string offBecause_;  // why the history failed; empty while it works or is not used
};

}  // namespace lotwise
