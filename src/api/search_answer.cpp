#include "api/search_answer.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "api/json_fields.h"

namespace lotwise {
namespace {

using api::Json;
using api::Text;
using api::WholeNumber;

constexpr long long kMostBids = 1 << 30;

// A warning as a message for the user; empty for one that says nothing.
std::string WarningWords(const Json& warning) {
  std::string words = Text(warning, "longMessage");
  if (words.empty()) words = Text(warning, "message");
  std::optional<long long> id;
  if (const auto found = warning.find("errorId"); found != warning.end()) id = WholeNumber(*found);
  if (!id) return words;
  const std::string number = std::to_string(*id);
  return words.empty() ? "warning " + number : words + " (" + number + ")";
}

// Whether the item is sold by auction: an answer that lists no buying options says
// nothing against it, since the search asked for auctions.
bool Auction(const Json& summary) {
  const auto options = summary.find("buyingOptions");
  if (options == summary.end()) return true;
  if (options->is_string()) return options->get_ref<const std::string&>() == "AUCTION";
  if (!options->is_array() || options->empty()) return true;
  return std::any_of(options->begin(), options->end(),
                     [](const Json& option) { return option.is_string() && option == "AUCTION"; });
}

// The listing's number of an itemId "v1|123456789012|0" (an item of a group has its
// variation's number last); empty for an id of any other form.
std::string ListingNumber(const std::string& itemId) {
  if (itemId.rfind("v1|", 0) != 0) return {};
  const std::size_t end = itemId.find('|', 3);
  if (end == std::string::npos || end == 3) return {};
  const std::string number = itemId.substr(3, end - 3);
  if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return {};
  }
  return number;
}

// Sets the price and its currency from the amount `key` when it gives a value.
bool TakeAmount(const Json& summary, const char* key, ListedItem& item) {
  const auto amount = summary.find(key);
  if (amount == summary.end() || !amount->is_object()) return false;
  const auto value = amount->find("value");
  if (value == amount->end()) return false;
  std::string text = api::AmountText(*value);
  if (text.empty()) return false;
  item.price = std::move(text);
  item.currency = Text(*amount, "currency");
  return true;
}

ListedItem ItemOf(const Json& summary) {
  ListedItem item;
  item.itemId = Text(summary, "itemId");
  item.legacyItemId = Text(summary, "legacyItemId");
  if (item.legacyItemId.empty()) item.legacyItemId = ListingNumber(item.itemId);
  item.title = Text(summary, "title");
  item.itemWebUrl = Text(summary, "itemWebUrl");
  item.itemAffiliateWebUrl = Text(summary, "itemAffiliateWebUrl");
  if (const auto image = summary.find("image"); image != summary.end() && image->is_object()) {
    item.imageUrl = Text(*image, "imageUrl");
  }
  item.auction = Auction(summary);
  // Old answers give fixed-price items a currentBidPrice too: only an auction has a bid.
  if (!item.auction || !TakeAmount(summary, "currentBidPrice", item)) {
    TakeAmount(summary, "price", item);
  }
  if (const auto bids = summary.find("bidCount"); bids != summary.end()) {
    item.bidCount = static_cast<int>(std::clamp(WholeNumber(*bids).value_or(0), 0LL, kMostBids));
  }
  item.endDate = Text(summary, "itemEndDate");
  return item;
}

}  // namespace

ListingPage ReadSearchAnswer(std::string_view json) {
  const Json answer = Json::parse(json, nullptr, false);
  if (!answer.is_object()) {
    throw ListingError(ListingError::Kind::kServer, 200,
                       "the marketplace's answer could not be read");
  }
  ListingPage page;
  page.total = -1;
  if (const auto total = answer.find("total"); total != answer.end()) {
    page.total = std::max(WholeNumber(*total).value_or(-1), -1LL);
  }
  page.next = Text(answer, "next");
  if (const auto warnings = answer.find("warnings");
      warnings != answer.end() && warnings->is_array()) {
    for (const Json& warning : *warnings) {
      if (!warning.is_object()) continue;
      std::string words = WarningWords(warning);
      if (!words.empty()) page.warnings.push_back(std::move(words));
    }
  }
  const auto items = answer.find("itemSummaries");
  if (items == answer.end() || !items->is_array()) return page;
  page.items.reserve(items->size());
  for (const Json& summary : *items) {
    if (summary.is_object()) page.items.push_back(ItemOf(summary));
  }
  return page;
}

}  // namespace lotwise
