#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "api/api_settings.h"

namespace lotwise {

// The values of --source, each the source it names; LOTWISE_SOURCE takes the same names.
struct SourceName {
  std::string_view name;
  SearchSource source;
};
inline constexpr SourceName kSourceNames[] = {
    {"classic", SearchSource::kClassicPages},
    {"api", SearchSource::kMarketplaceApi},
};

// The environment with LOTWISE_SOURCE answered by `source` when one is given: the
// settings' own rule, the environment over the settings, then puts it over both.
Environment WithSourceChosen(Environment environment, std::optional<std::string> source);

}  // namespace lotwise
