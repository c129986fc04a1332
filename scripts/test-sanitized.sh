#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# in a build folder of its own and runs every test there: any memory fault, leak or
# undefined behaviour fails the test that caused it.
#
#   scripts/test-sanitized.sh [build-folder]      (default build/sanitized)
#
# The Qt window is left out (LOTWISE_BUILD_GUI=OFF): the window model, the page
# collection, the report, the libcurl fetcher and the sample marketplace are all covered;
# the Qt view over them is tested in the regular build.
# Warnings are not errors here: the regular build (scripts/test.sh) already fails on any
# warning, and GCC gives false -Wmaybe-uninitialized warnings inside the standard library
# (std::regex, std::function) once the sanitizers instrument the code.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/sanitized}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# -O1 and line tables only: the sanitizers' reports keep their lines, and the build
# takes far less time than with full optimisation and debug information.
cmake --preset sanitize -B "$build"
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
