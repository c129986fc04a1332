#include "report/item_report_facts.h"

#include <optional>

#include "collect/source_search.h"
#include "search/categories.h"

namespace lotwise {
namespace {

const char* const kOpen = "\xE2\x80\x9C";   // the left double quotation mark
const char* const kClose = "\xE2\x80\x9D";  // the right one

std::string Quoted(const std::string& text) { return kOpen + text + kClose; }

std::string CategoryName(const std::string& number) {
  for (const Category& category : CategoryTable()) {
    if (!number.empty() && category.number == number) {
      return std::string(category.name) + " (" + number + ")";
    }
  }
  return number;
}

std::string Currency(const SearchContext& search) {
  return search.listings != nullptr ? search.listings->Currency() : std::string();
}

std::string PriceRange(const ListingQuery& query, const std::string& currency) {
  const std::string unit = currency.empty() ? "" : " " + currency;
  if (!query.lowestPrice.empty() && !query.highestPrice.empty()) {
    return "priced " + query.lowestPrice + " to " + query.highestPrice + unit;
  }
  if (!query.lowestPrice.empty()) return "priced from " + query.lowestPrice + unit;
  if (!query.highestPrice.empty()) return "priced up to " + query.highestPrice + unit;
  return {};
}

std::string KeywordSearch(const SearchContext& search) {
  const std::optional<SourceSearch> request =
      SourceKeywordSearch(search.controls.KeywordTab(), 0, Currency(search));
  if (!request) return "Keyword search";
  const ListingQuery& query = request->query;
  static const char* const kCombine[] = {"all of the words", "any of the words",
                                         "the exact phrase"};
  std::string text = "Keyword search for " + Quoted(query.words) + ", " +
                     kCombine[query.combine >= 0 && query.combine <= 2 ? query.combine : 0];
  if (!query.excluded.empty()) text += ", excluding " + Quoted(query.excluded);
  if (const std::string range = PriceRange(query, Currency(search)); !range.empty()) {
    text += ", " + range;
  }
  text += query.categoryId.empty() ? ", all categories" : ", in " + CategoryName(query.categoryId);
  text += query.inDescription ? ", titles and descriptions" : ", titles only";
  return text;
}

}  // namespace

std::string SearchDescription(const SearchContext& search) {
  switch (search.state.SearchKind) {
    case kKeywordSearch:
      return KeywordSearch(search);
    case kCategorySearch: {
      const std::optional<SourceSearch> request =
          SourceCategorySearch(search.controls.CategoryTyped(), 0, Currency(search));
      return "Category search: " +
             (request ? CategoryName(request->query.categoryId) : search.controls.CategoryTyped());
    }
    case kCompletedSearch: {
      const std::optional<SourceSearch> request =
          SourceCompletedSearch(search.controls.CompletedKeywordsTyped(), 0);
      return "Completed items: " +
             Quoted(request ? request->query.words : search.controls.CompletedKeywordsTyped());
    }
    case kFeaturedSearch:
      return "Featured auctions";
    default:
      return "Search";
  }
}

ItemReportFacts ItemReportFactsOf(const SearchContext& search, int minimumBids, std::int64_t ran) {
  ItemReportFacts facts;
  facts.search = SearchDescription(search);
  facts.minimumBids = minimumBids;
  facts.source = search.listings != nullptr ? search.listings->Name() : std::string();
  facts.ran = ReportMomentOf(ran);
  facts.pages = search.summary.pagesCollected;
  facts.pagesExpected = search.summary.pagesExpected;
  facts.seen = search.summary.itemsSeen;
  facts.cutShort = search.state.SeeIncomplete == 1;
  facts.message = search.summary.message;
  return facts;
}

}  // namespace lotwise
