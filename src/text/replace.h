#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// Every occurrence of `find` in `text` replaced by `with`, left to right, matching case
// exactly; an empty `find` replaces nothing. One pass over the text.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with);

}  // namespace lotwise
