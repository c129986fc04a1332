#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// `text` as an address carries it: letters, digits, "-._~" and the characters of `plain`
// as they are, every other byte written as %XX (upper-case hexadecimal).
std::string PercentEncoded(std::string_view text, std::string_view plain = {});

}  // namespace lotwise
