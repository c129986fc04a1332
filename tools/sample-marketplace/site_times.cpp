#include "sample-marketplace/site_times.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace lotwise::sample {
namespace {

constexpr std::array<int, 12> kDaysBeforeMonth{0,   31,  59,  90,  120, 151,
                                               181, 212, 243, 273, 304, 334};
constexpr std::int64_t kMinutesPerYear = 365 * 24 * 60;
constexpr std::int64_t kMargin = 60 * 60;

// The catalog's end times as minutes on one line: a time earlier than the one before
// has passed into the next year, since the catalog is in order of end time.
std::vector<std::int64_t> CatalogMinutes(const std::vector<Item>& items) {
  std::vector<std::int64_t> minutes;
  minutes.reserve(items.size());
  std::int64_t years = 0;
  for (const Item& item : items) {
    const std::int64_t minute = std::max<std::int64_t>(MinuteOfYear(item.endTime), 0);
    if (!minutes.empty() && minute + years * kMinutesPerYear < minutes.back()) ++years;
    minutes.push_back(minute + years * kMinutesPerYear);
  }
  return minutes;
}

}  // namespace

std::int64_t MinuteOfYear(const std::string& endTime) {
  char name[4] = {};
  int day = 0;
  int hour = 0;
  int minute = 0;
  if (std::sscanf(endTime.c_str(), "%3s-%d %d:%d", name, &day, &hour, &minute) != 4) return -1;
  const auto month = std::find(kEndTimeMonths.begin(), kEndTimeMonths.end(), name);
  if (month == kEndTimeMonths.end() || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59) {
    return -1;
  }
  const int days = kDaysBeforeMonth[static_cast<std::size_t>(month - kEndTimeMonths.begin())];
  return (days + day - 1) * 24LL * 60 + hour * 60LL + minute;
}

SiteTimes::SiteTimes(const std::vector<Item>& items, std::int64_t start)
    : items_(items), start_(start) {
  const std::vector<std::int64_t> minutes = CatalogMinutes(items);
  std::int64_t lastEnded = 0;
  std::int64_t firstCurrent = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].ended) lastEnded = minutes[i];
    if (!items[i].ended && firstCurrent < 0) firstCurrent = minutes[i];
  }
  ends_.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    ends_.push_back(items[i].ended ? start - kMargin - (lastEnded - minutes[i]) * 60
                                   : start + kMargin + (minutes[i] - firstCurrent) * 60);
  }
}

std::int64_t SiteTimes::EndOf(const Item& item) const {
  const auto found = std::lower_bound(
      items_.begin(), items_.end(), item.number,
      [](const Item& listed, std::int64_t number) { return listed.number < number; });
  if (found == items_.end() || found->number != item.number) return start_;
  return ends_[static_cast<std::size_t>(found - items_.begin())];
}

}  // namespace lotwise::sample
