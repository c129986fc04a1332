#pragma once

#include <cstdint>
#include <optional>
#include <string>
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

// The day of the date "yyyy-MM-dd" that `text` starts with, in days since 1970; nothing
// for any other text.
std::optional<std::int64_t> IsoDay(std::string_view text);

// Seconds since 1970 of a UTC moment as the CSV gives it ("2026-12-10T18:30:00Z", a
// fraction before the "Z" allowed); nothing for any other text.
std::optional<std::int64_t> IsoSeconds(std::string_view text);

// When an end as the CSV gives it has passed: the moment itself, or for a day alone
// ("2026-12-10") the end of that day in UTC; nothing for any other text.
std::optional<std::int64_t> EndSeconds(std::string_view text);

// "2026-12-10T18:30:00Z".
std::string IsoText(std::int64_t seconds);

}  // namespace lotwise
