#pragma once

#include <cstdint>
#include <string_view>

namespace lotwise {

// The count of one bid cell's text: "-" counts 0, a text longer than 3 characters
// counts 0, anything else is read as a whole number (blanks around it allowed) and
// counts 0 when it is not one.
std::int16_t BidTextCount(std::string_view bidText);

}  // namespace lotwise
