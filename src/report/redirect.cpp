#include "report/redirect.h"

namespace lotwise {

std::string RedirectPrefix(const Config& config, std::string_view linkId) {
  std::string prefix = "http://" + config.affiliateHost + "/click-";
  prefix.append(linkId);
  prefix += "-" + config.publisherId + "?loc=";
  return prefix;
}

bool RedirectConfigured(const Config& config) {
  constexpr std::string_view kPlaceholder = ".invalid";
  const std::string_view host = config.affiliateHost;
  return !host.empty() && !host.ends_with(kPlaceholder);
}

}  // namespace lotwise
