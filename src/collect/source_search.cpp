#include "collect/source_search.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <limits>
#include <string_view>
#include <unordered_set>

#include "search/categories.h"
#include "search/minimum_bids.h"
#include "text/characters.h"
#include "text/numbers.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr long long kMostResults = 10000;  // the API gives no result past this offset
constexpr int kAnyWord = 1;
constexpr int kExactPhrase = 2;
constexpr std::chrono::milliseconds kServerRetryPause{2000};
constexpr char kCallLimit[] =
    "The marketplace's daily call limit for this application is reached; try again tomorrow";

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (IsBlank(c)) {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

std::string Joined(const std::vector<std::string>& words, std::string_view between) {
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) text += between;
    text += word;
  }
  return text;
}

std::string Trimmed(const std::string& text) {
  const std::vector<std::string> words = Words(text);
  return Joined(words, " ");
}

// A price as typed, as a decimal number with a point: "12.50", "1,000.50" (1000.50),
// "1,000" (1000), "12,50" (12.50); empty when what is typed is not one (a sign, a word,
// two points).
std::string PriceOf(const std::string& typed) {
  const std::string text = Trimmed(typed);
  const std::size_t comma = text.find(',');
  // A comma groups thousands when a point follows or three digits end the text after it;
  // otherwise it is the decimal point.
  const bool grouping = text.find('.') != std::string::npos ||
                        (comma != std::string::npos && comma + 4 == text.size());
  std::string price;
  std::size_t points = 0;
  for (const char c : text) {
    if (c == ',' && grouping) continue;
    if (c == '.' || c == ',') {
      ++points;
      price += '.';
    } else if (IsDigit(c)) {
      price += c;
    } else {
      return {};
    }
  }
  if (points > 1 || price.empty() || price.front() == '.' || price.back() == '.') return {};
  return price;
}

double PriceValue(const std::string& price) {
  double value = 0;
  std::from_chars(price.data(), price.data() + price.size(), value);
  return value;
}

// The title holds `word` as a word of its own, ignoring case.
bool HoldsWord(std::string_view title, std::string_view word) {
  for (std::size_t at = InStrCI(title, word); at > 0; at = InStrCI(title, word, at + 1)) {
    const std::size_t begin = at - 1;
    const std::size_t end = begin + word.size();
    const bool startsWord = begin == 0 || !IsWordCharacter(title[begin - 1]);
    const bool endsWord = end == title.size() || !IsWordCharacter(title[end]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool TitleKept(const SourceSearch& request, const ListedItem& item) {
  if (!request.phrase.empty() && InStrCI(item.title, request.phrase) == 0) return false;
  for (const std::string& word : request.excluded) {
    if (HoldsWord(item.title, word)) return false;
  }
  return true;
}

// One request with the retry of a failure of the source's own.
template <typename Request>
ListingPage Asked(SearchContext& search, const Request& request) {
  try {
    return request();
  } catch (const ListingError& failure) {
    if (failure.kind() != ListingError::Kind::kServer) throw;
    search.platform.Pause(kServerRetryPause);
    if (search.state.StopRequested == 1) return {};
  }
  return request();
}

// The message for a refusal of the source, which ends the search or its collection.
std::string RefusalMessage(const ListingError& failure) {
  return failure.kind() == ListingError::Kind::kCallLimit ? kCallLimit : failure.what();
}

// The items of a search so far, each once.
class KeptItems {
 public:
  KeptItems(SearchContext& search, const SourceSearch& request, bool checkTitles)
      : search_(search), request_(request), checkTitles_(checkTitles) {}

  // Keeps the items of a page the search asked for, in the order received; gives whether
  // the page held any item not seen before.
  bool Keep(ListingPage& page) {
    bool anyNew = page.items.empty();
    search_.summary.itemsSeen += static_cast<long long>(page.items.size());
    for (ListedItem& item : page.items) {
      const std::string& id = item.itemId.empty() ? item.legacyItemId : item.itemId;
      if (!id.empty() && !seen_.insert(id).second) continue;
      anyNew = true;
      // The marketplace may widen a search: what it was not asked for is left out.
      if (!item.auction || item.bidCount < request_.query.minimumBids) continue;
      if (checkTitles_ && !TitleKept(request_, item)) continue;
      if (search_.items.size() == static_cast<std::size_t>(kMostResults)) break;
      search_.items.push_back(std::move(item));
    }
    return anyNew;
  }

 private:
  SearchContext& search_;
  const SourceSearch& request_;
  bool checkTitles_;
  std::unordered_set<std::string> seen_;
};

void ShowWarnings(SearchContext& search, const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  const std::string text = "The marketplace warns: " + Joined(warnings, " ");
  search.summary.message = text;
  search.platform.MessageBox(text);
}

std::string Plural(long long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The search of the search's kind, for the source's currency.
std::optional<SourceSearch> RequestOf(const SearchContext& search, int minimum) {
  const SearchControls& controls = search.controls;
  const std::string currency = search.listings->Currency();
  switch (search.state.SearchKind) {
    case kKeywordSearch:
      return SourceKeywordSearch(controls.KeywordTab(), minimum, currency);
    case kCategorySearch:
      return SourceCategorySearch(controls.CategoryTyped(), minimum, currency);
    case kCompletedSearch:
      return SourceCompletedSearch(controls.CompletedKeywordsTyped(), minimum);
    default:
      return std::nullopt;
  }
}

// The collection of CollectItems.
void CollectPages(SearchContext& search) {
  SearchState& state = search.state;
  SearchControls& controls = search.controls;
  ListingSource& source = *search.listings;
  if (state.StopRequested == 1) return;
  if (const std::optional<std::string> problem = InputProblem(state.SearchKind, controls)) {
    controls.EndWithReason(*problem);
    return;
  }
  const std::optional<SourceSearch> request =
      RequestOf(search, MinimumBidCount(controls.MinimumBidsTyped()));
  if (!request) return;  // the inputs were checked: no such search

  ListingPage page;
  try {
    page = Asked(search, [&] { return source.Search(request->query); });
  } catch (const ListingError& failure) {
    if (failure.kind() == ListingError::Kind::kServer) throw;
    controls.EndWithMessage(RefusalMessage(failure));
    return;
  }
  if (state.StopRequested == 1) return;
  const bool totalKnown = page.total >= 0;
  state.TotalFound = static_cast<std::int32_t>(
      std::clamp<long long>(page.total, 0, std::numeric_limits<std::int32_t>::max()));
  const int pageSize = std::max(1, source.PageSize());
  if (totalKnown) {
    search.summary.pagesExpected = static_cast<int>(
        (std::min<long long>(std::max<long long>(page.total, 1), kMostResults) + pageSize - 1) /
        pageSize);
    controls.ShowStatus(std::to_string(page.total) + " auctions found");
  } else {
    controls.ShowStatus(Plural(1, "page", "pages") + " searched.");
  }
  ShowWarnings(search, page.warnings);

  KeptItems kept(search, *request, !source.MatchesWords());
  for (long long offset = 0;;) {
    if (state.SeeIncomplete == 0) controls.OfferIncompleteResults();
    ++search.summary.pagesCollected;
    search.platform.DoEvents();
    if (state.StopRequested == 1) return;
    const bool anyNew = kept.Keep(page);
    if (state.SeeIncomplete == 1) return;
    if (page.next.empty() || !anyNew || offset + pageSize >= kMostResults) return;
    offset += pageSize;
    state.ListOffset = static_cast<std::int32_t>(offset);
    controls.ShowStatus(
        totalKnown ? std::to_string(offset) + " of " + std::to_string(page.total) + " searched."
                   : Plural(search.summary.pagesCollected + 1, "page", "pages") + " searched.");
    const std::string next = page.next;
    try {
      page = Asked(search, [&] { return source.Next(next); });
    } catch (const ListingError& failure) {
      if (failure.kind() == ListingError::Kind::kServer) throw;
      // What was collected before is kept and reported.
      search.summary.message = RefusalMessage(failure);
      search.platform.MessageBox(search.summary.message);
      return;
    }
    if (state.StopRequested == 1) return;
  }
}

}  // namespace

std::string ApiFilter(int minimumBids, const std::string& lowestPrice,
                      const std::string& highestPrice, const std::string& currency,
                      bool inDescription) {
  std::string filter = "buyingOptions:{AUCTION}";
  if (minimumBids >= 1) filter += ",bidCount:[" + std::to_string(minimumBids) + "]";
  const std::string low = Trimmed(lowestPrice);
  const std::string high = Trimmed(highestPrice);
  if (!low.empty() || !high.empty()) {
    // A closed range either way: whether the API takes an open one is not known.
    filter += ",price:[" + (low.empty() ? std::string("0") : low) + ".." +
              (high.empty() ? std::string("1000000000") : high) + "],priceCurrency:" + currency;
  }
  if (inDescription) filter += ",searchInDescription:true";
  return filter;
}

std::optional<SourceSearch> SourceKeywordSearch(const KeywordInputs& inputs, int minimumBids,
                                                const std::string& currency) {
  const std::vector<std::string> words = Words(inputs.title);
  if (words.empty()) return std::nullopt;
  SourceSearch request;
  ListingQuery& query = request.query;
  query.kind = kKeywordSearch;
  query.words = Joined(words, " ");
  query.combine = inputs.combine == kAnyWord || inputs.combine == kExactPhrase ? inputs.combine : 0;
  query.excluded = Trimmed(inputs.excluded);
  query.lowestPrice = PriceOf(inputs.lowestPrice);
  query.highestPrice = PriceOf(inputs.highestPrice);
  query.inDescription = inputs.inDescription;
  query.categoryId = getcatno(inputs.category);
  query.minimumBids = std::max(0, minimumBids);
  if (inputs.combine == kAnyWord && words.size() > 1) {
    query.keywords = "(" + Joined(words, ", ") + ")";
  } else {
    query.keywords = query.words;
  }
  if (inputs.combine == kExactPhrase && words.size() > 1) request.phrase = query.words;
  request.excluded = Words(inputs.excluded);
  query.filter =
      ApiFilter(minimumBids, query.lowestPrice, query.highestPrice, currency, inputs.inDescription);
  return request;
}

std::optional<SourceSearch> SourceCategorySearch(const std::string& category, int minimumBids,
                                                 const std::string& currency) {
  const std::string number = Trimmed(category);
  if (!IsDigits(number)) return std::nullopt;
  SourceSearch request;
  request.query.kind = kCategorySearch;
  request.query.categoryId = number;
  request.query.minimumBids = std::max(0, minimumBids);
  request.query.filter = ApiFilter(minimumBids, "", "", currency, false);
  return request;
}

std::optional<SourceSearch> SourceCompletedSearch(const std::string& words, int minimumBids) {
  const std::vector<std::string> all = Words(words);
  if (all.empty()) return std::nullopt;
  SourceSearch request;
  request.query.kind = kCompletedSearch;
  request.query.words = Joined(all, " ");
  request.query.keywords = request.query.words;
  request.query.minimumBids = std::max(0, minimumBids);
  return request;
}

std::optional<std::string> InputProblem(std::int16_t kind, const SearchControls& controls) {
  const std::string minimum = Trimmed(controls.MinimumBidsTyped());
  if (!minimum.empty() && IsDigits(minimum) && !ToInt16(minimum)) {
    return "The minimum number of bids can be at most 32767.";
  }
  switch (kind) {
    case kKeywordSearch: {
      const KeywordInputs inputs = controls.KeywordTab();
      if (Words(inputs.title).empty()) return "Type the words to search for.";
      const std::string low = Trimmed(inputs.lowestPrice);
      const std::string high = Trimmed(inputs.highestPrice);
      if (!low.empty() && PriceOf(low).empty()) return "The lowest price is not a number: " + low;
      if (!high.empty() && PriceOf(high).empty()) {
        return "The highest price is not a number: " + high;
      }
      if (!low.empty() && !high.empty() && PriceValue(PriceOf(low)) > PriceValue(PriceOf(high))) {
        return "The lowest price is above the highest.";
      }
      return std::nullopt;
    }
    case kCategorySearch: {
      const std::string number = Trimmed(controls.CategoryTyped());
      if (number.empty()) return "Type the number of the category to search.";
      if (!IsDigits(number)) return "A category is a whole number, such as 353: " + number;
      return std::nullopt;
    }
    case kCompletedSearch:
      if (Words(controls.CompletedKeywordsTyped()).empty()) return "Type the words to search for.";
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void CollectItems(SearchContext& search) {
  CollectPages(search);
  // Nothing kept: the message says that nothing was found.
  if (search.items.empty()) search.foundNone = true;
}

}  // namespace lotwise
