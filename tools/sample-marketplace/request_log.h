#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <string_view>

namespace lotwise::sample {

// Writes one line "<method> <target>" per request ("GET /pict/1.jpg") to a stream and
// flushes it at once, so a reader of the log sees every request as soon as it arrives.
class RequestLog {
 public:
  explicit RequestLog(std::ostream& out) : out_(out) {}

  void Record(std::string_view method, std::string_view target);
  std::size_t count() const;
  // Waits until at least `count` requests were recorded or `limit` has passed; true
  // when they were.
  bool WaitForCount(std::size_t count, std::chrono::milliseconds limit);

 private:
  std::ostream& out_;
  mutable std::mutex mutex_;
  std::condition_variable recorded_;
  std::size_t count_ = 0;
};

}  // namespace lotwise::sample
