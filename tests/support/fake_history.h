#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/search_history.h"

namespace lotwise::testing {

// A search history in memory, for the tests of the core (also on Windows): each run
// recorded with its rows, in order; `failure`, when set, fails every call.
class FakeHistory : public SearchHistory {
 public:
  struct Recorded {
    HistoryRun run;
    std::vector<HistoryItem> rows;
  };
  std::vector<Recorded> recorded;
  std::optional<std::string> failure;

  std::optional<PastRun> LastRun(const HistorySearch& search) override {
    FailWhenAsked();
    for (auto it = recorded.rbegin(); it != recorded.rend(); ++it) {
      if (it->run.search == search) return PastRun{it->run, it->rows};
    }
    return std::nullopt;
  }
  void Record(const HistoryRun& run, std::span<const HistoryItem> rows) override {
    FailWhenAsked();
    recorded.push_back({run, {rows.begin(), rows.end()}});
  }
  std::vector<RecentSearch> Recent(std::size_t count) override {
    FailWhenAsked();
    std::vector<RecentSearch> recent;
    for (auto it = recorded.rbegin(); it != recorded.rend() && recent.size() < count; ++it) {
      const HistorySearch& search = it->run.search;
      if (std::any_of(recent.begin(), recent.end(),
                      [&](const RecentSearch& r) { return r.last.search == search; })) {
        continue;
      }
      const auto runs = std::count_if(recorded.begin(), recorded.end(),
                                      [&](const Recorded& r) { return r.run.search == search; });
      recent.push_back({it->run, static_cast<long long>(runs)});
    }
    return recent;
  }
  void Clear() override {
    FailWhenAsked();
    recorded.clear();
  }

 private:
  void FailWhenAsked() const {
    if (failure) throw HistoryError(*failure);
  }
};

}  // namespace lotwise::testing
