#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lotwise {

// A day of the proleptic Gregorian calendar.
struct CivilDate {
  std::int64_t year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
};

// Days since 1970-01-01 of a date, and the date of such a day.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);
CivilDate CivilFromDays(std::int64_t days);

// Seconds since 1970 of a UTC date and time as the sources give it
// ("yyyy-MM-ddThh:mm:ss", any fraction and "Z" after it); nothing for any other text.
std::optional<std::int64_t> UtcSeconds(std::string_view text);

// Seconds since 1970 of the start of a date alone ("yyyy-MM-dd") in UTC; nothing for
// any other text.
std::optional<std::int64_t> UtcDaySeconds(std::string_view text);

}  // namespace lotwise
