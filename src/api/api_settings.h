#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/marketplaces.h"

namespace lotwise {

// Where keyword and category searches go.
enum class SearchSource { kClassicPages, kMarketplaceApi };

// What searching through the marketplace's API needs: the application's keys from the
// marketplace's developer program, the addresses, the marketplace and an optional
// partner campaign.
struct ApiSettings {
  SearchSource source = SearchSource::kClassicPages;
  std::string clientId;
  std::string clientSecret;
  std::string baseUrl = "https://api.ebay.com/buy/browse/v1";
  std::string tokenUrl = "https://api.ebay.com/identity/v1/oauth2/token";
  std::string marketplace = "EBAY_US";
  std::string campaignId;
};

// A variable of the environment; nothing when it is not set.
using Environment = std::function<std::optional<std::string>(const char* name)>;
// The process's own environment.
std::optional<std::string> ProcessEnvironment(const char* name);

// The settings with what the environment sets put over them: LOTWISE_SOURCE ("classic"
// or "api"), LOTWISE_API_CLIENT_ID, LOTWISE_API_CLIENT_SECRET, LOTWISE_API_BASE_URL,
// LOTWISE_API_TOKEN_URL, LOTWISE_API_MARKETPLACE, LOTWISE_API_CAMPAIGN_ID.
ApiSettings WithEnvironment(ApiSettings settings, const Environment& environment);
// The names of those variables that the environment sets, in that order.
std::vector<std::string> VariablesSet(const Environment& environment);

}  // namespace lotwise
