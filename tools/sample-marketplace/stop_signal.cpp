#include "sample-marketplace/stop_signal.h"

namespace lotwise::sample {

void StopSignal::Raise() {
  {
    std::lock_guard lock(mutex_);
    raised_ = true;
  }
  changed_.notify_all();
}

bool StopSignal::WaitFor(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [this] { return raised_; });
}

}  // namespace lotwise::sample
