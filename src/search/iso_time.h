#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lotwise {

// Seconds since 1970 of a UTC moment as the CSV gives it ("2026-12-10T18:30:00Z", a
// fraction before the "Z" allowed); nothing for any other text.
std::optional<std::int64_t> IsoSeconds(std::string_view text);

// When an end as the CSV gives it has passed: the moment itself, or for a day alone
// ("2026-12-10") the end of that day in UTC; nothing for any other text.
std::optional<std::int64_t> EndSeconds(std::string_view text);

// "2026-12-10T18:30:00Z".
std::string IsoText(std::int64_t seconds);

}  // namespace lotwise
