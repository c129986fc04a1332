#include "sample-marketplace/api_search.h"

#include <algorithm>
#include <array>
#include <limits>

#include "sample-marketplace/api_filter.h"
#include "sample-marketplace/api_item.h"
#include "sample-marketplace/categories.h"
#include "sample-marketplace/listing.h"

namespace lotwise::sample {
namespace {

constexpr std::size_t kMostLimit = 200;
constexpr std::size_t kMostQueryLength = 100;
constexpr std::array<std::string_view, 5> kSorts{"price", "-price", "distance", "newlyListed",
                                                 "endingSoonest"};

// The groups of a query: every blank-separated word is a group of its own, every
// "(a, b)" or "(a,b)" one group.
std::vector<WordGroup> WordGroups(std::string_view q) {
  std::vector<WordGroup> groups;
  while (!q.empty()) {
    std::size_t end = 0;
    WordGroup group;
    if (q.front() == '(') {
      end = std::min(q.find(')'), q.size());
      std::string inside(q.substr(1, end - 1));
      std::replace(inside.begin(), inside.end(), ' ', ',');
      group = SplitWords(inside, ',');
      end = std::min(end + 1, q.size());
    } else {
      end = std::min(q.find_first_of(" ("), q.size());
      group = SplitWords(q.substr(0, end), ' ');
    }
    if (!group.empty()) groups.push_back(std::move(group));
    q.remove_prefix(end);
    while (!q.empty() && q.front() == ' ') q.remove_prefix(1);
  }
  return groups;
}

ParsedSearch Refused(int status, int errorId, std::string message, std::string_view parameter,
                     std::string value) {
  ParsedSearch parsed;
  parsed.status = status;
  parsed.refusal = {errorId, std::move(message), {{std::string(parameter), std::move(value)}}};
  return parsed;
}

// Reads limit and offset; nullopt when they are good.
std::optional<ParsedSearch> ReadPaging(const Target& target, ApiSearch& search) {
  if (target.Has("limit")) {
    const auto limit = ParseCount(target.Param("limit"));
    if (!limit || *limit < 1 || static_cast<std::size_t>(*limit) > kMostLimit) {
      return Refused(400, 12006, "The limit must be a whole number from 1 to 200.", "limit",
                     target.Param("limit"));
    }
    search.limit = static_cast<std::size_t>(*limit);
  }
  if (target.Has("offset")) {
    const auto offset = ParseCount(target.Param("offset"));
    if (!offset) {
      return Refused(400, 12007, "The offset must be a whole number, 0 or more.", "offset",
                     target.Param("offset"));
    }
    if (static_cast<std::size_t>(*offset) >= kOffsetLimit) {
      return Refused(400, 12029,
                     "The offset must be less than 10000: a search gives at most "
                     "10000 items.",
                     "offset", target.Param("offset"));
    }
    search.offset = static_cast<std::size_t>(*offset);
  }
  if (search.offset % search.limit != 0) {
    return Refused(400, 12515, "The offset must be a multiple of the limit.", "offset",
                   std::to_string(search.offset));
  }
  return std::nullopt;
}

}  // namespace

ParsedSearch ParseSearch(const Target& target, std::string_view currency,
                         const std::vector<int>& topLevel) {
  ParsedSearch parsed;
  ApiSearch& search = parsed.search;
  if (auto refused = ReadPaging(target, search)) return *refused;
  const std::string q = target.Param("q");
  const std::string categories = target.Param("category_ids");
  if (q.size() > kMostQueryLength) {
    return Refused(400, 12001, "The q value must be at most 100 characters long.", "q", q);
  }
  search.words = WordGroups(q);
  if (search.words.empty() && categories.empty()) {
    return Refused(400, 12001, "The search needs a q or category_ids parameter.", "q", q);
  }
  ReadFilter(target.Param("filter"), currency, search);
  const bool oneCharacter =
      !search.words.empty() && q.find_first_not_of(' ') == q.find_last_not_of(' ');
  if (search.filter.description && oneCharacter) {
    return Refused(400, 12516,
                   "The q value must be longer than one character to search in descriptions.", "q",
                   q);
  }
  if (!categories.empty()) {
    auto category = ParseCount(categories);
    if (category && *category > std::numeric_limits<int>::max()) category.reset();
    const bool needsWords =
        category && std::find(topLevel.begin(), topLevel.end(), *category) != topLevel.end();
    if (needsWords && search.words.empty()) {
      return Refused(409, 12013, "A top-level category can only be searched with keywords (q).",
                     "category_ids", categories);
    }
    search.filter.category = category ? static_cast<int>(*category) : -1;
    if (!category) {
      search.warnings.push_back({12009,
                                 "The category id '" + categories + "' is invalid.",
                                 {{"category_ids", categories}}});
    }
  }
  if (target.Has("sort") &&
      std::find(kSorts.begin(), kSorts.end(), target.Param("sort")) == kSorts.end()) {
    search.warnings.push_back(
        {12008, "The sort value is invalid; it was ignored.", {{"sort", target.Param("sort")}}});
  }
  return parsed;
}

bool Matches(const Item& item, const ApiSearch& search) {
  if (!Matches(item, search.filter)) return false;
  const auto hasWord = [&](const std::string& word) {
    return HasWord(item, word, search.filter.description);
  };
  for (const WordGroup& group : search.words) {
    if (std::none_of(group.begin(), group.end(), hasWord)) return false;
  }
  const long long bids = BidCount(item);
  if (search.buyingOptionsGiven ? !search.auctions : bids > 0) return false;
  return (!search.minBids || bids >= *search.minBids) &&
         (!search.maxBids || bids <= *search.maxBids);
}

}  // namespace lotwise::sample
