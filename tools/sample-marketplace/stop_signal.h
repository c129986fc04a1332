#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace lotwise::sample {

// A one-way flag that waiting threads can be woken by: request handlers that delay or
// stall wait on it, so stopping the server never waits for them.
class StopSignal {
 public:
  void Raise();
  // Waits until raised or `limit` has passed; true when raised.
  bool WaitFor(std::chrono::milliseconds limit);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool raised_ = false;
};

}  // namespace lotwise::sample
