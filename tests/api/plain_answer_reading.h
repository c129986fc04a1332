#pragma once

// The reading of a search answer of the marketplace's API done plainly, for the tests to
// hold ReadSearchAnswer against on the answers others recorded. It shares no code with
// the reader and reads differently: it walks the document with json::contains and
// json::at, and takes every field with get<T>() as the type the published schema gives
// it (a text, an integer, an array of texts), so that a field of another type makes it
// throw instead of guessing. It decides the price field by field (an auction's
// currentBidPrice when the item has one, else its price) and takes that amount's value
// and currency without looking further. Where the reader is lenient (numbers as text,
// amounts without a value, a total that is no count) it knows nothing: answers of those
// shapes are the hand-made cases of api_source_test.cpp.

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/listing_source.h"

namespace lotwise::testing {

inline std::string PlainText(const nlohmann::json& object, const char* key) {
  return object.contains(key) ? object.at(key).get<std::string>() : std::string();
}

inline ListedItem PlainItem(const nlohmann::json& summary) {
  ListedItem item;
  item.itemId = PlainText(summary, "itemId");
  item.legacyItemId = PlainText(summary, "legacyItemId");
  // An itemId is "v1|<listing>|<variation>": the listing's number is its middle part.
  if (!summary.contains("legacyItemId") && item.itemId.starts_with("v1|")) {
    const std::string rest = item.itemId.substr(3);
    item.legacyItemId = rest.substr(0, rest.find('|'));
  }
  item.title = PlainText(summary, "title");
  item.itemWebUrl = PlainText(summary, "itemWebUrl");
  item.itemAffiliateWebUrl = PlainText(summary, "itemAffiliateWebUrl");
  if (summary.contains("image")) item.imageUrl = PlainText(summary.at("image"), "imageUrl");

  item.auction = true;
  if (summary.contains("buyingOptions")) {
    const auto options = summary.at("buyingOptions").get<std::vector<std::string>>();
    item.auction =
        options.empty() || std::find(options.begin(), options.end(), "AUCTION") != options.end();
  }
  const char* priceField = nullptr;
  if (item.auction && summary.contains("currentBidPrice")) {
    priceField = "currentBidPrice";
  } else if (summary.contains("price")) {
    priceField = "price";
  }
  if (priceField != nullptr) {
    const nlohmann::json& amount = summary.at(priceField);
    item.price = amount.at("value").get<std::string>();
    item.currency = amount.at("currency").get<std::string>();
  }
  item.bidCount = summary.contains("bidCount") ? summary.at("bidCount").get<int>() : 0;
  item.endDate = PlainText(summary, "itemEndDate");
  return item;
}

inline ListingPage PlainPage(const nlohmann::json& answer) {
  ListingPage page;
  page.total = answer.contains("total") ? answer.at("total").get<long long>() : -1;
  page.next = PlainText(answer, "next");
  if (answer.contains("warnings")) {
    for (const nlohmann::json& warning : answer.at("warnings")) {
      std::string words = PlainText(warning, "longMessage");
      if (words.empty()) words = PlainText(warning, "message");
      page.warnings.push_back(words + " (" +
                              std::to_string(warning.at("errorId").get<long long>()) + ")");
    }
  }
  if (answer.contains("itemSummaries")) {
    for (const nlohmann::json& summary : answer.at("itemSummaries")) {
      page.items.push_back(PlainItem(summary));
    }
  }
  return page;
}

// The fields of an item, one "name: value" line each, for comparisons that show which
// field differs.
inline std::string Described(const ListedItem& item) {
  return "itemId: " + item.itemId + "\nlegacyItemId: " + item.legacyItemId +
         "\ntitle: " + item.title + "\nitemWebUrl: " + item.itemWebUrl +
         "\nitemAffiliateWebUrl: " + item.itemAffiliateWebUrl + "\nimageUrl: " + item.imageUrl +
         "\nprice: " + item.price + "\ncurrency: " + item.currency +
         "\nbidCount: " + std::to_string(item.bidCount) + "\nendDate: " + item.endDate +
         "\nauction: " + (item.auction ? "yes" : "no") + "\n";
}

}  // namespace lotwise::testing
