#include "api/api_settings.h"

#include <cstdlib>
#include <utility>

#include "app/config.h"

namespace lotwise {

std::optional<std::string> ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::optional<SearchSource> SourceNamed(std::string_view name) {
  for (const SourceName& known : kSourceNames) {
    if (known.name == name) return known.source;
  }
  return std::nullopt;
}

std::string_view NameOf(SearchSource source) {
  for (const SourceName& known : kSourceNames) {
    if (known.source == source) return known.name;
  }
  return kSourceNames[0].name;
}

SearchSource DefaultSource() {
  return SourceNamed(DefaultSourceName()).value_or(SearchSource::kClassicPages);
}

namespace {

constexpr const char* kSourceVariable = "LOTWISE_SOURCE";

// The variables of the API's settings, each with the setting it gives.
struct Variable {
  const char* name;
  std::string ApiSettings::*setting;
};
constexpr Variable kVariables[] = {{"LOTWISE_API_CLIENT_ID", &ApiSettings::clientId},
                                   {"LOTWISE_API_CLIENT_SECRET", &ApiSettings::clientSecret},
                                   {"LOTWISE_API_BASE_URL", &ApiSettings::baseUrl},
                                   {"LOTWISE_API_TOKEN_URL", &ApiSettings::tokenUrl},
                                   {"LOTWISE_API_MARKETPLACE", &ApiSettings::marketplace},
                                   {"LOTWISE_API_CAMPAIGN_ID", &ApiSettings::campaignId},
                                   {"LOTWISE_SITE_BASE_URL", &ApiSettings::siteBaseUrl}};

}  // namespace

ApiSettings WithEnvironment(ApiSettings settings, const Environment& environment) {
  if (const auto name = environment(kSourceVariable)) {
    if (const std::optional<SearchSource> source = SourceNamed(*name)) settings.source = *source;
  }
  for (const Variable& variable : kVariables) {
    if (auto value = environment(variable.name)) settings.*variable.setting = std::move(*value);
  }
  return settings;
}

std::vector<std::string> VariablesSet(const Environment& environment) {
  std::vector<std::string> set;
  if (environment(kSourceVariable)) set.emplace_back(kSourceVariable);
  for (const Variable& variable : kVariables) {
    if (environment(variable.name)) set.emplace_back(variable.name);
  }
  return set;
}

}  // namespace lotwise
