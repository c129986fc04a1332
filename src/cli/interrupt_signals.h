#pragma once

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

namespace lotwise {

// Ctrl+C (SIGINT) and SIGTERM, counted by a handler that does nothing but add to an atomic
// count, for the search to read at its next chance. The second one ends the program at
// once, even where the search reads nothing (a report being written, the keychain being
// asked): a thread of its own watches the count, removes the files given and ends the
// program by the signal. A signal that was ignored when the program started (a job started
// in the background by a shell) stays ignored. One at a time.
class InterruptSignals {
 public:
  explicit InterruptSignals(std::vector<std::filesystem::path> removedAtOnce);
  ~InterruptSignals();
  InterruptSignals(const InterruptSignals&) = delete;
  InterruptSignals& operator=(const InterruptSignals&) = delete;

  const std::atomic<int>& count() const;

 private:
  std::vector<std::filesystem::path> removedAtOnce_;
  std::jthread watcher_;
};

}  // namespace lotwise
