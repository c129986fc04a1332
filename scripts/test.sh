#!/usr/bin/env bash
# Installs what is missing (chromium too), checks the formatting, builds everything with
# warnings as errors and runs every test: on Linux, on 64-bit Windows under Wine (the
# core and its tests), under the sanitizers, and each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The browser that the end-to-end tests load reports in: for the tests alone, so the run
# command (which also installs through install-deps.sh) does without it.
bash scripts/install-packages.sh chromium
bash scripts/check-format.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOTWISE_WERROR=ON
cmake --build build/test -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/test --output-on-failure -j"$(nproc)"

# The core and its tests cross-built for Windows and run under Wine.
bash scripts/test-windows.sh . build/windows

# Robustness: every test again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for a few seconds from its seeds.
bash scripts/test-sanitized.sh build/sanitized
bash scripts/fuzz.sh "${LOTWISE_CI_FUZZ_SECONDS:-6}"
