#include "report/utc_time.h"

#include "text/numbers.h"

namespace lotwise {
namespace {

std::optional<int> Field(std::string_view text, std::size_t at, std::size_t length) {
  return ToInt32(text.substr(at, length));
}

}  // namespace

std::optional<std::int64_t> UtcSeconds(std::string_view text) {
  if (text.size() < 19 || text[10] != 'T' || text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  const std::optional<std::int64_t> day = IsoDay(text);
  const auto hour = Field(text, 11, 2), minute = Field(text, 14, 2), second = Field(text, 17, 2);
  if (!day || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 60) {
    return std::nullopt;
  }
  return *day * 86400 + *hour * 3600 + *minute * 60 + *second;
}

std::optional<std::int64_t> UtcDaySeconds(std::string_view text) {
  if (text.size() != 10) return std::nullopt;
  const std::optional<std::int64_t> day = IsoDay(text);
  if (!day) return std::nullopt;
  return *day * 86400;
}

std::int64_t WholeMinutes(std::int64_t seconds) {
  return seconds / 60 - (seconds % 60 < 0 ? 1 : 0);
}

}  // namespace lotwise
