#pragma once

#include <cstdint>
#include <vector>

#include "sample-marketplace/catalog.h"

namespace lotwise::sample {

// When each item ends on today's result pages, in seconds since 1970-01-01 UTC. The
// catalog's end times ("Mar-05 18:30") carry no year and no clock of their own, so they
// are laid out around the moment the site starts: the current auctions end from an hour
// after `start` on, the ended ones ended an hour before it and earlier, each as far from
// its neighbours as the catalog's end times are apart. The hour on either side keeps the
// first auctions from ending as soon as a demo starts, and the last sold ones from
// having ended after it.
class SiteTimes {
 public:
  SiteTimes(const std::vector<Item>& items, std::int64_t start);

  std::int64_t start() const { return start_; }
  // The end of an item of the catalog given to the constructor.
  std::int64_t EndOf(const Item& item) const;

 private:
  const std::vector<Item>& items_;
  std::int64_t start_;
  std::vector<std::int64_t> ends_;  // by index in items_
};

// The minutes from the start of a (non-leap) year an end time text names ("Mar-05 18:30"
// is 63 days and 18.5 hours); -1 for a text that is no end time.
std::int64_t MinuteOfYear(const std::string& endTime);

}  // namespace lotwise::sample
