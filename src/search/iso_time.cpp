#include "search/iso_time.h"

#include <cstdio>

namespace lotwise {
namespace {

constexpr std::int64_t kDay = 86400;

bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(std::int64_t days) {
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::optional<std::int64_t> IsoDay(std::string_view text) {
  int year = 0;
  int month = 0;
  int day = 0;
  if (!Digits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || text[7] != '-' ||
      !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day) || month < 1 || month > 12 ||
      day < 1 || day > 31) {
    return std::nullopt;
  }
  return DaysFromCivil(year, month, day);
}

std::optional<std::int64_t> IsoSeconds(std::string_view text) {
  const std::optional<std::int64_t> day = IsoDay(text);
  int hour = 0;
  int minute = 0;
  int second = 0;
  if (!day || text.size() < 20 || text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
      text.back() != 'Z' || !Digits(text, 11, 2, hour) || !Digits(text, 14, 2, minute) ||
      !Digits(text, 17, 2, second) || hour > 23 || minute > 59 || second > 60) {
    return std::nullopt;
  }
  const std::string_view fraction = text.substr(19, text.size() - 20);
  if (!fraction.empty()) {
    int ignored = 0;
    if (fraction[0] != '.' || fraction.size() < 2 ||
        !Digits(fraction, 1, fraction.size() - 1, ignored)) {
      return std::nullopt;
    }
  }
  return *day * kDay + hour * 3600 + minute * 60 + second;
}

std::optional<std::int64_t> EndSeconds(std::string_view text) {
  if (text.size() == 10) {
    if (const std::optional<std::int64_t> day = IsoDay(text)) return (*day + 1) * kDay;
    return std::nullopt;
  }
  return IsoSeconds(text);
}

std::string IsoText(std::int64_t seconds) {
  const std::int64_t days = (seconds >= 0 ? seconds : seconds - (kDay - 1)) / kDay;
  const std::int64_t inDay = seconds - days * kDay;
  const CivilDate date = CivilFromDays(days);
  char text[128];
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ",
                static_cast<long long>(date.year), static_cast<long long>(date.month),
                static_cast<long long>(date.day), static_cast<long long>(inDay / 3600),
                static_cast<long long>(inDay / 60 % 60), static_cast<long long>(inDay % 60));
  return text;
}

}  // namespace lotwise
