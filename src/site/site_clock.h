#pragma once

#include <chrono>
#include <cstdint>

namespace lotwise {

// Where the site's source reads the time, so that tests can fix it: the moment a page
// arrived (the times left on its cards count from it), and the time since the last
// request (the pause before the next one counts from it).
class SiteClock {
 public:
  virtual ~SiteClock() = default;
  // Seconds since 1970-01-01 UTC.
  virtual std::int64_t SecondsSince1970() const = 0;
  virtual std::chrono::steady_clock::time_point Steady() const = 0;
};

class SystemSiteClock : public SiteClock {
 public:
  std::int64_t SecondsSince1970() const override {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
  }
  std::chrono::steady_clock::time_point Steady() const override {
    return std::chrono::steady_clock::now();
  }
};

}  // namespace lotwise
