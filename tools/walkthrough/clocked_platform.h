#pragma once

#include <chrono>
#include <optional>
#include <utility>

#include "http/headless_platform.h"

namespace lotwise {

// The platform without a desktop, its clock set where a tool or test needs the reports to
// say a moment of its own (while the sample marketplace's auctions run); the machine's
// clock when none is set.
class ClockedPlatform : public HeadlessPlatform {
 public:
  ClockedPlatform(Hooks hooks, CurlFetcher::Options fetchOptions,
                  std::optional<std::chrono::system_clock::time_point> now)
      : HeadlessPlatform(std::move(hooks), fetchOptions), now_(now) {}

  std::chrono::system_clock::time_point Now() override {
    return now_ ? *now_ : HeadlessPlatform::Now();
  }

 private:
  std::optional<std::chrono::system_clock::time_point> now_;
};

}  // namespace lotwise
