#pragma once

#include <cstdint>
#include <string>

namespace lotwise {

// The body and HTTP status of the last page a search's fetch returned; both empty (0)
// before the first and after a fetch that failed.
struct LastPage {
  std::string body;
  int status = 0;
};

// How a search ended.
enum class SearchEnd {
  kRunning,   // not yet, or no search so far
  kFinished,  // the report is written and open
  kCutShort,  // "See Incomplete Results": the report of what was collected
  kStopped,   // "Stop Search": no report
  kMessage,   // a message box said why there is no report
  kFailure,   // a failure no stage handles ended it
};

// What a search did, counted as it goes, for the run summary.
struct SearchSummary {
  SearchEnd end = SearchEnd::kRunning;
  std::int16_t kind = 0;
  int pagesCollected = 0;           // result pages whose tables were cut into the page file
  int pagesExpected = 0;            // pages the marketplace reported; 0 when not known
  long long recordsAppended = 0;    // result tables appended to the page file
  long long itemsSeen = 0;          // items a source gave, before the search kept its own
  long long linesRead = 0;          // lines of the page file the report writer read
  long long reportRows = 0;         // rows in the report
  long long unreadableLeftOut = 0;  // rows left out whose bid cell held no readable count
  int minimumBids = 0;              // as the report writer read it
  std::string message;              // the message shown, or the short account of the failure
  std::string detail;               // the failure's whole account (the network library's words)
  // What the history made of the search: what changed since its last run ("12 new,
  // 4 ended since the last run"), or why the history is off; empty without a history.
  std::string history;
};

}  // namespace lotwise
