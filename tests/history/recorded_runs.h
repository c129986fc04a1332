#pragma once

#include <string>
#include <vector>

#include "platform/search_history.h"

namespace lotwise::testing {

// The runs lotwise_history_recorder records: run `run` of the keyword search for `name`,
// at second `run`, with `items` rows, the row at position p numbered "name-run-p" with
// p bids.
HistoryRun RecordedRun(const std::string& name, long run, int items);
std::vector<HistoryItem> RecordedRows(const std::string& name, long run, int items);

}  // namespace lotwise::testing
