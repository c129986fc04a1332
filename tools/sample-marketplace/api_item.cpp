#include "sample-marketplace/api_item.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "sample-marketplace/categories.h"
#include "sample-marketplace/markup.h"

namespace lotwise::sample {
namespace {

using namespace std::chrono;

constexpr year kEndYear{2026};

// "12.50", in a currency.
Json Amount(int cents, std::string_view currency) {
  char value[32];
  std::snprintf(value, sizeof value, "%d.%02d", cents / 100, cents % 100);
  return {{"value", value}, {"currency", currency}};
}

// Every byte but letters, digits and "-._~" as %XX.
std::string QueryEscape(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= 'a' && byte <= 'z') || c == '-' || c == '.' || c == '_' || c == '~') {
      escaped += c;
    } else {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0xFU];
    }
  }
  return escaped;
}

}  // namespace

std::string ApiEndDate(const Item& item) {
  char name[4] = {};
  unsigned dayOfMonth = 0;
  int hour = 0;
  int minute = 0;
  if (std::sscanf(item.endTime.c_str(), "%3s-%u %d:%d", name, &dayOfMonth, &hour, &minute) != 4) {
    return {};
  }
  const auto found = std::find(kEndTimeMonths.begin(), kEndTimeMonths.end(), name);
  if (found == kEndTimeMonths.end()) return {};
  const auto monthNumber = static_cast<unsigned>(found - kEndTimeMonths.begin()) + 1;
  const year_month_day date{kEndYear, month(monthNumber), day(dayOfMonth)};
  if (!date.ok()) return {};
  const sys_time<minutes> local = sys_days(date) + hours(hour) + minutes(minute);
  const sys_days daylightFrom = kEndYear / March / Sunday[2];
  const sys_days daylightTo = kEndYear / November / Sunday[1];
  const bool daylight = local >= daylightFrom + 2h && local < daylightTo + 1h;
  const sys_time<minutes> utc = local + (daylight ? 7h : 8h);
  const sys_days utcDay = floor<days>(utc);
  const year_month_day utcDate(utcDay);
  const hh_mm_ss time(utc - utcDay);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:00.000Z",
                static_cast<int>(utcDate.year()), static_cast<unsigned>(utcDate.month()),
                static_cast<unsigned>(utcDate.day()), static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()));
  return text;
}

std::string ItemWebUrl(std::string_view host, const Item& item) {
  return "http://" + std::string(host) +
         "/ws/eBayISAPI.dll?ViewItem&item=" + std::to_string(item.number);
}

Json ItemSummary(const Item& item, const SummaryContext& context) {
  const std::string number = std::to_string(item.number);
  const std::string webUrl = ItemWebUrl(context.itemHost, item);
  Json summary = {{"itemId", "v1|" + number + "|0"},
                  {"legacyItemId", number},
                  {"title", Title(item)},
                  {"itemWebUrl", webUrl}};
  if (!context.campaignId.empty()) {
    std::string affiliate = webUrl + "&campid=" + QueryEscape(context.campaignId);
    if (!context.referenceId.empty()) affiliate += "&customid=" + QueryEscape(context.referenceId);
    summary["itemAffiliateWebUrl"] = affiliate;
  }
  summary["image"] = {{"imageUrl", PictureAddress(context.itemHost, item)}};
  summary["price"] = Amount(item.priceCents, context.currency);
  summary["currentBidPrice"] = Amount(item.priceCents, context.currency);
  summary["bidCount"] = BidCount(item);
  summary["buyingOptions"] = Json::array({"AUCTION"});
  if (const std::string end = ApiEndDate(item); !end.empty()) summary["itemEndDate"] = end;
  summary["categories"] = Json::array({{{"categoryId", std::to_string(item.category)},
                                        {"categoryName", CategoryName(item.category)}}});
  return summary;
}

}  // namespace lotwise::sample
