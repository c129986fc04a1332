// Records runs of one search into a history file, one after the other, and says
// "recorded <run>" on standard output once each is committed: the program the tests
// kill at random moments, and run twice at once.
//   lotwise_history_recorder FILE NAME RUNS ITEMS
// Run r (from 1) of the search whose words are NAME ran at second r and lists ITEMS
// items, the item at position p numbered "NAME-r-p" with p bids (RecordedItemOf).

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "history/recorded_runs.h"
#include "history/sqlite_history.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: lotwise_history_recorder FILE NAME RUNS ITEMS\n", stderr);
    return 2;
  }
  const std::string name = argv[2];
  const long runs = std::strtol(argv[3], nullptr, 10);
  const int items = static_cast<int>(std::strtol(argv[4], nullptr, 10));
  lotwise::SqliteHistory history(argv[1]);
  try {
    for (long run = 1; run <= runs; ++run) {
      const std::vector<lotwise::HistoryItem> rows =
          lotwise::testing::RecordedRows(name, run, items);
      history.Record(lotwise::testing::RecordedRun(name, run, items), rows);
      std::printf("recorded %ld\n", run);
      std::fflush(stdout);
    }
  } catch (const lotwise::HistoryError& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return 1;
  }
  return 0;
}
