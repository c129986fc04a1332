#include "report/local_time.h"

#include <array>
#include <ctime>

#include "report/utc_time.h"

namespace lotwise {
namespace {

constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string Two(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

LocalTime InUtc(std::int64_t utcSeconds) {
  std::int64_t days = utcSeconds / 86400;
  std::int64_t seconds = utcSeconds % 86400;
  if (seconds < 0) {
    seconds += 86400;
    --days;
  }
  const CivilDate date = CivilFromDays(days);
  LocalTime time;
  time.year = date.year;
  time.month = date.month;
  time.day = date.day;
  time.hour = static_cast<int>(seconds / 3600);
  time.minute = static_cast<int>(seconds % 3600 / 60);
  time.zone = "UTC";
  return time;
}

// "UTC+01:00" for an offset of an hour east.
std::string OffsetName(int minutes) {
  if (minutes == 0) return "UTC";
  const int size = minutes < 0 ? -minutes : minutes;
  return std::string("UTC") + (minutes < 0 ? "-" : "+") + Two(size / 60) + ":" + Two(size % 60);
}

#ifndef _WIN32
// A short name as POSIX systems give it ("CET", "EDT"); some zones have only an offset
// ("+04"), which the offset says better.
bool IsShortName(const char* name) {
  std::size_t length = 0;
  for (; name[length] != '\0'; ++length) {
    if (name[length] < 'A' || name[length] > 'Z') return false;
  }
  return length >= 2 && length <= 5;
}
#endif

}  // namespace

LocalTime ToLocalTime(std::int64_t utcSeconds) {
  const auto moment = static_cast<std::time_t>(utcSeconds);
  std::tm fields{};
#ifdef _WIN32
  if (localtime_s(&fields, &moment) != 0) return InUtc(utcSeconds);
#else
  if (localtime_r(&moment, &fields) == nullptr) return InUtc(utcSeconds);
#endif
  LocalTime time;
  time.year = std::int64_t{fields.tm_year} + 1900;
  time.month = fields.tm_mon + 1;
  time.day = fields.tm_mday;
  time.hour = fields.tm_hour;
  time.minute = fields.tm_min;
  // The offset from the fields themselves: tm_gmtoff is not everywhere.
  const std::int64_t asUtc = DaysFromCivil(time.year, time.month, time.day) * 86400 +
                             fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec;
  time.offsetMinutes = static_cast<int>((asUtc - utcSeconds) / 60);
#ifdef _WIN32
  // Windows names its zones in whole words ("W. Europe Standard Time"), and the short
  // names its runtime takes from TZ are not always whole either: the offset says it.
  time.zone = OffsetName(time.offsetMinutes);
#else
  char name[64] = {};
  if (std::strftime(name, sizeof name, "%Z", &fields) > 0 && IsShortName(name)) {
    time.zone = name;
  } else {
    time.zone = OffsetName(time.offsetMinutes);
  }
#endif
  return time;
}

std::string DayAndTime(const LocalTime& time, bool withYear) {
  std::string text =
      std::to_string(time.day) + " " + kMonths[static_cast<std::size_t>(time.month - 1)];
  if (withYear) text += " " + std::to_string(time.year);
  return text + " " + Two(time.hour) + ":" + Two(time.minute);
}

}  // namespace lotwise
