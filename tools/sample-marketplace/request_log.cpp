#include "sample-marketplace/request_log.h"

namespace lotwise::sample {

void RequestLog::Record(std::string_view method, std::string_view target) {
  {
    std::lock_guard lock(mutex_);
    out_ << method << ' ' << target << '\n';
    out_.flush();
    ++count_;
  }
  recorded_.notify_all();
}

std::size_t RequestLog::count() const {
  std::lock_guard lock(mutex_);
  return count_;
}

bool RequestLog::WaitForCount(std::size_t count, std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return recorded_.wait_for(lock, limit, [&] { return count_ >= count; });
}

}  // namespace lotwise::sample
