#include "cli/history_list.h"

#include <optional>
#include <utility>

#include "search/categories.h"
#include "search/history_search.h"
#include "search/search_state.h"

namespace lotwise {
namespace {

const char* const kDot = " \xC2\xB7 ";  // a middle dot between the parts

// "2026-12-09 18:30" in the user's time zone.
std::string LocalTime(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return "?";
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

std::string Plural(long long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The name of --source for a source the history names; nothing for another.
std::optional<std::string> SourceOption(const std::string& source) {
  if (source == "Classic pages") return "classic";
  if (source == "Marketplace API") return "api";
  if (source == "Marketplace site") return "site";
  return std::nullopt;
}

SearchChoice ChoiceOf(std::int16_t kind) {
  switch (kind) {
    case kKeywordSearch:
      return SearchChoice::kKeywords;
    case kCategorySearch:
      return SearchChoice::kCategory;
    case kCompletedSearch:
      return SearchChoice::kCompleted;
    default:
      return SearchChoice::kFeatured;
  }
}

}  // namespace

std::string HistoryListText(const std::vector<RecentSearch>& recent) {
  if (recent.empty()) return "The history holds no search yet.\n";
  std::string text;
  for (std::size_t i = 0; i < recent.size(); ++i) {
    const HistoryRun& last = recent[i].last;
    text += std::to_string(i + 1) + ". " + DescribeSearch(last.search, last.minimumBids) + kDot +
            "last run " + LocalTime(last.ranAt) +
            (last.end == HistoryEnd::kCutShort ? " (cut short)" : "") + kDot +
            Plural(last.itemsKept, "item", "items") + " kept" + kDot +
            Plural(recent[i].runs, "run", "runs") + "\n";
  }
  return text;
}

SearchOptions AgainOptions(const RecentSearch& recent, SearchOptions given) {
  const HistorySearch& search = recent.last.search;
  SearchOptions options = std::move(given);
  options.again.reset();
  options.search = ChoiceOf(search.kind);
  options.minimumBids = std::to_string(recent.last.minimumBids);
  if (search.kind == kCategorySearch) {
    options.category = search.words;
  } else {
    options.words = search.words;
  }
  if (search.kind == kKeywordSearch) {
    options.match = search.combine;
    options.excluded = search.excluded;
    options.lowestPrice = search.lowestPrice;
    options.highestPrice = search.highestPrice;
    const auto table = CategoryTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i].number == search.category) options.categoryPosition = static_cast<int>(i);
    }
    options.titleAndDescription = search.inDescription;
  }
  if (!options.source) options.source = SourceOption(search.source);
  return options;
}

}  // namespace lotwise
