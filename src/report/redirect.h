#pragma once

#include <string>
#include <string_view>

#include "app/config.h"

namespace lotwise {

// The affiliate redirect every report link goes through: "http://", the redirect host,
// "/click-", the link id, "-", the publisher id and "?loc=", followed by the address it
// forwards the reader to.
std::string RedirectPrefix(const Config& config, std::string_view linkId);

// Whether the build names a redirect host. A build with none, or with the placeholder
// of the project's default configuration (a host under the reserved ".invalid"), links
// every report row straight to its item: a link through a host that does not exist would
// lead nowhere.
bool RedirectConfigured(const Config& config);

}  // namespace lotwise
