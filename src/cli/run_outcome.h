#pragma once

#include <string>

#include "search/search_record.h"

namespace lotwise {

// The exit statuses of lotwise-search.
inline constexpr int kExitReportWritten = 0;
inline constexpr int kExitNoReport = 1;
inline constexpr int kExitUsage = 2;

// kExitReportWritten when the search wrote its report, whole or cut short; otherwise
// kExitNoReport.
int ExitStatusOf(const SearchSummary& summary);

// Why the search wrote no report, for standard error; empty when it wrote one, and when
// the window's message, already printed, said why.
std::string NoReportReason(const SearchSummary& summary);

}  // namespace lotwise
