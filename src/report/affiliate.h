#pragma once

#include <string>
#include <string_view>

#include "app/config.h"

namespace lotwise {

// The report row of one line of a category, featured or completed-items page file:
// its absolute links sent through the affiliate redirect, its first short category
// parameter removed, every link opening in a new window, the carried addresses
// escaped. Empty when the line holds no redirected link.
std::string AddAffliate(std::string_view eachline, const Config& config);

// `url` with the addresses carried by its redirect anchors escaped (":" "?" "=" "&"
// as %3A %3F %3D %26, every occurrence of each address), or empty when it holds no
// redirect anchor.
std::string CgiConvert(std::string_view url, const Config& config);

}  // namespace lotwise
