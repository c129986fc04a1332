#include "search/history_search.h"

#include <vector>

#include "search/categories.h"
#include "text/blanks.h"

namespace lotwise {
namespace {

const char* const kDot = " \xC2\xB7 ";  // a middle dot between the parts

std::string InQuotes(const std::string& text) {
  return "\xE2\x80\x9C" + text + "\xE2\x80\x9D";  // “text”
}

std::string CategoryName(const std::string& number) {
  for (const Category& category : CategoryTable()) {
    if (category.number == number) return std::string(category.name);
  }
  return "category " + number;
}

// "any of the words, not “brass”, 5 to 20, Antiques, title and description"; empty
// when every option stands as it does by default.
std::string KeywordOptions(const HistorySearch& search) {
  std::vector<std::string> parts;
  if (search.combine == 1) parts.emplace_back("any of the words");
  if (search.combine == 2) parts.emplace_back("the exact phrase");
  if (!search.excluded.empty()) parts.push_back("not " + InQuotes(search.excluded));
  if (!search.lowestPrice.empty() && !search.highestPrice.empty()) {
    parts.push_back(search.lowestPrice + " to " + search.highestPrice);
  } else if (!search.lowestPrice.empty()) {
    parts.push_back("from " + search.lowestPrice);
  } else if (!search.highestPrice.empty()) {
    parts.push_back("up to " + search.highestPrice);
  }
  if (!search.category.empty()) parts.push_back(CategoryName(search.category));
  if (search.inDescription) parts.emplace_back("title and description");
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

}  // namespace

HistorySearch HistorySearchOf(const SearchContext& search) {
  HistorySearch found;
  found.kind = search.state.SearchKind;
  if (search.listings == nullptr) {
    found.source = "Classic pages";
  } else {
    const std::string name = search.listings->Name();
    const std::size_t open = name.rfind(" (");
    if (open != std::string::npos && name.back() == ')') {
      found.source = name.substr(0, open);
      found.marketplace = name.substr(open + 2, name.size() - open - 3);
    } else {
      found.source = name;
    }
  }
  const SearchControls& controls = search.controls;
  switch (found.kind) {
    case kKeywordSearch: {
      const KeywordInputs inputs = controls.KeywordTab();
      found.words = FoldBlanks(inputs.title);
      found.combine = inputs.combine < 0 ? 0 : inputs.combine;
      found.excluded = FoldBlanks(inputs.excluded);
      found.lowestPrice = FoldBlanks(inputs.lowestPrice);
      found.highestPrice = FoldBlanks(inputs.highestPrice);
      found.category = getcatno(inputs.category);
      found.inDescription = inputs.inDescription;
      break;
    }
    case kCategorySearch:
      found.words = FoldBlanks(controls.CategoryTyped());
      break;
    case kCompletedSearch:
      found.words = FoldBlanks(controls.CompletedKeywordsTyped());
      break;
    default:
      break;
  }
  return found;
}

std::string DescribeSearch(const HistorySearch& search, int minimumBids) {
  std::string text;
  switch (search.kind) {
    case kKeywordSearch: {
      text = "Keywords " + InQuotes(search.words);
      const std::string options = KeywordOptions(search);
      if (!options.empty()) text += " (" + options + ")";
      break;
    }
    case kCategorySearch:
      text = "Category " + search.words;
      break;
    case kCompletedSearch:
      text = "Completed items " + InQuotes(search.words);
      break;
    case kFeaturedSearch:
      text = "Featured auctions";
      break;
    default:
      text = "Search";
      break;
  }
  text += kDot + std::string("at least ") + std::to_string(minimumBids) + " bids" + kDot +
          search.source;
  if (!search.marketplace.empty()) text += " (" + search.marketplace + ")";
  return text;
}

}  // namespace lotwise
