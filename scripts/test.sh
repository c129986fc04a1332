#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOTWISE_WERROR=ON
cmake --build build/test -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/test --output-on-failure -j"$(nproc)"

# Robustness: every test again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for a few seconds from its seeds.
bash scripts/test-sanitized.sh build/sanitized
bash scripts/fuzz.sh "${LOTWISE_CI_FUZZ_SECONDS:-6}"
