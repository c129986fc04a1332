#include "cli/source_names.h"

#include <cstring>
#include <utility>

namespace lotwise {

Environment WithSourceChosen(Environment environment, std::optional<std::string> source) {
  if (!source) return environment;
  return [environment = std::move(environment),
          source = std::move(*source)](const char* name) -> std::optional<std::string> {
    if (std::strcmp(name, "LOTWISE_SOURCE") == 0) return source;
    return environment(name);
  };
}

}  // namespace lotwise
