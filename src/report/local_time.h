#pragma once

#include <cstdint>
#include <string>

namespace lotwise {

// A moment as the user's clock shows it: in the time zone the system is set to (on
// POSIX systems the TZ variable, else the system's zone).
struct LocalTime {
  std::int64_t year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int offsetMinutes = 0;  // east of UTC
  // "CET", "PST", "UTC"; "UTC+05:30" where the zone has no short name, and on Windows
  std::string zone;
};

// The moment `utcSeconds` (since 1970) in the user's time zone; in UTC where the system
// cannot convert it.
LocalTime ToLocalTime(std::int64_t utcSeconds);

// "9 Dec 2026 18:30", or without the year "9 Dec 18:30".
std::string DayAndTime(const LocalTime& time, bool withYear);

}  // namespace lotwise
