#include "sample-marketplace/site_query.h"

#include <algorithm>

#include "sample-marketplace/listing.h"

namespace lotwise::sample {
namespace {

std::size_t PerPage(const Target& target) {
  const auto asked = ParseCount(target.Param("_ipg"));
  if (!asked || *asked < 1) return kSitePageLimit;
  return std::min(static_cast<std::size_t>(*asked), kSitePageLimit);
}

std::optional<int> Category(const Target& target) {
  const std::string text = target.Param("_sacat");
  if (text.empty()) return std::nullopt;
  const auto number = ParseCount(text);
  if (!number || *number > 1'000'000) return -1;
  return *number == 0 ? std::nullopt : std::optional<int>(static_cast<int>(*number));
}

WordMode Mode(const std::string& inKw) {
  if (inKw == "2") return WordMode::kAny;
  if (inKw == "3") return WordMode::kPhrase;
  return WordMode::kAll;
}

}  // namespace

SiteQuery ReadSiteQuery(const Target& target) {
  SiteQuery query;
  query.words = target.Param("_nkw");
  SearchFilter& filter = query.filter;
  filter.query.words = SplitWords(query.words, ' ');
  filter.query.mode = filter.query.words.empty() ? WordMode::kAll : Mode(target.Param("_in_kw"));
  filter.query.excluded = SplitWords(target.Param("_ex_kw"), ' ');
  filter.description = target.Param("LH_TitleDesc") == "1";
  filter.ended = target.Param("LH_Complete") == "1" || target.Param("LH_Sold") == "1";
  filter.minCents = ParsePrice(target.Param("_udlo"));
  filter.maxCents = ParsePrice(target.Param("_udhi"));
  filter.category = Category(target);
  query.perPage = PerPage(target);
  const auto page = ParseCount(target.Param("_pgn"));
  query.page = page && *page >= 1 ? *page : 1;
  return query;
}

SiteResults FindSiteResults(const std::vector<Item>& items, const SearchFilter& filter) {
  SiteResults results;
  SearchFilter someWords = filter;
  someWords.query.mode = WordMode::kAny;
  const bool fewerWordsPossible =
      filter.query.words.size() > 1 && filter.query.mode != WordMode::kAny;
  for (const Item& item : items) {
    if (Matches(item, filter)) {
      results.matches.push_back(&item);
    } else if (fewerWordsPossible && Matches(item, someWords)) {
      results.fewerWords.push_back(&item);
    }
  }
  return results;
}

long long SitePageCount(std::size_t matches, std::size_t perPage) {
  return std::max<long long>(1, static_cast<long long>((matches + perPage - 1) / perPage));
}

}  // namespace lotwise::sample
