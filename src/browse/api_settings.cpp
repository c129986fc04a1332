#include "browse/api_settings.h"

#include <cstdlib>

namespace lotwise {

std::string CurrencyOf(const std::string& marketplace) {
  for (const MarketplaceChoice& choice : kMarketplaces) {
    if (marketplace == choice.id) return choice.currency;
  }
  return "USD";
}

std::optional<std::string> ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

ApiSettings WithEnvironment(ApiSettings settings, const Environment& environment) {
  if (const auto source = environment("LOTWISE_SOURCE")) {
    if (*source == "api") settings.source = SearchSource::kMarketplaceApi;
    if (*source == "classic") settings.source = SearchSource::kClassicPages;
  }
  const auto take = [&environment](const char* name, std::string& value) {
    if (auto set = environment(name)) value = std::move(*set);
  };
  take("LOTWISE_API_CLIENT_ID", settings.clientId);
  take("LOTWISE_API_CLIENT_SECRET", settings.clientSecret);
  take("LOTWISE_API_BASE_URL", settings.baseUrl);
  take("LOTWISE_API_TOKEN_URL", settings.tokenUrl);
  take("LOTWISE_API_MARKETPLACE", settings.marketplace);
  take("LOTWISE_API_CAMPAIGN_ID", settings.campaignId);
  return settings;
}

}  // namespace lotwise
