#include "cli/run_outcome.h"

namespace lotwise {

int ExitStatusOf(const SearchSummary& summary) {
  const bool written = summary.end == SearchEnd::kFinished || summary.end == SearchEnd::kCutShort;
  return written ? kExitReportWritten : kExitNoReport;
}

std::string NoReportReason(const SearchSummary& summary) {
  switch (summary.end) {
    case SearchEnd::kFinished:
    case SearchEnd::kCutShort:
    case SearchEnd::kMessage:
      return {};
    case SearchEnd::kStopped:
      return "lotwise-search: stopped (Ctrl+C): no report written";
    case SearchEnd::kFailure:
      return "lotwise-search: " + summary.message;
    case SearchEnd::kRunning:
      break;
  }
  return "lotwise-search: the search did not run";
}

}  // namespace lotwise
