#include "report/utc_time.h"

#include "text/numbers.h"

namespace lotwise {
namespace {

std::optional<int> Field(std::string_view text, std::size_t at, std::size_t length) {
  return ToInt32(text.substr(at, length));
}

std::optional<std::int64_t> DayOf(std::string_view text) {
  if (text.size() < 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = Field(text, 0, 4), month = Field(text, 5, 2), day = Field(text, 8, 2);
  if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31) {
    return std::nullopt;
  }
  return DaysFromCivil(*year, *month, *day);
}

}  // namespace

std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2), month, day};
}

std::optional<std::int64_t> UtcSeconds(std::string_view text) {
  if (text.size() < 19 || text[10] != 'T' || text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  const std::optional<std::int64_t> day = DayOf(text);
  const auto hour = Field(text, 11, 2), minute = Field(text, 14, 2), second = Field(text, 17, 2);
  if (!day || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 60) {
    return std::nullopt;
  }
  return *day * 86400 + *hour * 3600 + *minute * 60 + *second;
}

std::optional<std::int64_t> UtcDaySeconds(std::string_view text) {
  if (text.size() != 10) return std::nullopt;
  const std::optional<std::int64_t> day = DayOf(text);
  if (!day) return std::nullopt;
  return *day * 86400;
}

}  // namespace lotwise
