#!/usr/bin/env bash
# Installs what is missing (chromium too), checks the formatting, builds everything with
# warnings as errors and runs every test: on Linux (then validates the desktop metadata and
# builds the Debian package from the same tree), on 64-bit Windows under Wine (the core
# and its tests), under the sanitizers, and each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The browser that the end-to-end tests load reports in, the conforming HTML5 parser they
# read the report of a source's items with, and the checkers of the desktop metadata: for
# the tests alone, so the run command (which also installs through install-deps.sh) does
# without them.
bash scripts/install-packages.sh chromium python3-html5lib desktop-file-utils appstream
bash scripts/check-format.sh
cmake --preset test
cmake --build --preset test -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/test --output-on-failure -j"$(nproc)"

# The desktop entry and the AppStream metadata that are installed, checked as the desktop
# and software centres read them; then the Debian package from the tree just built.
desktop-file-validate build/test/resources/*.desktop
appstreamcli validate --no-net build/test/resources/*.metainfo.xml
bash scripts/package.sh build/test

# The core and its tests cross-built for Windows and run under Wine.
bash scripts/test-windows.sh . build/windows

# Robustness: every test again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for a few seconds from its seeds.
bash scripts/test-sanitized.sh build/sanitized
bash scripts/fuzz.sh "${LOTWISE_CI_FUZZ_SECONDS:-6}"
