#!/usr/bin/env bash
# Builds Lotwise for the sample marketplace in build/sample: every marketplace host, the
# affiliate redirect host and the publisher's website host are the sample marketplace at
# 127.0.0.1:<port>, so that searches, the links of their reports and the pictures and
# banner they show stay on this machine. Also builds the sample marketplace server and
# the headless walk-through. Configures only when build/sample is new or was configured
# for another port; builds only what is out of date.
# Usage: scripts/build-sample.sh [port]   (default: $LOTWISE_SAMPLE_PORT, else 8642)
set -euo pipefail
cd "$(dirname "$0")/.."

port="${1:-${LOTWISE_SAMPLE_PORT:-8642}}"
host="127.0.0.1:${port}"
build=build/sample

# The host checked is the one set last: a build configured before it was set is
# configured again.
if ! grep -qx "LOTWISE_PUBLISHER_WEBSITE_HOST:STRING=${host}" "${build}/CMakeCache.txt" \
  2>/dev/null; then
  cmake --preset sample -B "${build}" \
    -DLOTWISE_SEARCH_HOST="${host}" \
    -DLOTWISE_DESCRIPTION_SEARCH_HOST="${host}" \
    -DLOTWISE_COMPLETED_SEARCH_HOST="${host}" \
    -DLOTWISE_LISTINGS_HOST="${host}" \
    -DLOTWISE_ITEM_PAGE_HOST="${host}" \
    -DLOTWISE_AFFILIATE_HOST="${host}" \
    -DLOTWISE_PUBLISHER_WEBSITE_HOST="${host}"
fi
cmake --build "${build}" -j"$(nproc)"
