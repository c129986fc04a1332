#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them: the report writer against the
# pass-per-count writer and against the scan, its peak memory, the growth of every hot
# path on hostile input, page collection against the curl program, the longest
# stretch a whole search leaves the window without handling input, and a search through
# the marketplace's API (against the sample's mock of it) against the curl program, the
# reading of the site's result pages against libgumbo and on hostile pages, a search
# through the site (against the sample's result pages) against the curl program with the
# same pauses, the report of 10,000 items of a source against its CSV, with its size, and
# the history of searches: recording 10,000 items against a bare loop of SQLite inserts,
# and what changed after a year of daily runs, with the size of that history. Each
# benchmark runs three times; the tables show the medians, and the last table sets each
# goal against its median. Takes nine to ten minutes on two shared processors.
#
#   LOTWISE_BENCH_BUILD  build folder (build/bench)
#   LOTWISE_BENCH_DIR    folder for the page files and reports, about 2 GB (system temp)
#   LOTWISE_BENCH_JOBS   parallel compile jobs (2)
#   LOTWISE_BENCH_REPS   repetitions of each benchmark (3)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${LOTWISE_BENCH_BUILD:-build/bench}"
jobs="${LOTWISE_BENCH_JOBS:-2}"
reps="${LOTWISE_BENCH_REPS:-3}"

bash scripts/install-deps.sh
# libgumbo: what the reading of the site's pages is measured against.
bash scripts/install-packages.sh libgumbo-dev
# The bench preset builds at -O2: GCC 12 at -O3 reports a false -Wrestrict in
# std::string concatenation.
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j"$jobs" --target lotwise_bench_report lotwise_bench_hostile \
  lotwise_bench_collect lotwise_bench_api lotwise_bench_site lotwise_bench_site_search \
  lotwise_bench_item_report lotwise_bench_history

results="$build/results"
mkdir -p "$results"
echo
echo "date:    $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(free -g | awk '/Mem:/ {print $2}') GiB"
echo "load:    $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) before the run"
echo "command: scripts/bench.sh (repetitions: $reps)"

for bench in report hostile collect api site site_search item_report history; do
  echo
  "$build/bench/lotwise_bench_$bench" --benchmark_repetitions="$reps" \
    --benchmark_display_aggregates_only=true --benchmark_counters_tabular=true \
    --benchmark_out="$results/$bench.json" --benchmark_out_format=json 2>&1 |
    grep -E -v '^(Run on|CPU Caches|  L[0-9]|Load Average|\*\*\*WARNING|[0-9]{4}-)' |
    grep -E -v '_(mean|stddev|cv) ' || echo "lotwise_bench_$bench failed"
done

echo
echo "load:    $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) after the run"
echo
# The goals against the medians, read from the JSON files (one "key": value a line).
awk '
  function flush() {
    if (name != "") names[name] = 1
    if (name != "" && aggregate == "median") {
      for (k in value) median[name, k] = value[k]
    }
    delete value
  }
  /"name":/ {
    flush(); name = $0; aggregate = ""
    sub(/.*"name": "/, "", name); sub(/",?$/, "", name)
    sub(/\/iterations.*/, "", name); sub(/_(mean|median|stddev|cv)$/, "", name)
  }
  /"aggregate_name":/ { aggregate = $0; sub(/.*: "/, "", aggregate); sub(/".*/, "", aggregate) }
  /^ *"[A-Za-z0-9_]+": -?[0-9.eE+-]+,?$/ {
    key = $1; gsub(/[":]/, "", key); v = $2; sub(/,$/, "", v); value[key] = v + 0
  }
  # One goal: the median of counter `key` of benchmark `n`, at most (or, with `least`,
  # at least) `limit`; "no result" when the benchmark gave none (skipped or failed).
  function goal(text, n, key, format, limit, least, target) {
    if (!((n, key) in median)) {
      printf "%-62s %14s %12s  %s\n", text, "-", target, "no result"
      return
    }
    v = median[n, key]
    ok = least ? v >= limit : v <= limit
    printf "%-62s %14s %12s  %s\n", text, sprintf(format, v), target, ok ? "met" : "NOT met"
  }
  END {
    flush()
    printf "%-62s %14s %12s  %s\n", "goal (medians)", "measured", "target", ""
    for (n in names) {
      if (n ~ /Report10MB/) goal(n " speed-up", n, "speedup", "%.0fx", 100, 1, ">= 100x")
      if (n ~ /Report500MB_VersusScan/) {
        goal(n " report/scan", n, "report_per_scan", "%.2fx", 2, 0, "<= 2x")
        goal(n " (processor time)", n, "report_per_scan_cpu", "%.2fx", 2, 0, "<= 2x")
      }
      if (n ~ /PeakMemory/) {
        goal(n " peak", n, "peak_MiB", "%.1f MiB", median[n, "allowed_MiB"], 0,
             sprintf("%.1f MiB", median[n, "allowed_MiB"]))
      }
      if (n ~ /^Growth/) goal(n, n, "growth", "%.2f", 2.2, 0, "<= 2.2")
      if (n ~ /VersusCurl/) goal(n " lotwise/curl", n, "lotwise_per_curl", "%.3f", 1.1, 0, "<= 1.1")
      if (n ~ /LongestStretch/) goal(n, n, "longest_ms", "%.0f ms", 100, 0, "<= 100 ms")
      if (n ~ /ReadSearchAnswer/) goal(n, n, "real_time", "%.2f ms", 5, 0, "<= 5 ms")
      if (n ~ /SiteSearch5Pages/) {
        goal(n " lotwise/curl", n, "lotwise_per_curl", "%.3f", 1.05, 0, "<= 1.05")
      }
      if (n ~ /SiteVersusGumbo/) {
        goal(n " gumbo/reader", n, "gumbo_per_reader", "%.0fx", 30, 1, ">= 30x")
      }
      if (n ~ /ItemReport10000/) {
        goal(n " report/csv", n, "report_per_csv", "%.2fx", 3, 0, "<= 3x")
        goal(n " size", n, "report_MB", "%.2f MB", 4, 0, "<= 4 MB")
      }
      if (n ~ /History_Record10k/) {
        goal(n " history/bare", n, "record_per_bare", "%.2fx", 1.5, 0, "<= 1.5x")
      }
      if (n ~ /History_Changes10k/) {
        goal(n, n, "read_ms", "%.1f ms", 100, 0, "<= 100 ms")
        if ((n, "history_MiB") in median) {
          printf "%-62s %14s %12s  %s\n", n " (its history)", sprintf("%.1f MiB", median[n, "history_MiB"]), "-", "measured"
        }
      }
    }
  }
' "$results"/report.json "$results"/hostile.json "$results"/collect.json "$results"/api.json "$results"/site.json "$results"/site_search.json "$results"/item_report.json "$results"/history.json | (read -r header; echo "$header"; sort)
