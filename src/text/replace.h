#pragma once

#include <string>
#include <string_view>

#include "text/marker.h"

namespace lotwise {

// Every occurrence of `find` in `text` replaced by `with`, left to right, matching case
// exactly; an empty `find` replaces nothing. One pass over the text.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with);

// The same for a prepared marker, in the letter case rule it was prepared with.
std::string ReplaceAll(std::string_view text, const Marker& find, std::string_view with);

// The same into `out`, whose storage is reused, for texts rewritten one after another:
// when `find` occurs, `out` becomes `text` with every occurrence replaced and the call
// gives true; otherwise `out` is left as it is and the call gives false. `text` must not
// lie in `out`.
bool ReplaceAllInto(std::string_view text, const Marker& find, std::string_view with,
                    std::string& out);

}  // namespace lotwise
