#include "search/summary.h"

namespace lotwise {
namespace {

const char* const kDot = " \xC2\xB7 ";  // a middle dot between the parts

std::string Plural(long long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "3 of 7 pages", or "3 pages" when the number of pages is not known.
std::string PagesDone(const SearchSummary& summary) {
  if (summary.pagesExpected > 0) {
    return std::to_string(summary.pagesCollected) + " of " +
           Plural(summary.pagesExpected, "page", "pages");
  }
  return Plural(summary.pagesCollected, "page", "pages");
}

std::string LeftOut(const SearchSummary& summary) {
  if (summary.unreadableLeftOut == 0) return {};
  return kDot + Plural(summary.unreadableLeftOut, "row", "rows") +
         " left out: bid count unreadable";
}

// What the history made of the search, when it was asked.
std::string History(const SearchSummary& summary) {
  return summary.history.empty() ? std::string() : kDot + summary.history;
}

}  // namespace

std::string SummaryText(const SearchSummary& summary) {
  switch (summary.end) {
    case SearchEnd::kRunning:
      return {};
    case SearchEnd::kFinished:
      return Plural(summary.reportRows, "item", "items") + " with at least " +
             std::to_string(summary.minimumBids) + " bids in Finalsearch.htm and Finalsearch.csv" +
             kDot + Plural(summary.pagesCollected, "page", "pages") + LeftOut(summary) +
             History(summary);
    case SearchEnd::kCutShort:
      return "Cut short after " + PagesDone(summary) + ": " +
             Plural(summary.reportRows, "item", "items") + " with at least " +
             std::to_string(summary.minimumBids) + " bids" + LeftOut(summary) + History(summary);
    case SearchEnd::kStopped:
      return "Stopped after " + PagesDone(summary) + ": no report written";
    case SearchEnd::kMessage:
      return "No report: " + summary.message;
    case SearchEnd::kFailure: {
      std::string text = "Search ended after " + PagesDone(summary) + ": " + summary.message;
      if (!summary.detail.empty() && summary.detail != summary.message) {
        text += " (" + summary.detail + ")";
      }
      return text;
    }
  }
  return {};
}

}  // namespace lotwise
