#!/bin/sh
# Bursts of datagrams from one process on loopback against the real program on a private X
# display with a tray, default settings, log on: how many messages were logged (every logged
# line is also shown), whether in order, the longest stall of the event loop within the burst
# (the program's own watchdog, TELLWICK_STALL_REPORT), and how much the resident memory grew.
# Usage: bench/flood.sh [BUILD_DIR]; BUILD_DIR is a release build with TELLWICK_BUILD_BENCH=ON
# (default build-rel). Each burst waits at most LIMIT_SECONDS (default 120) for the program.
set -eu
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build-rel}" && pwd)
LIMIT_SECONDS=${LIMIT_SECONDS:-120}
export TELLWICK="$BUILD/src/app/tellwick"
SEND="$BUILD/bench/bench_flood_send"
for program in "$TELLWICK" "$SEND"; do
    [ -x "$program" ] || { echo "missing $program: build with -DTELLWICK_BUILD_BENCH=ON" >&2; exit 2; }
done

. "$PWD/tests/e2e/session.sh"
start_session

now_ms() { date +%s%3N; }
lines() { [ -f Tellwick.log ] && wc -l <Tellwick.log || echo 0; }
status_kb() { awk -v key="$2:" '$1 == key { print $2 }' /proc/"$1"/status; }

# burst COUNT RATE: one program, one burst, one line of figures.
burst() {
    rm -f Tellwick.log "$SESSION_DIR/stalls" "$SESSION_DIR/tellwick.log"
    export TELLWICK_STALL_REPORT="$SESSION_DIR/stalls"
    start_tellwick
    sleep 3
    rss_before=$(status_kb "$TELLWICK_PID" VmRSS)
    # The peak so far is forgotten, so that VmHWM is the burst's own peak.
    echo 5 >/proc/"$TELLWICK_PID"/clear_refs
    start=$(now_ms)
    sent=$("$SEND" "$TELLWICK_MAILSLOT_PORT" "$1" "$2")
    # Done when all arrived, or nothing more came for longer than two polls of the inbox.
    last=-1 still=0 waited=0
    while [ "$waited" -lt $((LIMIT_SECONDS * 10)) ]; do
        n=$(lines)
        [ "$n" -ge "$1" ] && break
        if [ "$n" -eq "$last" ]; then
            still=$((still + 1))
            [ "$still" -ge 50 ] && break
        else
            still=0 last=$n
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    end=$(now_ms)
    peak=$(status_kb "$TELLWICK_PID" VmHWM)
    kill "$TELLWICK_PID"
    wait_for "Tellwick to end" ended "$TELLWICK_PID"
    if [ "$2" -gt 0 ]; then pace="at $2/s"; else pace="as fast as possible"; fi
    stall=$(awk -v from="$start" -v to="$end" '$1 >= from && $1 <= to && $2 > m { m = $2 } END { print m + 0 }' \
        "$SESSION_DIR/stalls" 2>/dev/null || echo 0)
    tr -d '\r' <Tellwick.log | awk -v count="$1" -v pace="$pace" -v sent="$sent" -v stall="$stall" \
        -v growth="$(((peak - rss_before) / 1024))" -v busy="$(((end - start) / 1000))" '
        { n = $NF + 0; if (n <= last) disorder++; last = n; logged++ }
        END {
            order = disorder ? "out of order " disorder " times" : "in order"
            printf "%d datagrams %s (sent in %.2f s): logged %d (%.1f %%), %s; longest stall %d ms; RSS growth %d MiB; %d s to the last line\n",
                count, pace, sent, logged, 100 * logged / count, order, stall, growth, busy
        }'
    grep 'tellwick.mailslot' "$SESSION_DIR/tellwick.log" | tail -1 || true
}

burst 100000 0
burst 20000 4000
