#!/usr/bin/env bash
# Runs the built lotwise-search as a user would, without a display, against the sample
# marketplace started here on a free port and searched through its mock of the
# marketplace API (the classic hosts are fixed when a program is built). Settings and
# reports stay under WORK_DIR.
#   search_sample.sh report|interrupt PROGRAM MARKETPLACE WORK_DIR
# report:    a keyword search writes its report and exits 0.
# site:      the same search through the marketplace's site (the sample's pages of today's
#            site) writes the report and the CSV of the auctions with at least 10 bids.
# interrupt: Ctrl+C (SIGINT) while the marketplace delays its answers stops the search
#            during a fetch; it exits 1, saying why, and leaves neither the page file nor a
#            half-written report.
# history:   a search, then --again 1 runs it again: the history in the per-user data
#            folder lists it with its two runs, the second CSV says when each item was
#            first seen; --no-history leaves the history alone.
set -euo pipefail

case_name=$1
program=$2
marketplace=$3
work=$4

rm -rf "${work}"
mkdir -p "${work}/home" "${work}/reports"
export HOME="${work}/home"
export XDG_CONFIG_HOME="${work}/home/config"
export XDG_DATA_HOME="${work}/home/data"
unset DISPLAY WAYLAND_DISPLAY LOTWISE_SOURCE

fail() {
  echo "FAILED: $*" >&2
  for f in out err; do
    [ -f "${work}/${f}" ] && { echo "--- lotwise-search std${f}:" >&2; cat "${work}/${f}" >&2; }
  done
  exit 1
}

delay=0
[ "${case_name}" = interrupt ] && delay=1500
log="${work}/requests.log"
: >"${log}"
"${marketplace}" --port 0 --items 6000 --delay-ms "${delay}" --log "${log}" \
  >"${work}/marketplace.out" 2>&1 &
server=$!
trap 'kill "${server}" 2>/dev/null || true; wait "${server}" 2>/dev/null || true' EXIT
port=""
for _ in $(seq 100); do
  port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "${work}/marketplace.out")
  [ -n "${port}" ] && break
  sleep 0.1
done
[ -n "${port}" ] || fail "the sample marketplace did not start: $(cat "${work}/marketplace.out")"

export LOTWISE_API_BASE_URL="http://127.0.0.1:${port}/buy/browse/v1"
export LOTWISE_API_TOKEN_URL="http://127.0.0.1:${port}/identity/v1/oauth2/token"
export LOTWISE_API_CLIENT_ID=sample-client-id
export LOTWISE_API_CLIENT_SECRET=sample-client-secret
reports="${work}/reports"

case "${case_name}" in
  report)
    status=0
    "${program}" --source api --keywords "vintage lamp" --match any --min-bids 10 \
      --folder "${reports}" >"${work}/out" 2>"${work}/err" || status=$?
    [ "${status}" -eq 0 ] || fail "exit status ${status}, expected 0"
    [ -s "${reports}/Finalsearch.htm" ] || fail "no report"
    [ ! -e "${reports}/Listinglist.txt" ] || fail "the page file was left behind"
    tail -n 1 "${work}/out" | grep -q 'items with at least 10 bids in Finalsearch.htm' ||
      fail "the last line is not the summary"
    grep -qx 'Finished!!!' "${work}/out" || fail "no 'Finished!!!' status"
    [ ! -s "${work}/err" ] || fail "standard error is not empty"
    ;;
  site)
    status=0
    LOTWISE_SITE_BASE_URL="http://127.0.0.1:${port}" "${program}" --source site \
      --keywords "brass clock" --min-bids 10 --folder "${reports}" >"${work}/out" \
      2>"${work}/err" || status=$?
    [ "${status}" -eq 0 ] || fail "exit status ${status}, expected 0"
    [ -s "${reports}/Finalsearch.htm" ] || fail "no report"
    [ -s "${reports}/Finalsearch.csv" ] || fail "no CSV"
    grep -q '^GET /sch/i.html?' "${log}" || grep -q '/sch/i.html?' "${log}" ||
      fail "the site's pages were not asked for"
    # Every line after the header has at least 10 bids, the counts falling.
    tail -n +2 "${reports}/Finalsearch.csv" | tr -d '\r' | awk -F, '
      { bids = $5; if (bids < 10 || (NR > 1 && bids > last)) bad = 1; last = bids }
      END { exit bad || NR == 0 }' || fail "the CSV's bids are not falling from 10 up: $(cat "${reports}/Finalsearch.csv")"
    tail -n 1 "${work}/out" | grep -q 'Finalsearch.csv' || fail "the summary does not name the CSV"
    ;;
  interrupt)
    # A shell's background job ignores SIGINT unless the shell controls jobs.
    set -m
    "${program}" --source api --keywords "vintage lamp" --match any --folder "${reports}" \
      >"${work}/out" 2>"${work}/err" &
    search=$!
    # Ctrl+C while the second page's request waits for its answer, the first page collected.
    for _ in $(seq 200); do
      [ "$(grep -c 'item_summary/search' "${log}")" -ge 2 ] && break
      sleep 0.05
    done
    [ "$(grep -c 'item_summary/search' "${log}")" -ge 2 ] || fail "no second page was asked for"
    asked=$(wc -l <"${log}")
    kill -INT "${search}"
    status=0
    wait "${search}" || status=$?
    set +m
    [ "${status}" -eq 1 ] || fail "exit status ${status}, expected 1"
    [ ! -e "${reports}/Listinglist.txt" ] || fail "the page file was left behind"
    [ ! -e "${reports}/Finalsearch.htm.part" ] || fail "a half-written report was left behind"
    [ ! -e "${reports}/Finalsearch.htm" ] || fail "a report was written"
    [ "$(wc -l <"${log}")" -eq "${asked}" ] || fail "pages were asked for after Ctrl+C"
    grep -q 'stopped (Ctrl+C)' "${work}/err" || fail "standard error does not say why"
    tail -n 1 "${work}/out" | grep -q '^Stopped after 1 of [0-9]* pages: no report written$' ||
      fail "the last line is not the summary of a stopped search"
    ;;
  history)
    "${program}" --quiet --source api --keywords "vintage lamp" --match any --min-bids 10 \
      --folder "${reports}" >"${work}/out" 2>"${work}/err" || fail "the first search failed"
    grep -q 'the first run of this search in the history' "${work}/out" ||
      fail "the first run does not say it is the first"
    [ -s "${XDG_DATA_HOME}/Lotwise/history.sqlite" ] || fail "no history in the data folder"
    "${program}" --history-list >"${work}/out" 2>"${work}/err" || fail "--history-list failed"
    grep -q '^1\. Keywords .vintage lamp. (any of the words) .* at least 10 bids .* Marketplace API (EBAY_US) .* items kept .* 1 run$' \
      "${work}/out" || fail "--history-list does not list the search"
    "${program}" --quiet --again 1 --folder "${reports}" >"${work}/out" 2>"${work}/err" ||
      fail "--again 1 failed"
    grep -q '0 new, 0 ended since the last run' "${work}/out" ||
      fail "the second run does not say what changed"
    # Every row of the second CSV was first seen by the first run, with its bids then.
    rows=$(tail -n +2 "${reports}/Finalsearch.csv" | grep -c ',[0-9-]*T[0-9:]*Z,[0-9]*.$')
    [ "${rows}" -gt 0 ] && [ "${rows}" -eq "$(($(wc -l <"${reports}/Finalsearch.csv") - 1))" ] ||
      fail "the second CSV does not say when its items were first seen"
    "${program}" --quiet --no-history --again 1 --folder "${reports}" >/dev/null 2>&1 &&
      fail "--no-history with --again was taken"
    "${program}" --quiet --no-history --source api --keywords "vintage lamp" --match any \
      --min-bids 10 --folder "${reports}" >"${work}/out" 2>"${work}/err" ||
      fail "the search without history failed"
    grep -q 'history' "${work}/out" && fail "the search without history speaks of it"
    "${program}" --history-list >"${work}/out" 2>"${work}/err" || fail "--history-list failed"
    grep -q ' 2 runs$' "${work}/out" || fail "the history does not hold the two runs alone"
    ;;
  *)
    fail "unknown case ${case_name}"
    ;;
esac
echo "lotwise-search ${case_name}: as expected"
