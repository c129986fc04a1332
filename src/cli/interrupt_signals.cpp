#include "cli/interrupt_signals.h"

#include <signal.h>

#include <chrono>
#include <csignal>
#include <system_error>
#include <utility>

namespace lotwise {
namespace {

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch these");
std::atomic<int> interruptions{0};
std::atomic<int> lastSignal{0};

constexpr int kSignals[] = {SIGINT, SIGTERM};
struct sigaction before[std::size(kSignals)];
bool handled[std::size(kSignals)];

extern "C" void Interrupted(int signal) {
  lastSignal.store(signal);
  interruptions.fetch_add(1);
}

constexpr auto kWatchInterval = std::chrono::milliseconds(20);

}  // namespace

InterruptSignals::InterruptSignals(std::vector<std::filesystem::path> removedAtOnce)
    : removedAtOnce_(std::move(removedAtOnce)) {
  interruptions.store(0);
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], nullptr, &before[i]);
    handled[i] = before[i].sa_handler != SIG_IGN;
    if (!handled[i]) continue;
    struct sigaction action {};
    action.sa_handler = Interrupted;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(kSignals[i], &action, nullptr);
  }
  watcher_ = std::jthread([this](std::stop_token stop) {
    while (!stop.stop_requested()) {
      if (interruptions.load() >= 2) {
        for (const std::filesystem::path& file : removedAtOnce_) {
          std::error_code ignored;
          std::filesystem::remove(file, ignored);
        }
        const int signal = lastSignal.load();
        std::signal(signal, SIG_DFL);
        std::raise(signal);
      }
      std::this_thread::sleep_for(kWatchInterval);
    }
  });
}

InterruptSignals::~InterruptSignals() {
  watcher_.request_stop();
  watcher_.join();
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (handled[i]) sigaction(kSignals[i], &before[i], nullptr);
  }
}

const std::atomic<int>& InterruptSignals::count() const { return interruptions; }

}  // namespace lotwise
