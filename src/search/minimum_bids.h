#pragma once

#include <cstdint>
#include <string_view>

namespace lotwise {

// The minimum bid count typed by the user: the text read by RoundToInt16; a number
// too large for it counts 32767, one too small -32768, and any text that is not a
// number (also empty text) counts 0.
std::int16_t MinimumBidCount(std::string_view typed);

}  // namespace lotwise
