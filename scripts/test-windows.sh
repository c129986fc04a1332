#!/usr/bin/env bash
# Cross-builds the core and its tests for 64-bit Windows with MinGW-w64 and runs the
# tests under Wine through CTest. Installs what is missing first; any build error or
# failing test makes it exit non-zero. No display needed.
#   usage: scripts/test-windows.sh [SOURCE_DIR] [BUILD_DIR]
# SOURCE_DIR defaults to the checkout this script is in, BUILD_DIR to build/windows in it.
set -euo pipefail

src=$(cd "${1:-$(dirname "$0")/..}" && pwd)
build=${2:-$src/build/windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)

# The cross compiler, Wine (64-bit only: /usr/bin/wine starts the 64-bit loader when the
# 32-bit one is absent) and GoogleTest's sources, built for Windows as part of the build.
bash "$(dirname "$0")/install-packages.sh" cmake ninja-build g++-mingw-w64-x86-64-posix wine \
  wine64 googletest

# The same Wine settings the toolchain file gives every program it runs, so that the
# commands below and the tests share one prefix inside the build folder.
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winedbg.exe,winemenubuilder.exe="

(cd "$src" && cmake --preset windows -B "$build" -DLOTWISE_WINEPREFIX="$WINEPREFIX")

# Create the prefix before anything runs in it: two programs starting together in a
# missing prefix both try to create it, and one of them fails.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  started=$SECONDS
  wine wineboot --init </dev/null >"$build/wineboot.log" 2>&1
  wineserver --wait
  echo "Wine prefix created in $((SECONDS - started)) s: $WINEPREFIX"
fi
# Keep one Wine server and Wine's background services up for the whole run, started here
# with their output going to a file. A program that finds them missing starts them, and
# they keep its output open as long as they live: CTest and test discovery would then
# wait for that program until every later one has finished, or time out.
wineserver --kill >/dev/null 2>&1 || true  # one left from an interrupted run
wineserver --persistent </dev/null >/dev/null 2>&1
trap 'wineserver --kill >/dev/null 2>&1 || true' EXIT
wine wineboot </dev/null >>"$build/wineboot.log" 2>&1

cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure --no-tests=error --timeout 300 -j"$(nproc)"
