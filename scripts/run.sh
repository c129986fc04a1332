#!/usr/bin/env bash
# Runs Lotwise against the sample marketplace bundled with it: installs what is missing,
# builds what is missing (build/sample), starts the sample marketplace on
# 127.0.0.1:$LOTWISE_SAMPLE_PORT (default 8642) and stops it again on exit.
# With a display ($DISPLAY or $WAYLAND_DISPLAY) it opens the Lotwise window; without
# one it runs the four searches headless and prints what the window shows.
# LOTWISE_SOURCE=api searches through the sample marketplace's mock of the marketplace's
# API instead of its classic pages (the keys and addresses of the mock are filled in
# unless LOTWISE_API_* variables say otherwise); LOTWISE_SOURCE=site through its pages of
# today's site (LOTWISE_SITE_BASE_URL filled in likewise).
set -euo pipefail
cd "$(dirname "$0")/.."

port="${LOTWISE_SAMPLE_PORT:-8642}"
build=build/sample

bash scripts/install-deps.sh
bash scripts/build-sample.sh "${port}"

server_out="${build}/marketplace.out"
server_log="${build}/marketplace.log"
: >"${server_out}"
: >"${server_log}"
"${build}/tools/sample-marketplace/lotwise-sample-marketplace" --port "${port}" \
  --log "${server_log}" >"${server_out}" 2>&1 &
server_pid=$!
stop_server() {
  kill "${server_pid}" 2>/dev/null || true
  wait "${server_pid}" 2>/dev/null || true
}
trap stop_server EXIT
trap 'exit 130' INT TERM

# Waits up to 10 seconds for the server to listen.
for _ in $(seq 100); do
  grep -q '^listening on' "${server_out}" && break
  if ! kill -0 "${server_pid}" 2>/dev/null; then
    echo "The sample marketplace did not start:" >&2
    cat "${server_out}" >&2
    if grep -q 'the port is taken' "${server_out}"; then
      echo "Port ${port} is taken (by another sample marketplace or another program):" \
        "choose another one: LOTWISE_SAMPLE_PORT=$((port + 1)) bash scripts/run.sh" >&2
    fi
    exit 1
  fi
  sleep 0.1
done
if ! grep -q '^listening on' "${server_out}"; then
  echo "The sample marketplace did not start listening on 127.0.0.1:${port}." >&2
  exit 1
fi
echo "Sample marketplace: http://127.0.0.1:${port} (requests logged to ${server_log})"
if [ "${LOTWISE_SOURCE:-}" = "api" ]; then
  export LOTWISE_API_BASE_URL="${LOTWISE_API_BASE_URL:-http://127.0.0.1:${port}/buy/browse/v1}"
  export LOTWISE_API_TOKEN_URL="${LOTWISE_API_TOKEN_URL:-http://127.0.0.1:${port}/identity/v1/oauth2/token}"
  export LOTWISE_API_CLIENT_ID="${LOTWISE_API_CLIENT_ID:-sample-client-id}"
  export LOTWISE_API_CLIENT_SECRET="${LOTWISE_API_CLIENT_SECRET:-sample-client-secret}"
  echo "Searching through the mock of the marketplace's API at ${LOTWISE_API_BASE_URL}"
fi
if [ "${LOTWISE_SOURCE:-}" = "site" ]; then
  export LOTWISE_SITE_BASE_URL="${LOTWISE_SITE_BASE_URL:-http://127.0.0.1:${port}}"
  echo "Searching through the sample marketplace's pages of today's site at ${LOTWISE_SITE_BASE_URL}"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Lotwise is open; its reports are written to ${build}/src/desktop/Finalsearch.htm" \
    "and open in your browser. Close the window to stop the sample marketplace."
  "${build}/src/desktop/lotwise"
else
  echo "No display: walking through the four searches headless."
  "${build}/tools/walkthrough/lotwise-walkthrough" "${build}/walkthrough"
fi
