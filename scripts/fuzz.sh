#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each of them in turn.
#
#   scripts/fuzz.sh [seconds-per-target] [most-runs-per-target]
#
# Defaults: 600 seconds, no run limit. Each target starts from its seeds in
# fuzz/corpus/<target>/ and keeps what it finds in $LOTWISE_FUZZ_DIR/corpus/<target>/
# (default build/fuzz in the checkout); a crashing, leaking or slow (over 1 s) input is
# saved under $LOTWISE_FUZZ_DIR/artifacts/. Prints a table of executions and fails when
# any target found something. LOTWISE_FUZZ_TARGETS="a b" runs only those targets;
# LOTWISE_FUZZ_MAX_LEN sets the largest input (default 4096 bytes).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
runs="${2:--1}"
build="${LOTWISE_FUZZ_DIR:-build/fuzz}"
jobs="${LOTWISE_FUZZ_BUILD_JOBS:-$(nproc)}"

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j"$jobs"

targets="${LOTWISE_FUZZ_TARGETS:-$(cat "$build/fuzz/targets.txt")}"
mkdir -p "$build/artifacts" "$build/logs"
failed=0
rows=()
for target in $targets; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  log="$build/logs/$target.log"
  status=ok
  if ! "$build/fuzz/$target" "$corpus" "fuzz/corpus/$target" -max_total_time="$seconds" \
      -runs="$runs" -timeout=1 -rss_limit_mb=2048 -max_len="${LOTWISE_FUZZ_MAX_LEN:-4096}" -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1; then
    status=FAILED
    failed=1
    echo "== $target found a fault; the end of $log:" >&2
    tail -n 40 "$log" >&2
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
  rows+=("$(printf '%-20s %14s %10s %8s  %s' "$target" "${execs:-?}" "${speed:-?}" "${took:-?}" "$status")")
done

printf '%-20s %14s %10s %8s  %s\n' target executions exec/s seconds result
printf '%s\n' "${rows[@]}"
exit "$failed"
