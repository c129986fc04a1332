#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// The marketplaces Lotwise offers, each with its currency and its site, in the order a
// list shows them. Every source of items (the API, the site) reads this one table.
struct MarketplaceChoice {
  const char* id;
  const char* currency;
  const char* site;  // the site's address without a path
};
inline constexpr MarketplaceChoice kMarketplaces[] = {
    {"EBAY_US", "USD", "https://www.ebay.com"},    {"EBAY_GB", "GBP", "https://www.ebay.co.uk"},
    {"EBAY_DE", "EUR", "https://www.ebay.de"},     {"EBAY_FR", "EUR", "https://www.ebay.fr"},
    {"EBAY_IT", "EUR", "https://www.ebay.it"},     {"EBAY_ES", "EUR", "https://www.ebay.es"},
    {"EBAY_AU", "AUD", "https://www.ebay.com.au"}, {"EBAY_CA", "CAD", "https://www.ebay.ca"}};

// The marketplace of that id; the first (EBAY_US) for one not in the table.
constexpr const MarketplaceChoice& MarketplaceOf(std::string_view id) {
  for (const MarketplaceChoice& choice : kMarketplaces) {
    if (id == choice.id) return choice;
  }
  return kMarketplaces[0];
}

// The currency of a marketplace; "USD" for one not in the table.
inline std::string CurrencyOf(const std::string& marketplace) {
  return MarketplaceOf(marketplace).currency;
}

}  // namespace lotwise
