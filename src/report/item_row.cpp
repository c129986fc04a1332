#include "report/item_row.h"

#include <array>
#include <cstdint>
#include <optional>

#include "report/redirect.h"
#include "text/numbers.h"
#include "text/percent_encoding.h"

namespace lotwise {
namespace {

void AppendEscapedHtml(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '\r':
      case '\n':
        out += ' ';
        break;
      default:
        out += c;
    }
  }
}

std::string Html(std::string_view text) {
  std::string out;
  AppendEscapedHtml(out, text);
  return out;
}

}  // namespace

std::string ItemLink(const ListedItem& item, const Config& config) {
  if (!item.itemAffiliateWebUrl.empty()) return item.itemAffiliateWebUrl;
  if (!RedirectConfigured(config)) return item.itemWebUrl;
  // The address as the value of the redirect's "loc" parameter, its slashes kept.
  return RedirectPrefix(config, config.itemPageLinkId) + PercentEncoded(item.itemWebUrl, "/");
}

namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Civil {
  std::int64_t year;
  int month;
  int day;
};

Civil CivilFromDays(std::int64_t z) {
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

// The day of the month of the n-th Sunday (n from 1) of a month.
int NthSunday(std::int64_t year, int month, int n) {
  const std::int64_t first = DaysFromCivil(year, month, 1);
  const int weekday = static_cast<int>(((first % 7) + 11) % 7);  // 0 Sunday (1970-01-01: Thursday)
  return 1 + (7 - weekday) % 7 + 7 * (n - 1);
}

// Seconds since 1970 of a UTC date and time "yyyy-MM-ddThh:mm:ss..."; nothing for any
// other text.
std::optional<std::int64_t> UtcSeconds(std::string_view text) {
  if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':') {
    return std::nullopt;
  }
  const auto number = [&](std::size_t at, std::size_t length) {
    return ToInt32(text.substr(at, length));
  };
  const auto year = number(0, 4), month = number(5, 2), day = number(8, 2);
  const auto hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
  if (!year || !month || !day || !hour || !minute || !second || *month < 1 || *month > 12 ||
      *day < 1 || *day > 31 || *hour > 23 || *minute > 59 || *second > 60) {
    return std::nullopt;
  }
  return DaysFromCivil(*year, *month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
}

}  // namespace

std::string PacificEndTime(std::string_view endDate) {
  const std::optional<std::int64_t> utc = UtcSeconds(endDate);
  if (!utc) return std::string(endDate);
  // Daylight time from 2:00 standard time on the second Sunday of March (10:00 UTC) to
  // 2:00 daylight time on the first Sunday of November (9:00 UTC).
  const std::int64_t year = CivilFromDays(*utc / 86400 - (*utc % 86400 < 0)).year;
  const std::int64_t daylightFrom =
      DaysFromCivil(year, 3, NthSunday(year, 3, 2)) * 86400 + 10 * 3600;
  const std::int64_t daylightTo =
      DaysFromCivil(year, 11, NthSunday(year, 11, 1)) * 86400 + 9 * 3600;
  const bool daylight = *utc >= daylightFrom && *utc < daylightTo;
  const std::int64_t local = *utc - (daylight ? 7 : 8) * 3600;
  std::int64_t days = local / 86400;
  std::int64_t seconds = local % 86400;
  if (seconds < 0) {
    seconds += 86400;
    --days;
  }
  const Civil date = CivilFromDays(days);
  static constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const auto two = [](std::int64_t value) {
    return std::string(value < 10 ? "0" : "") + std::to_string(value);
  };
  return std::string(kMonths[static_cast<std::size_t>(date.month - 1)]) + "-" + two(date.day) +
         " " + two(seconds / 3600) + ":" + two(seconds % 3600 / 60);
}

std::string ItemRow(const ListedItem& item, const Config& config) {
  const std::string link = Html(ItemLink(item, config));
  std::string row =
      "<table width=\"100%\" cellpadding=3 border=0 cellspacing=0 bgcolor=\"#FFFFFF\">"
      "<tr valign=middle><td width=\"12%\" align=center>";
  if (!item.imageUrl.empty()) {
    row += "<a href=\"" + link + "\" target=\"_blank\"><img src=\"" + Html(item.imageUrl) +
           "\" border=0 width=80></a>";
  }
  row += "</td><td width=\"50%\"><a href=\"" + link + "\" target=\"_blank\">" + Html(item.title) +
         "</a></td><td width=\"12%\" align=right><b>" + Html(item.price) +
         (item.currency.empty() ? "" : " " + Html(item.currency)) +
         "</b></td><td align=center width=\"10%\">" + std::to_string(item.bidCount) +
         "</td><td width=\"16%\" align=center>" + Html(PacificEndTime(item.endDate)) +
         "</td></tr></table>";
  return row;
}

}  // namespace lotwise
