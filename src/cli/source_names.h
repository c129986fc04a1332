#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "api/api_settings.h"

namespace lotwise {

// The values of --source are kSourceNames (api/api_settings.h), as LOTWISE_SOURCE's are.

// The environment with LOTWISE_SOURCE answered by `source` when one is given: the
// settings' own rule, the environment over the settings, then puts it over both.
Environment WithSourceChosen(Environment environment, std::optional<std::string> source);

}  // namespace lotwise
