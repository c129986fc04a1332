#include "collect/api_search.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <limits>
#include <string_view>

#include "search/categories.h"
#include "search/minimum_bids.h"
#include "text/characters.h"
#include "text/position.h"

namespace lotwise {
namespace {

constexpr long long kMostResults = 10000;  // the API gives no result past this offset
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

bool Kept(const ApiSearch& request, const ListedItem& item) {
  if (!request.phrase.empty() && InStrCI(item.title, request.phrase) == 0) return false;
  for (const std::string& word : request.excluded) {
    if (HoldsWord(item.title, word)) return false;
  }
  return true;
}

// One request with the retry of a failure of the marketplace's own.
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

// The message for a refusal of the API, which ends the search or its collection.
std::string RefusalMessage(const ListingError& failure) {
  return failure.kind() == ListingError::Kind::kCallLimit ? kCallLimit : failure.what();
}

// Keeps the items of a page that the search asked for, in the order received.
void KeepItems(SearchContext& search, const ApiSearch& request, ListingPage& page) {
  for (ListedItem& item : page.items) {
    if (Kept(request, item)) search.items.push_back(std::move(item));
  }
}

void ShowWarnings(SearchContext& search, const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  const std::string text = "The marketplace warns: " + Joined(warnings, " ");
  search.summary.message = text;
  search.platform.MessageBox(text);
}

// The collection of CollectItems.
void CollectPages(SearchContext& search) {
  SearchState& state = search.state;
  SearchControls& controls = search.controls;
  ListingSource& source = *search.listings;
  if (state.StopRequested == 1) return;
  const int minimum = MinimumBidCount(controls.MinimumBidsTyped());
  const std::optional<ApiSearch> request =
      state.SearchKind == kKeywordSearch
          ? ApiKeywordSearch(controls.KeywordTab(), minimum, source.Currency())
          : ApiCategorySearch(controls.CategoryTyped(), minimum, source.Currency());
  if (!request) {
    controls.EndWithMessage(state.SearchKind == kKeywordSearch
                                ? "Type the words to search for."
                                : "Type the number of the category to search.");
    return;
  }

  ListingPage page;
  try {
    page = Asked(search, [&] { return source.Search(request->query); });
  } catch (const ListingError& failure) {
    if (failure.kind() == ListingError::Kind::kServer) throw;
    controls.EndWithMessage(RefusalMessage(failure));
    return;
  }
  if (state.StopRequested == 1) return;
  state.TotalFound = static_cast<std::int32_t>(
      std::clamp<long long>(page.total, 0, std::numeric_limits<std::int32_t>::max()));
  const int limit = std::max(1, request->query.limit);
  search.summary.pagesExpected = static_cast<int>(
      (std::min<long long>(std::max<long long>(page.total, 1), kMostResults) + limit - 1) / limit);
  controls.ShowStatus(std::to_string(page.total) + " auctions found");
  ShowWarnings(search, page.warnings);

  for (long long offset = 0;;) {
    if (state.SeeIncomplete == 0) controls.OfferIncompleteResults();
    ++search.summary.pagesCollected;
    search.platform.DoEvents();
    if (state.StopRequested == 1) return;
    KeepItems(search, *request, page);
    if (state.SeeIncomplete == 1) return;
    if (page.next.empty() || offset + limit >= kMostResults) return;
    offset += limit;
    state.ListOffset = static_cast<std::int32_t>(offset);
    controls.ShowStatus(std::to_string(offset) + " of " + std::to_string(page.total) +
                        " searched.");
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

std::optional<ApiSearch> ApiKeywordSearch(const KeywordInputs& inputs, int minimumBids,
                                          const std::string& currency) {
  const std::vector<std::string> words = Words(inputs.title);
  if (words.empty()) return std::nullopt;
  ApiSearch request;
  constexpr int kAnyWord = 1;
  constexpr int kExactPhrase = 2;
  if (inputs.combine == kAnyWord && words.size() > 1) {
    request.query.keywords = "(" + Joined(words, ", ") + ")";
  } else {
    request.query.keywords = Joined(words, " ");
  }
  if (inputs.combine == kExactPhrase && words.size() > 1) request.phrase = Joined(words, " ");
  request.excluded = Words(inputs.excluded);
  request.query.categoryId = getcatno(inputs.category);
  request.query.filter = ApiFilter(minimumBids, inputs.lowestPrice, inputs.highestPrice, currency,
                                   inputs.inDescription);
  return request;
}

std::optional<ApiSearch> ApiCategorySearch(const std::string& category, int minimumBids,
                                           const std::string& currency) {
  const std::string number = Trimmed(category);
  if (!IsDigits(number)) return std::nullopt;
  ApiSearch request;
  request.query.categoryId = number;
  request.query.filter = ApiFilter(minimumBids, "", "", currency, false);
  return request;
}

void CollectItems(SearchContext& search) {
  CollectPages(search);
  // Nothing kept: the message says that nothing was found.
  if (search.items.empty()) search.foundNone = true;
}

}  // namespace lotwise
