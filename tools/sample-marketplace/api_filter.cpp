#include "sample-marketplace/api_filter.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "sample-marketplace/api_request.h"
#include "sample-marketplace/listing.h"

namespace lotwise::sample {
namespace {

constexpr std::array<std::string_view, 4> kBuyingOptions{"AUCTION", "FIXED_PRICE", "BEST_OFFER",
                                                         "CLASSIFIED_AD"};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The entries of a filter: split at commas outside braces and brackets.
std::vector<std::string_view> Entries(std::string_view filter) {
  std::vector<std::string_view> entries;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= filter.size(); ++i) {
    const char c = i < filter.size() ? filter[i] : ',';
    if (c == '{' || c == '[') ++depth;
    if ((c == '}' || c == ']') && depth > 0) --depth;
    if (c == ',' && (depth == 0 || i == filter.size())) {
      if (const auto entry = Trimmed(filter.substr(start, i - start)); !entry.empty()) {
        entries.push_back(entry);
      }
      start = i + 1;
    }
  }
  return entries;
}

// The two ends of "[low..high]", "[low..]", "[..high]" or "[low]" (at least `low`), each
// read by `read`; nullopt when the value is none of these or an end cannot be read.
template <typename T, typename Read>
std::optional<std::pair<std::optional<T>, std::optional<T>>> Range(std::string_view value,
                                                                   Read read) {
  if (value.size() < 3 || value.front() != '[' || value.back() != ']') return std::nullopt;
  const std::string_view inside = value.substr(1, value.size() - 2);
  const auto dots = inside.find("..");
  const std::string_view low = inside.substr(0, dots);
  const std::string_view high =
      dots == std::string_view::npos ? std::string_view() : inside.substr(dots + 2);
  std::pair<std::optional<T>, std::optional<T>> ends;
  if (!low.empty() && !(ends.first = read(low))) return std::nullopt;
  if (!high.empty() && !(ends.second = read(high))) return std::nullopt;
  if (!ends.first && !ends.second) return std::nullopt;
  return ends;
}

// Reads a "{A|B}" of buying options; false for anything else.
bool ReadBuyingOptions(std::string_view value, ApiSearch& search) {
  if (value.size() < 3 || value.front() != '{' || value.back() != '}') return false;
  bool auctions = false;
  for (const std::string_view option : Pieces(value.substr(1, value.size() - 2), '|')) {
    if (std::find(kBuyingOptions.begin(), kBuyingOptions.end(), option) == kBuyingOptions.end()) {
      return false;
    }
    auctions = auctions || option == "AUCTION";
  }
  search.buyingOptionsGiven = true;
  search.auctions = auctions;
  return true;
}

// The price entries of a filter, applied once the whole filter is read.
struct PriceEntries {
  std::optional<std::pair<std::optional<int>, std::optional<int>>> cents;
  std::string_view entry;
  std::optional<std::string_view> currency;
  std::string_view currencyEntry;
};

// Reads one entry; false when its field is unknown or its value cannot be read.
bool ReadEntry(std::string_view entry, ApiSearch& search, PriceEntries& price) {
  const auto colon = entry.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view field = entry.substr(0, colon);
  const std::string_view value = entry.substr(colon + 1);
  if (field == "buyingOptions") return ReadBuyingOptions(value, search);
  if (field == "bidCount") {
    const auto bids = Range<long long>(value, ParseCount);
    if (bids) std::tie(search.minBids, search.maxBids) = *bids;
    return bids.has_value();
  }
  if (field == "price") {
    price.cents = Range<int>(value, ParsePrice);
    price.entry = entry;
    return price.cents.has_value();
  }
  if (field == "priceCurrency") {
    price.currency = value;
    price.currencyEntry = entry;
    return true;
  }
  if (field == "searchInDescription" && (value == "true" || value == "false")) {
    search.filter.description = value == "true";
    return true;
  }
  return false;
}

ApiProblem Warning(int errorId, std::string message, std::string_view entry) {
  return {errorId, std::move(message), {{"filter", std::string(entry)}}};
}

}  // namespace

void ReadFilter(std::string_view filter, std::string_view currency, ApiSearch& search) {
  PriceEntries price;
  for (const std::string_view entry : Entries(filter)) {
    if (!ReadEntry(entry, search, price)) {
      search.warnings.push_back(Warning(
          12002, "The filter '" + std::string(entry) + "' is invalid; it was ignored.", entry));
    }
  }
  if (!price.cents) return;
  if (!price.currency) {
    search.warnings.push_back(Warning(
        12012, "The price filter needs priceCurrency as well; it was not applied.", price.entry));
  } else if (*price.currency != currency) {
    search.warnings.push_back(Warning(12002,
                                      "The priceCurrency must be the marketplace's currency, " +
                                          std::string(currency) +
                                          "; the price filter was not applied.",
                                      price.currencyEntry));
  } else {
    std::tie(search.filter.minCents, search.filter.maxCents) = *price.cents;
  }
}

}  // namespace lotwise::sample
