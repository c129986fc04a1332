#pragma once

// The growth of a function on hostile input (its time on an input twice as large), and
// the main of the benchmarks that measure it.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "timing.h"

namespace lotwise::bench {

// Times `run` on make(1) and make(2) in processor time of this thread, each as often
// as it takes make(1) to last 50 ms, nine times each in turn; the growth is the median
// of the nine ratios of a time on make(2) to the time on make(1) just before it, so
// that each ratio compares times taken under the same disturbance by other programs
// sharing the caches. The times shown are the shortest.
template <typename Make, typename Run>
void Growth(benchmark::State& state, Make make, Run run) {
  const std::string once = make(1);
  const std::string twice = make(2);
  run(once);
  run(twice);
  const double single = CpuSeconds([&] { run(once); });
  const int rounds = std::max(1, static_cast<int>(std::ceil(0.05 / std::max(single, 1e-9))));
  const auto timed = [&](const std::string& input) {
    return CpuSeconds([&] {
      for (int i = 0; i < rounds; ++i) run(input);
    });
  };
  for (auto _ : state) {
    std::vector<double> onceTimes;
    std::vector<double> twiceTimes;
    std::vector<double> ratios;
    for (int i = 0; i < 9; ++i) {
      onceTimes.push_back(timed(once));
      twiceTimes.push_back(timed(twice));
      ratios.push_back(twiceTimes.back() / onceTimes.back());
    }
    const double n = *std::min_element(onceTimes.begin(), onceTimes.end()) / rounds;
    const double n2 = *std::min_element(twiceTimes.begin(), twiceTimes.end()) / rounds;
    state.SetIterationTime(n);
    state.counters["n_ms"] = n * 1e3;
    state.counters["2n_ms"] = n2 * 1e3;
    state.counters["growth"] = Median(ratios);
  }
  state.counters["n_KiB"] = static_cast<double>(once.size()) / 1024;
}

// Runs the benchmarks with freed memory kept by the program for the next call. Left to
// itself, glibc moves its threshold for memory taken straight from the system as blocks
// are freed, so that the outputs of one size are reused and those of twice the size are
// handed back and faulted in again on every call: the growth would show that, not the
// work of the function.
inline int RunKeepingFreedMemory(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace lotwise::bench

// A growth benchmark `name` of `run` on what `make` makes of 1 and 2, written inside
// namespace lotwise::bench.
#define LOTWISE_GROWTH(name, make, run)      \
  BENCHMARK_CAPTURE(Growth, name, make, run) \
      ->UseManualTime()                      \
      ->Iterations(1)                        \
      ->Unit(benchmark::kMillisecond)
