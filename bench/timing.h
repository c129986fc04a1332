#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace lotwise::bench {

// Wall-clock seconds that `work` takes.
template <typename Work>
double Seconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds of processor time that `work` takes on this thread (in the program and in
// the system for it): unlike wall-clock time, not stretched when other programs share
// the processors.
template <typename Work>
double CpuSeconds(Work&& work) {
  const auto now = [] {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
  };
  const double start = now();
  work();
  return now() - start;
}

// Both clocks over one run of `work`.
struct Times {
  double wall = 0;  // seconds
  double cpu = 0;   // seconds of this thread
};
template <typename Work>
Times Measure(Work&& work) {
  Times times;
  times.wall = Seconds([&] { times.cpu = CpuSeconds(work); });
  return times;
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace lotwise::bench
