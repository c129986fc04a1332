#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "search/iso_time.h"

namespace lotwise {

// Seconds since 1970 of a UTC date and time as the sources give it
// ("yyyy-MM-ddThh:mm:ss", any fraction and "Z" after it); nothing for any other text.
std::optional<std::int64_t> UtcSeconds(std::string_view text);

// Seconds since 1970 of the start of a date alone ("yyyy-MM-dd") in UTC; nothing for
// any other text.
std::optional<std::int64_t> UtcDaySeconds(std::string_view text);

// The whole minutes in `seconds`, rounded down: a moment before a minute's end belongs to
// that minute, before 1970 or before the search as after it.
std::int64_t WholeMinutes(std::int64_t seconds);

}  // namespace lotwise
