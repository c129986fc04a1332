#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/marketplaces.h"

namespace lotwise {

// Where the searches go.
enum class SearchSource { kClassicPages, kMarketplaceApi, kMarketplaceSite };

// The names of the sources, as LOTWISE_SOURCE, lotwise-search's --source and the settings
// file take them.
struct SourceName {
  std::string_view name;
  SearchSource source;
};
inline constexpr SourceName kSourceNames[] = {
    {"classic", SearchSource::kClassicPages},
    {"api", SearchSource::kMarketplaceApi},
    {"site", SearchSource::kMarketplaceSite},
};

// The source of that name; nothing for another name.
std::optional<SearchSource> SourceNamed(std::string_view name);
// The name of a source.
std::string_view NameOf(SearchSource source);

// The source a fresh installation searches: the marketplace's site in a build for the
// marketplace's own hosts, the classic pages in a build for others (the sample
// marketplace's), which only they serve.
SearchSource DefaultSource();

// What the sources need: the marketplace (whose site is searched, and whose currency the
// prices are in), the API's keys from the marketplace's developer program, its addresses
// and an optional partner campaign, and the address searched instead of the marketplace's
// site (the sample marketplace, a test's server). Named for the API, whose keys they
// held first.
struct ApiSettings {
  SearchSource source = DefaultSource();
  std::string clientId;
  std::string clientSecret;
  std::string baseUrl = "https://api.ebay.com/buy/browse/v1";
  std::string tokenUrl = "https://api.ebay.com/identity/v1/oauth2/token";
  std::string marketplace = "EBAY_US";
  std::string campaignId;
  std::string siteBaseUrl;  // empty: the marketplace's own site
};

// A variable of the environment; nothing when it is not set.
using Environment = std::function<std::optional<std::string>(const char* name)>;
// The process's own environment.
std::optional<std::string> ProcessEnvironment(const char* name);

// The settings with what the environment sets put over them: LOTWISE_SOURCE ("classic",
// "api" or "site"), LOTWISE_API_CLIENT_ID, LOTWISE_API_CLIENT_SECRET, LOTWISE_API_BASE_URL,
// LOTWISE_API_TOKEN_URL, LOTWISE_API_MARKETPLACE, LOTWISE_API_CAMPAIGN_ID,
// LOTWISE_SITE_BASE_URL.
ApiSettings WithEnvironment(ApiSettings settings, const Environment& environment);
// The names of those variables that the environment sets, in that order.
std::vector<std::string> VariablesSet(const Environment& environment);

}  // namespace lotwise
