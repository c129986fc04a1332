#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lotwise {

// Whole numbers read from pages: blanks around them, a leading sign and "," digit
// grouping are accepted. Empty text, text that is not a whole number and a number
// that does not fit give no value.
std::optional<std::int16_t> ToInt16(std::string_view text);
std::optional<std::int32_t> ToInt32(std::string_view text);

// True when the text is a whole number in the form above, whether or not it fits.
bool IsWholeNumber(std::string_view text);

// The minimum bid count typed by the user: like ToInt16, but a decimal fraction is
// rounded to the nearest whole number, a half to the even neighbour.
std::optional<std::int16_t> RoundToInt16(std::string_view text);

}  // namespace lotwise
