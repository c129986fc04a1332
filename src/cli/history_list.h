#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "cli/search_options.h"
#include "platform/search_history.h"

namespace lotwise {

// How many searches --history-list shows, and --again can choose from.
inline constexpr int kHistoryListLength = 20;

// What --history-list prints: a line a search, the last run first, numbered from 1 as
// --again takes them: "1. Keywords “lamp” · at least 10 bids · Classic pages · last run
// 2026-12-09 18:30 · 35 items kept · 4 runs", the time in the user's time zone. Says so
// when the history holds none.
std::string HistoryListText(const std::vector<RecentSearch>& recent);

// The options that run `recent` again as it last ran, over `given`: its search, inputs and
// minimum of bids; its source, unless --source was given; where and how as given.
SearchOptions AgainOptions(const RecentSearch& recent, SearchOptions given);

}  // namespace lotwise
