#pragma once

#include <chrono>

namespace lotwise {

// Where the API's token reads the time, so that tests can move it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::steady_clock::time_point Now() const = 0;
};

class SteadyClock : public Clock {
 public:
  std::chrono::steady_clock::time_point Now() const override {
    return std::chrono::steady_clock::now();
  }
};

}  // namespace lotwise
